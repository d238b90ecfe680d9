// View: the fixed 320 x 240 logical view every rule and drawing counts in,
// centred on the camera in world pixels.
#pragma once

constexpr int kViewWidth = 320;
constexpr int kViewHeight = 240;
constexpr int kViewHalfWidth = kViewWidth / 2;
constexpr int kViewHalfHeight = kViewHeight / 2;
