// Tile-state tables: any text gives a full table.
#include "FuzzTarget.h"
#include "stage/TileStates.h"

const char* const kSeedEndings[] = {"states.txt", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Put("data/objects/Tiles/Fuzz States.txt", fuzz::Text(data, size));
    LoadTileStates("Tiles\\Fuzz");
    return 0;
}
