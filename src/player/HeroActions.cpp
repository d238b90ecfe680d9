#include "player/HeroActions.h"

// Not built yet: actions are recorded but the hero does not react to them.
void OnActionPressed(Game&, Action, InputDevice) {}
void OnActionReleased(Game&, Action, InputDevice) {}
void OnStickCentred(Game&) {}
