// Tile-layer drawing: background layers with parallax, the main layer with
// the camera, foreground layers with parallax, each only where visible (at
// most 21 x 16 cells a layer), and the two debug views of the main layer.
//
// The tileset is a 256 x 512 sheet of 16 x 16 tiles, 16 to a row; tile code t
// sits in sheet row t * 16 / tilesetWidth, column t mod (tilesetWidth / 16).
// Codes 0 and 1 are never drawn. The draw calls need a GL context with the
// tileset texture bound by the caller (the frame composition); the range and
// parallax arithmetic below them does not.
#pragma once

#include "core/Vector2.h"
#include "stage/StageMap.h"

// The cells of a layer seen from a view whose top-left world pixel is
// (originX, originY): rows and columns inclusive, already inside the layer.
struct TileRange {
    int firstRow = 0;
    int lastRow = -1;
    int firstColumn = 0;
    int lastColumn = -1;
};

TileRange VisibleTiles(const TileLayer& layer, int originX, int originY);

// The sheet cell of a tile code for a sheet tilesetWidth pixels wide; false
// for a sheet narrower than one tile.
bool TileSheetCell(int code, int tilesetWidth, int& sheetColumn, int& sheetRow);

// The parallax centre (px, py) of a background or foreground layer: a layer
// as large as the main layer scrolls with the camera, a one-screen layer
// (20 x 15 tiles) stays put, sizes between scroll in proportion. A main layer
// exactly one screen wide (or high) gives the factor 0 on that axis.
Vector2 ParallaxCentre(const TileLayer& layer, const TileLayer& mainLayer, const Vector2& camera);

void DrawTileLayer(const TileLayer& layer, int originX, int originY);
void DrawBackgroundLayers(const StageMap& stage, const Vector2& camera);
void DrawMainLayer(const StageMap& stage, const Vector2& camera);
void DrawForegroundLayers(const StageMap& stage, const Vector2& camera);

// Video mode 1: the main layer from the tileset's rectangle texture, with
// integer texel coordinates, no blending and no alpha test. Dense draws every
// visible cell, sparse only the cells that collide (those of tileMap).
void DrawMainLayerDebugDense(const StageMap& stage, const Vector2& camera);
void DrawMainLayerDebugSparse(const StageMap& stage, const Vector2& camera);
