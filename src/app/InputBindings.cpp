#include "app/InputBindings.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include <SDL.h>

#include "app/KeyNames.h"
#include "core/ConfigFile.h"

namespace {

enum class BindingMap { Keyboard, Joystick };

struct BindingKey {
    const char* key;
    BindingMap map;
    Action action;
};

const BindingKey kBindingKeys[] = {
    {"keyup", BindingMap::Keyboard, Up},
    {"keydown", BindingMap::Keyboard, Down},
    {"keyleft", BindingMap::Keyboard, Left},
    {"keyright", BindingMap::Keyboard, Right},
    {"keydash", BindingMap::Keyboard, Dash},
    {"keyjump", BindingMap::Keyboard, Jump},
    {"keyattack1", BindingMap::Keyboard, Attack1},
    {"keyattack2", BindingMap::Keyboard, Attack2},
    {"keyprevweapon", BindingMap::Keyboard, PrevWeapon},
    {"keynextweapon", BindingMap::Keyboard, NextWeapon},
    {"joydash", BindingMap::Joystick, Dash},
    {"joyjump", BindingMap::Joystick, Jump},
    {"joyattack1", BindingMap::Joystick, Attack1},
    {"joyattack2", BindingMap::Joystick, Attack2},
    {"joyprevweapon", BindingMap::Joystick, PrevWeapon},
    {"joynextweapon", BindingMap::Joystick, NextWeapon},
};

// One decimal integer with optional sign after optional white space; the
// rest of the value is ignored. False when the value does not start with one
// (or it does not fit an int).
bool ParseCode(const std::string& value, int& code) {
    const char* begin = value.c_str();
    while (std::isspace(static_cast<unsigned char>(*begin))) ++begin;
    const char* digits = begin + ((*begin == '+' || *begin == '-') ? 1 : 0);
    if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
    char* end = nullptr;
    const long parsed = std::strtol(begin, &end, 10);
    if (parsed < INT_MIN || parsed > INT_MAX) return false;
    code = static_cast<int>(parsed);
    return true;
}

// A key name may hold spaces ("left ctrl"), so the longest run of leading
// words that names a key wins and the rest of the value is ignored.
int ParseKeyName(const std::string& value) {
    std::istringstream stream(value);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    for (size_t count = words.size(); count > 0; --count) {
        std::string name = words[0];
        for (size_t i = 1; i < count; ++i) name += " " + words[i];
        const int code = KeyCodeFromName(name);
        if (code != kNoKey) return code;
    }
    return kNoKey;
}

// The numbers SDL 1.2 reports: key symbols below SDLK_LAST, buttons a byte.
constexpr int kKeyCodes = SDLK_LAST;
constexpr int kJoystickButtons = 256;

}  // namespace

bool InputBindings::ReadInputConfig(const std::string& path) {
    return ReadConfigFile(path, [&](const std::string& key, const std::string& value) {
        if (key == "keymute" || key == "keypause") {
            std::set<int>& keys = key == "keymute" ? muteKeys : pauseKeys;
            int code = 0;
            if (ParseCode(value, code) && code >= 0 && code < kKeyCodes)
                keys.insert(code);
            else if ((code = ParseKeyName(value)) != kNoKey)
                keys.insert(code);
            else
                std::printf("%s: unknown key name \"%s\" (%s binds nothing)\n", path.c_str(),
                            Trimmed(value).c_str(), key.c_str());
            return;
        }
        if (key == "joystick") {
            int index = 0;
            if (ParseCode(value, index) && index >= 0)
                joystick = index;
            else
                std::printf("%s: \"%s\" is not a joystick number (joystick stays %d)\n", path.c_str(),
                            Trimmed(value).c_str(), joystick);
            return;
        }
        for (const BindingKey& binding : kBindingKeys) {
            if (key != binding.key) continue;
            int code = 0;
            const bool joystick = binding.map == BindingMap::Joystick;
            const int codes = joystick ? kJoystickButtons : kKeyCodes;
            if (ParseCode(value, code) && (code < 0 || code >= codes)) {
                std::printf("%s: %s number %d is outside 0 to %d (%s binds nothing)\n", path.c_str(),
                            joystick ? "button" : "key", code, codes - 1, binding.key);
            } else if (joystick) {
                if (ParseCode(value, code)) {
                    BindJoystickButton(binding.action, code);
                } else {
                    std::printf("%s: \"%s\" is not a joystick button number (%s binds nothing)\n",
                                path.c_str(), Trimmed(value).c_str(), binding.key);
                }
            } else if (ParseCode(value, code) || (code = ParseKeyName(value)) != kNoKey) {
                BindKey(binding.action, code);
            } else {
                std::printf("%s: unknown key name \"%s\" (%s binds nothing)\n", path.c_str(),
                            Trimmed(value).c_str(), binding.key);
            }
            return;
        }
    });
}
