// Tile-layer drawing: background layers with parallax, the main layer with
// the camera, foreground layers with parallax, each only where visible; and
// the two debug views of the main layer. Needs a GL context; the tileset
// texture is bound by the caller.
#pragma once

#include "objects/Vector2.h"
#include "stage/StageMap.h"

void DrawTileLayer(const TileLayer& layer, int originX, int originY);
void DrawBackgroundLayers(const StageMap& stage, const Vector2& camera);
void DrawMainLayer(const StageMap& stage, const Vector2& camera);
void DrawForegroundLayers(const StageMap& stage, const Vector2& camera);
void DrawMainLayerDebugDense(const StageMap& stage, const Vector2& camera);
void DrawMainLayerDebugSparse(const StageMap& stage, const Vector2& camera);

// The parallax origin of a layer (px, py of the view centre), defined for
// main layers of exactly one screen too (factor 0).
Vector2 ParallaxCentre(const TileLayer& layer, const TileLayer& mainLayer, const Vector2& camera);
