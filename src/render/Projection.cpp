#include "render/Projection.h"

#include <GL/gl.h>

#include <cmath>

void SetScreenProjection() {
    glLoadIdentity();
    glOrtho(0, kViewWidth, kViewHeight, 0, -2, 32);
}

void SetWorldProjection(float cameraX, float cameraY) {
    SetScreenProjection();
    glTranslatef(kViewHalfWidth - std::floor(cameraX), kViewHalfHeight - std::floor(cameraY), 0);
}

int TruncateCoordinate(float value) {
    // Far outside any stage yet safe to add a frame size to.
    constexpr float kLimit = 1.0e9f;
    if (std::isnan(value)) return 0;
    if (value > kLimit) return static_cast<int>(kLimit);
    if (value < -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(value);
}
