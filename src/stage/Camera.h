// Camera: the world point at the centre of the 320 x 240 view. It follows the
// hero with a speed limit and a vertical dead band, obeys the stage's camera
// zones and is clamped to the stage.
#pragma once

#include "objects/Vector2.h"
#include "stage/StageMap.h"

struct GameObject;

// The zone the camera is in and the widening of its vertical band. The
// per-frame step and the stage-begin settle each keep their own.
struct CameraState {
    const CameraZone* currentZone = nullptr;
    int zoneLift = 0;  // 0 ... 48 in steps of 2
};

const CameraZone* FindCameraZone(const TileLayer& mainLayer, const GameObject& hero,
                                 const CameraZone* previousZone);

// One camera step.
void UpdateCamera(const StageMap& stage, const GameObject& hero, Vector2& camera,
                  CameraState& state);

// Places the camera at stage begin: hero position - (160, 120), then camera
// steps until one changes nothing.
void SettleCamera(const StageMap& stage, const GameObject& hero, Vector2& camera,
                  CameraState& settleState);
