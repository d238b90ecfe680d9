#include "stage/TileStates.h"

#include <cstdio>

#include "core/DataPath.h"

namespace {

bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

TileStateTable LoadTileStates(const std::string& tilesetName) {
    TileStateTable table;
    table.reserve(kTileStateCount);
    std::FILE* file = OpenDataFile("data/objects/" + tilesetName + " States.txt", "rb");
    if (!file) {
        std::printf("Cannot load map tile states: %s\n  data/objects/%s States.txt is missing\n",
                    tilesetName.c_str(), ShownPath(tilesetName).c_str());
        table.assign(kTileStateCount, kStatePassable);
        return table;
    }
    int c;
    while (static_cast<int>(table.size()) < kTileStateCount && (c = std::fgetc(file)) != EOF) {
        if (!IsBlank(c)) table.push_back(static_cast<char>(c));
    }
    std::fclose(file);
    if (static_cast<int>(table.size()) < kTileStateCount) {
        std::printf("Tile states of %s end after %d of %d entries; the rest are passable\n",
                    tilesetName.c_str(), static_cast<int>(table.size()), kTileStateCount);
        table.resize(kTileStateCount, kStatePassable);
    }
    return table;
}
