// InputBindings: the key and joystick-button maps that drive the eleven
// action records (player/Controls.h), filled from "input.cfg".
//
// Several codes may drive one action; one code drives at most one action (a
// later binding replaces the earlier). An action input.cfg does not bind
// cannot be triggered. Record 10 exists but no key binds it.
#pragma once

#include <map>
#include <set>
#include <string>

#include "player/Controls.h"

class InputBindings {
public:
    std::map<int, int> keys;             // SDL key symbol -> action
    std::map<int, int> joystickButtons;  // joystick button -> action
    int joystick = 0;                    // which joystick to open ("joystick=N"), counted from 0
    std::set<int> muteKeys;              // "keymute": keys that mute and unmute everything
    std::set<int> pauseKeys;             // "keypause": keys that pause and go on

    // Reads input.cfg; false when the file cannot be opened. A "key..." value
    // is a key symbol number or a key name as SDL_GetKeyName spells it, in any
    // case; a "joy..." value is a button number; "joystick" chooses the
    // joystick. A value that is none of these binds nothing and prints one
    // line.
    bool ReadInputConfig(const std::string& path);

    void BindKey(int action, int code) { keys[code] = action; }
    void BindJoystickButton(int action, int button) { joystickButtons[button] = action; }
};
