#include "player/HeroHealth.h"

#include "app/Game.h"

// Not built yet.
void RunHurtStep(Game&) {}
void UpdateHealthDisplay(Game&) {}
void UpdateHurtFlashing(Game&) {}
void RunLifeRefill(Game&) {}
