// InputBindings: the eleven action records and the key and joystick-button
// maps that drive them, filled from "input.cfg".
//
// Several codes may drive one action; one code drives at most one action (a
// later binding replaces the earlier). An action input.cfg does not bind
// cannot be triggered. Record 10 exists but no key binds it.
#pragma once

#include <map>
#include <string>

enum Action {
    Attack1 = 0,
    Attack2 = 1,
    Jump = 2,
    Dash = 3,
    Left = 4,
    Right = 5,
    Up = 6,
    Down = 7,
    PrevWeapon = 8,
    NextWeapon = 9,
    kActionCount = 11
};

// Joystick axis 0 beyond +-kStickDeadZone asks for right or left.
constexpr int kStickDeadZone = 10000;

struct ActionState {
    unsigned char pressed = 0;   // from the press until the next frame that reads input
    unsigned char released = 0;  // from the release until the next frame that reads input
    unsigned char held = 0;      // while down
};

class InputBindings {
public:
    ActionState actions[kActionCount];
    std::map<int, int> keys;             // SDL key symbol -> action
    std::map<int, int> joystickButtons;  // joystick button -> action
    int stickX = 0;  // joystick axis 0 as last reported (-32768..32767); 0 without a joystick

    // Reads input.cfg; false when the file cannot be opened. A "key..." value
    // is a key symbol number or a key name as SDL_GetKeyName spells it, in any
    // case; a "joy..." value is a button number. A value that is neither binds
    // nothing and prints one line.
    bool ReadInputConfig(const std::string& path);

    void BindKey(int action, int code) { keys[code] = action; }
    void BindJoystickButton(int action, int button) { joystickButtons[button] = action; }

    static void Press(ActionState& s) {
        s.pressed = 1;
        s.released = 0;
        s.held = 1;
    }
    static void Release(ActionState& s) {
        s.released = 1;
        s.pressed = 0;
        s.held = 0;
    }
    void ClearEdges() {
        for (ActionState& s : actions) s.pressed = s.released = 0;
    }
    ActionState& operator[](Action a) { return actions[a]; }
    const ActionState& operator[](Action a) const { return actions[a]; }
};
