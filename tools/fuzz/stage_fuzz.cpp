// Stage files: any bytes are read into a new map or refused with a line.
#include "FuzzTarget.h"
#include "anim/AnimationSetCache.h"
#include "stage/StageLoader.h"

const char* const kSeedEndings[] = {".rmap", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Put("data/Stages/Fuzz.rmap", fuzz::Text(data, size));
    AnimationSetCache sets;
    LoadedStage stage;
    LoadStageFile("Fuzz", sets, stage);
    return 0;
}
