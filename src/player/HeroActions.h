// HeroActions: what the hero does the moment an action is pressed or
// released (dash, jump, fire, weapon change, letting go of a wall). The event
// pump marks the action's ActionState first, then calls these; the
// per-frame controller reads the held states on its own.
#pragma once

#include "app/InputBindings.h"

struct Game;

// Where an action came from; a few reactions differ for the joystick.
enum class InputDevice {
    Keyboard,
    JoystickButton,
    JoystickStick  // axis 0 outside the dead zone: Left or Right, no ActionState marked
};

void OnActionPressed(Game& game, Action action, InputDevice device);
void OnActionReleased(Game& game, Action action, InputDevice device);

// Axis 0 came back inside the dead zone.
void OnStickCentred(Game& game);
