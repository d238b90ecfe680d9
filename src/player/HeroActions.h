// HeroActions: what the hero does the moment an action is pressed or
// released (dash, jump, fire, weapon change, letting go of a wall). The event
// pump marks the action's ActionState first, then calls these; the
// per-frame controller reads the held states on its own. While the hero's
// death sequence runs, actions are still marked but the hero does not react.
//
// The joystick differs from the keyboard in three places: a dash button
// starts a dash only on the ground, its release ends a ground dash only while
// the stick is centred, and the stick (axis 0 beyond the dead zone) acts as a
// Left or Right press without marking any ActionState; coming back into the
// dead zone lets go of a wall.
#pragma once

#include "player/Controls.h"

struct GameState;

// Where an action came from; a few reactions differ for the joystick.
enum class InputDevice {
    Keyboard,
    JoystickButton,
    JoystickStick  // axis 0 outside the dead zone: Left or Right, no ActionState marked
};

void OnActionPressed(GameState& game, Action action, InputDevice device);
void OnActionReleased(GameState& game, Action action, InputDevice device);

// Axis 0 came back inside the dead zone.
void OnStickCentred(GameState& game);
