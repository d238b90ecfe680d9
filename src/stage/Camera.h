// Camera: the world point at the centre of the 320 x 240 view. Once a frame it
// follows the hero, at most 8 pixels a frame and with a vertical dead band,
// obeys the stage's camera zones (a zone edge pushes the view inside it by at
// most 2 pixels a frame) and is clamped to the stage. The camera is a whole
// number after every step.
//
// Zone flags: 0x01 keeps the band narrow and asks for the hero's whole width
// inside the zone; 0x10 / 0x20 / 0x40 / 0x80 keep the view inside the zone's
// left / right / top / bottom edge.
#pragma once

#include "core/Vector2.h"
#include "stage/StageMap.h"

// The zone the camera is in and the widening of its vertical band. The
// per-frame step and the stage-begin settle each keep their own; a new stage
// forgets the zone (it named a zone of the replaced list).
struct CameraState {
    int zone = -1;           // index into the main layer's zones, -1 none
    unsigned stage = 0;      // the serial of the stage the zone belongs to
    int zoneLift = 0;        // 0 ... 48 in steps of 2
};

constexpr int kMaxZoneLift = 48;

// The first zone of the main layer, in file order, that holds the hero (at
// its position), as an index, or -1. When the previous zone has 0x01,
// ordinary zones are taken 32 pixels early.
int FindCameraZone(const TileLayer& mainLayer, const Vector2& hero, const CameraZone* previousZone);

// One camera step following the hero's position.
void UpdateCamera(const StageMap& stage, const Vector2& hero, Vector2& camera, CameraState& state);

// Places the camera at stage begin: hero position - (160, 120), then camera
// steps until one changes nothing (at most kStepLimit of them).
void SettleCamera(const StageMap& stage, const Vector2& hero, Vector2& camera,
                  CameraState& settleState);
