// PlayerState: the hero controller's state kept beside the main loop (most of
// the hero's state lives in its GameObject fields).
#pragma once

#include "anim/AnimationSet.h"

struct GameObject;

struct PlayerState {
    float dashCurveSpeed = 0.0f;

    // The hero's own sheet and the fire-pose sheet "Player\Rook Fire"; the fire
    // pose swaps only these pictures, never frames or timing.
    SheetPicture normalSheet;
    SheetPicture fireSheet;

    GameObject* chargeOrb = nullptr;

    float shownHealth = 0.0f;     // the lagging red bar of the life gauge
    float previousHealth = 0.0f;  // health one frame ago, for the low-health warning
    bool pinchPending = false;
};
