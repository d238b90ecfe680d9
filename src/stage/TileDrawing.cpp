#include "stage/TileDrawing.h"

// Not built yet: no tiles are drawn.
void DrawTileLayer(const TileLayer&, int, int) {}
void DrawBackgroundLayers(const StageMap&, const Vector2&) {}
void DrawMainLayer(const StageMap&, const Vector2&) {}
void DrawForegroundLayers(const StageMap&, const Vector2&) {}
void DrawMainLayerDebugDense(const StageMap&, const Vector2&) {}
void DrawMainLayerDebugSparse(const StageMap&, const Vector2&) {}
Vector2 ParallaxCentre(const TileLayer&, const TileLayer&, const Vector2& camera) { return camera; }
