// Tile states: one character per tile code of a tileset, read from
// "data/objects/" + tileset + " States.txt" (the first 512 non-blank
// characters, laid out in lines of any length). '1' is solid, '2'..'7' and
// 'A'..'E', 'Z' are the two slope families, anything else passable.
//
// The table always has 512 entries: a missing file prints "Cannot load map
// tile states: %s" and a short one prints how many states it held; the
// entries missing either way are '0' (passable).
#pragma once

#include <string>
#include <vector>

constexpr int kTileStateCount = 512;

enum TileState : char {
    kStatePassable = '0',
    kStateSolid = '1',
    kStateRightAbove = '2',  // right-edge slope continues in the row above
    kStateRight0 = '3',      // right-edge slope surface, 0 / 4 / 8 / 12 higher
    kStateRight4 = '4',
    kStateRight8 = '5',
    kStateRight12 = '6',
    kStateRightBelow = '7',  // right-edge slope continues in the row below
    kStateLeft0 = 'A',       // left-edge slope surface, 0 / 4 / 8 / 12 higher
    kStateLeft4 = 'B',
    kStateLeft8 = 'C',
    kStateLeft12 = 'D',
    kStateLeftBelow = 'E',  // left-edge slope continues in the row below
    kStateLeftAbove = 'Z'   // left-edge slope continues in the row above
};

using TileStateTable = std::vector<char>;

TileStateTable LoadTileStates(const std::string& tilesetName);
