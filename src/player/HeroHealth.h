// HeroHealth: hurt, knock-back, death and the life gauge's values.
#pragma once

struct Game;

// The hurt step: knock-back, recovery, the death sequence. Run while the
// hero's hurtTimer is not 0 and the game is not frozen.
void RunHurtStep(Game& game);

// The lagging red bar and the low-health warning; run at the end of the
// controller's animation half (hurtTimer below 58, not frozen).
void UpdateHealthDisplay(Game& game);

// Hurt flashing, after the charge display; overrides its palette row.
void UpdateHurtFlashing(Game& game);

// The frozen life refill, run inside the stage-flow step every frame.
void RunLifeRefill(Game& game);
