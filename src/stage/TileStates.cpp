#include "stage/TileStates.h"

// Not built yet.
TileStateTable LoadTileStates(const std::string&) { return TileStateTable(kTileStateCount, '0'); }
