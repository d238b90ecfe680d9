// game.cfg: the opening stage's name from any text.
#include "FuzzTarget.h"
#include "player/StageFlow.h"

const char* const kSeedEndings[] = {"game.cfg", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Put("data/game.cfg", fuzz::Text(data, size));
    StageFlow flow;
    flow.ReadGameConfig("Data\\game.cfg");
    return 0;
}
