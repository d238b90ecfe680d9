// StageOpening: the stage's opening, run by the stage flow's phases: streaks
// across the screen and the ready sign with its colour sweep (phase 1), the
// sign's flash and jitter (phase 2), then the teleport beam falls and the
// hero appears (phase 3).
//
// The opening's objects (streaks, the two ready signs, the teleport) live in
// the World's lists, where a script or a stage load may remove them at any
// time. The opening holds them only as handles and looks each one up before
// every use; an object that is gone is skipped, and a gone teleport lets the
// hero appear at once. A new opening ends whatever the previous one left
// behind, and the teleport is erased once the hero has appeared ("Player" is
// never visited by the death pass).
#pragma once

#include "objects/ObjectHandle.h"

class World;
struct GameState;

struct StageOpening {
    static constexpr int kStreakSlots = 9;

    // The opening's objects, 0 when there is none.
    ObjectHandle teleport = 0;
    ObjectHandle readyBack = 0;
    ObjectHandle readyFront = 0;
    ObjectHandle streaks[kStreakSlots] = {};
    int streakCount = 0;  // streaks made so far in this opening
};

// The opening's step for the stage flow's current phase.
void RunOpening(GameState& game);

// Ends every object of the opening that still lives and forgets them all.
void EndOpeningObjects(World& world, StageOpening& opening);
