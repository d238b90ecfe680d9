// Tile states: one character per tile code of a tileset, read from
// "data/objects/" + tileset + " States.txt" (the first 512 non-blank
// characters). '1' is solid, '2'..'7' and 'A'..'E', 'Z' are the two slope
// families, anything else passable.
#pragma once

#include <string>
#include <vector>

constexpr int kTileStateCount = 512;

using TileStateTable = std::vector<char>;

TileStateTable LoadTileStates(const std::string& tilesetName);
