// StageMap: the loaded stage. One stage is loaded at a time; a load builds a
// complete new map and swaps it in only when the whole file was read, so a
// broken file leaves the previous stage as it was (LoadStageFile in
// StageLoader.cpp reads it, World::LoadStage swaps it in).
//
// Tile codes: 0 empty, 1 the hero's start (stored as 0), 2..511 tiles of the
// tileset. Only the main layer collides, through `tileMap`, which holds
// exactly the main-layer cells with a code of 2 or more.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Vector2.h"
#include "anim/AnimationSet.h"
#include "stage/TileMap.h"


// Camera zone flag bits.
enum CameraZoneFlag {
    kZoneLockBand = 0x01,   // vertical band stays narrow; exact horizontal test
    kZoneLeftEdge = 0x10,   // the camera does not show past the left edge
    kZoneRightEdge = 0x20,  // ... the right edge
    kZoneTopEdge = 0x40,    // ... the top edge
    kZoneBottomEdge = 0x80  // ... the bottom edge
};

struct CameraZone {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int flags = 0;
};

struct EnemyPlacement {
    std::string typeName;
    Vector2 position;
    bool spawned = false;
};

struct TileLayer {
    std::vector<int> tiles;  // row-major, index = row * width + column
    int width = 0;
    int height = 0;
    int tilesetWidth = 128;  // tileset image width in pixels
    std::vector<CameraZone> zones;  // main layer only

    int TileAt(int column, int row) const { return tiles[row * width + column]; }
    int ClampedIndex(int column, int row) const;
    int ClampedIndexAtPixel(int x, int y) const;
    int ColumnOf(int index) const { return index < 0 ? 0 : index % width; }
    int RowOf(int index) const { return index / width; }

    // A layer without cells is skipped by drawing (the operations above
    // divide by width).
    bool Empty() const { return width <= 0 || height <= 0; }
};


struct StageMap {
    AnimationSet tileset;
    std::vector<TileLayer> backgroundLayers;
    TileLayer mainLayer;
    std::vector<TileLayer> foregroundLayers;
    TileMap tileMap;
    std::vector<EnemyPlacement> enemyPlacements;
    // Different for every loaded stage, so that a camera state of an earlier
    // stage knows its zone is gone.
    unsigned serial = 0;

    // The collision cell at (column, row), or null where no tile collides.
    const TileInfo* CellAt(int column, int row) const {
        return tileMap.Find(column, row);
    }
};
