// WorldPixels: the float-to-int rule of the stage code. Positions, velocities
// and the camera are floats; the tile grid, probes and the camera's steps are
// ints, reached by truncation toward zero (C's conversion). Values are clamped
// to +-2^28 first, so that an object a script flings to 1e30 (or NaN) gives a
// defined cell far outside the map instead of an undefined conversion, and
// sums of a few such values still fit an int. Hit-box edges come from data
// files and are held to +-2^16 the same way.
#pragma once

constexpr float kWorldPixelLimit = 268435456.0f;  // 2^28

inline int TruncToInt(float v) {
    if (!(v == v)) return 0;  // NaN
    if (v > kWorldPixelLimit) return static_cast<int>(kWorldPixelLimit);
    if (v < -kWorldPixelLimit) return -static_cast<int>(kWorldPixelLimit);
    return static_cast<int>(v);
}

constexpr int kHitBoxLimit = 65536;

inline int HitBoxEdge(int v) {
    return v > kHitBoxLimit ? kHitBoxLimit : (v < -kHitBoxLimit ? -kHitBoxLimit : v);
}
