// HeroHealth: hurt, knock-back, death and the life gauge's values.
//
// A hit (the script function DamagePlayer) sets the hero's hurtTimer to 73
// and switches gravity off: 16 frames of knock-back (73 down to 58) with no
// control, then 57 frames of flashing recovery with control back and gravity
// on. A dead hero's hurtTimer is raised to 100 by the frame's death check and
// then counts up by one a frame: the "OUT" voice at 108, hidden after it.
//
// The life gauge shows `health` at once and `shownHealth`, the red bar that
// drains 0.25 a frame behind it. A refill (AddPlayerHealth) freezes the
// whole game and adds half a point a frame, with a tick sound every two
// points, until the amount is in or the maximum is reached.
//
// Each function checks its own conditions, so callers may run it every frame.
#pragma once

#include "player/HeroState.h"

struct GameState;

constexpr float kPinchHealth = 8.0f;  // at or below: the warning voice, the yellow bar

// The hurt step: knock-back, recovery, the death sequence. Runs while the
// hero's hurtTimer is not 0 and the game is not frozen.
void RunHurtStep(GameState& game);

// The lagging red bar and the low-health warning; part of the controller's
// animation half (hurtTimer below 58, not frozen).
void UpdateHealthDisplay(GameState& game);

// Hurt flashing, after the charge display; overrides its palette row.
// Runs while hurtTimer is not 0 and the game is not frozen.
void UpdateHurtFlashing(GameState& game);

// The frozen life refill, run inside the stage-flow step every frame, also
// while frozen.
void RunLifeRefill(GameState& game);
