// Projection: the fixed 320 x 240 logical view, origin at the top left, y
// growing downwards. The projection lives in the model-view matrix (the
// matrix mode is never changed), so every switch between screen and world
// coordinates starts from the identity. The world projection floors the
// camera so that every sprite and tile lands on whole pixels.
#pragma once

#include "core/View.h"

// glLoadIdentity, then the orthographic view (left 0, right 320, bottom 240,
// top 0, near -2, far 32).
void SetScreenProjection();

// The screen projection moved so that world point (cameraX, cameraY) is at
// the centre of the view.
void SetWorldProjection(float cameraX, float cameraY);

// Truncation toward zero of a world coordinate as drawing uses it. NaN gives
// 0 and values beyond the drawable range are clamped, so a wild position from
// a script cannot overflow an int.
int TruncateCoordinate(float value);
