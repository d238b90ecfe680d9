#include "app/InputScript.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/InputBindings.h"
#include "app/KeyNames.h"

namespace {

struct BindingName {
    const char* name;
    Action action;
    bool joystick;
};

// The binding keys of input.cfg.
const BindingName kBindingNames[] = {
    {"keyattack1", Attack1, false},
    {"keyattack2", Attack2, false},
    {"keyjump", Jump, false},
    {"keydash", Dash, false},
    {"keyleft", Left, false},
    {"keyright", Right, false},
    {"keyup", Up, false},
    {"keydown", Down, false},
    {"keyprevweapon", PrevWeapon, false},
    {"keynextweapon", NextWeapon, false},
    {"joyattack1", Attack1, true},
    {"joyattack2", Attack2, true},
    {"joyjump", Jump, true},
    {"joydash", Dash, true},
    {"joyprevweapon", PrevWeapon, true},
    {"joynextweapon", NextWeapon, true},
};

// Keys that do their work outside the action records.
const char* const kKeyPause = "keypause";
const char* const kKeyMute = "keymute";

const BindingName* FindBinding(const std::string& name) {
    for (const BindingName& binding : kBindingNames)
        if (name == binding.name) return &binding;
    return nullptr;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool ParseInt(const std::string& word, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || parsed < -2147483647L || parsed > 2147483647L) return false;
    value = static_cast<int>(parsed);
    return true;
}

std::string Join(const std::vector<std::string>& words, size_t from) {
    std::string joined;
    for (size_t i = from; i < words.size(); ++i) joined += (i > from ? " " : "") + words[i];
    return joined;
}

// The lowest code in map that drives action, or -1.
int CodeFor(const std::map<int, int>& map, Action action) {
    for (const auto& entry : map)
        if (entry.second == action) return entry.first;
    return -1;
}


}  // namespace

int InputScript::Length() const {
    if (frames > 0) return frames;
    int last = 0;
    if (!events.empty()) last = events.rbegin()->first;
    if (!reports.empty() && reports.rbegin()->first > last) last = reports.rbegin()->first;
    return last;
}

bool ParseScriptedEvent(const std::string& text, ScriptedEvent& event, std::string& error) {
    const std::vector<std::string> words = Words(text);
    event = ScriptedEvent();
    if (words.empty()) {
        error = "no event";
        return false;
    }
    const std::string& verb = words[0];
    if (verb == "quit" && words.size() == 1) {
        event.kind = ScriptedEvent::Kind::Quit;
        return true;
    }
    if (verb == "stick" || verb == "axis") {
        const size_t valueAt = verb == "stick" ? 1 : 2;
        int axis = 0;
        if (words.size() != valueAt + 1 || (verb == "axis" && !ParseInt(words[1], axis)) ||
            !ParseInt(words[valueAt], event.value) || axis < 0 || axis > 255 ||
            event.value < -32768 || event.value > 32767) {
            error = "expected \"stick VALUE\" or \"axis N VALUE\" (-32768 to 32767): " + text;
            return false;
        }
        event.kind = ScriptedEvent::Kind::Axis;
        event.code = axis;
        return true;
    }
    if (verb == "focus") {
        if (words.size() != 2 || (words[1] != "lost" && words[1] != "gained")) {
            error = "expected \"focus lost\" or \"focus gained\": " + text;
            return false;
        }
        event.kind = ScriptedEvent::Kind::Focus;
        event.value = words[1] == "gained";
        return true;
    }
    if (verb == "hat") {
        // The hat's SDL bits: 1 up, 2 right, 4 down, 8 left (0 centred).
        if (words.size() != 2 || !ParseInt(words[1], event.value) || event.value < 0 || event.value > 15) {
            error = "expected \"hat BITS\" (0 to 15: 1 up, 2 right, 4 down, 8 left): " + text;
            return false;
        }
        event.kind = ScriptedEvent::Kind::Hat;
        return true;
    }
    if ((verb != "press" && verb != "release") || words.size() < 2) {
        error = "expected press, release, stick, axis, hat, focus or quit: " + text;
        return false;
    }
    event.down = verb == "press";
    if (words[1] == "button") {
        if (words.size() != 3 || !ParseInt(words[2], event.code) || event.code < 0 ||
            event.code > 255) {
            error = "expected \"" + verb + " button N\" (0 to 255): " + text;
            return false;
        }
        event.kind = ScriptedEvent::Kind::Button;
        return true;
    }
    const std::string name = Join(words, 1);
    if (name == kKeyPause || name == kKeyMute) {
        event.binding = name;
        return true;
    }
    if (const BindingName* binding = FindBinding(name)) {
        event.kind = binding->joystick ? ScriptedEvent::Kind::Button : ScriptedEvent::Kind::Key;
        event.binding = binding->name;
        return true;
    }
    event.kind = ScriptedEvent::Kind::Key;
    event.code = KeyCodeFromName(name);
    if (event.code == kNoKey) {
        error = "no key is named \"" + name + "\"";
        return false;
    }
    return true;
}

bool ParseInputScript(const std::string& text, InputScript& script, std::string& error) {
    script = InputScript();
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        const std::string at = "line " + std::to_string(lineNumber) + ": ";
        const size_t remark = line.find('#');
        if (remark != std::string::npos) line.erase(remark);
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;

        if ((words[0] == "stage" || words[0] == "data") && words.size() >= 2) {
            (words[0] == "stage" ? script.stage : script.data) = Join(words, 1);
            continue;
        }
        int number = 0;
        if ((words[0] == "seed" || words[0] == "frames") && words.size() == 2 &&
            ParseInt(words[1], number) && number >= 0) {
            if (words[0] == "seed")
                script.seed = static_cast<unsigned>(number);
            else
                script.frames = number;
            continue;
        }
        if (words[0] != "frame" || words.size() < 3 || !ParseInt(words[1], number) || number < 1) {
            error = at + "expected \"seed N\", \"stage NAME\", \"data DIGEST\", \"frames N\" or \"frame N (1 or more) ...\"";
            return false;
        }
        if (words[2] == "state" && words.size() == 3) {
            script.reports[number].push_back(ScriptReport{"state", ""});
            continue;
        }
        // Reports that take the rest of the line: one word, or any number.
        const struct {
            const char* kind;
            const char* usage;
            bool oneWord;
        } kArgumentReports[] = {{"screenshot", "screenshot FILE", true},
                                {"window", "window FILE", true},
                                {"objects", "objects CATEGORY", true},
                                {"expect", "expect FIELD VALUE ...", false}};
        bool taken = false;
        for (const auto& r : kArgumentReports) {
            if (words[2] != r.kind) continue;
            if (words.size() < 4 || (r.oneWord && words.size() != 4)) {
                error = at + "expected \"" + r.usage + "\"";
                return false;
            }
            script.reports[number].push_back(ScriptReport{r.kind, Join(words, 3)});
            taken = true;
        }
        if (taken) continue;
        if (words[2] == "pixels") {
            ScriptReport report{"pixels", ""};
            if (words.size() != 7 || !ParseInt(words[3], report.x) ||
                !ParseInt(words[4], report.y) || !ParseInt(words[5], report.width) ||
                !ParseInt(words[6], report.height) || report.x < 0 || report.y < 0 ||
                report.width < 1 || report.height < 1 || report.x + report.width > 320 ||
                report.y + report.height > 240) {
                error = at + "expected \"pixels X Y WIDTH HEIGHT\" inside the 320 x 240 screen";
                return false;
            }
            script.reports[number].push_back(report);
            continue;
        }
        ScriptedEvent event;
        std::string eventError;
        if (!ParseScriptedEvent(Join(words, 2), event, eventError)) {
            error = at + eventError;
            return false;
        }
        script.events[number].push_back(event);
    }
    return true;
}

void QueueFrameEvents(const InputScript& script, int frame, const InputBindings& bindings,
                      EventSource& events) {
    auto found = script.events.find(frame);
    if (found == script.events.end()) return;
    for (const ScriptedEvent& event : found->second) {
        int code = event.code;
        if (event.binding == kKeyPause || event.binding == kKeyMute) {
            const std::set<int>& keys = event.binding == kKeyPause ? bindings.pauseKeys : bindings.muteKeys;
            code = keys.empty() ? -1 : *keys.begin();
        } else if (!event.binding.empty()) {
            const BindingName* binding = FindBinding(event.binding);
            code = CodeFor(binding->joystick ? bindings.joystickButtons : bindings.keys,
                           binding->action);
        }
        if (!event.binding.empty() && code < 0) {
            std::printf("Input script, frame %d: nothing is bound to %s\n", frame, event.binding.c_str());
            continue;
        }
        switch (event.kind) {
            case ScriptedEvent::Kind::Key:
                events.PushKey(code, event.down);
                break;
            case ScriptedEvent::Kind::Button:
                events.PushJoystickButton(code, event.down);
                break;
            case ScriptedEvent::Kind::Axis:
                events.PushJoystickAxis(code, event.value);
                break;
            case ScriptedEvent::Kind::Hat:
                events.PushJoystickHat(event.value);
                break;
            case ScriptedEvent::Kind::Focus:
                events.PushFocus(event.value != 0);
                break;
            case ScriptedEvent::Kind::Quit:
                events.PushQuit();
                break;
        }
    }
}

std::string ScriptEventText(const SDL_Event& event, const InputBindings& bindings) {
    // The binding name of the action a code drives, "" for none.
    auto bindingOf = [](const std::map<int, int>& map, int code, bool joystick) -> std::string {
        auto found = map.find(code);
        if (found == map.end()) return "";
        for (const BindingName& binding : kBindingNames)
            if (binding.action == found->second && binding.joystick == joystick) return binding.name;
        return "";
    };
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (IsFullscreenToggle(event)) return "";
            const std::string verb = event.type == SDL_KEYDOWN ? "press " : "release ";
            const int sym = event.key.keysym.sym;
            if (bindings.pauseKeys.count(sym)) return verb + kKeyPause;
            if (bindings.muteKeys.count(sym)) return verb + kKeyMute;
            const std::string bound = bindingOf(bindings.keys, sym, false);
            if (!bound.empty()) return verb + bound;
            // The debug keys change what a run does (F5 reloads the stage).
            const bool debugKey = (sym >= SDLK_1 && sym <= SDLK_7) || sym == SDLK_F5;
            return debugKey ? verb + KeyName(sym) : "";
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP: {
            const std::string bound = bindingOf(bindings.joystickButtons, event.jbutton.button, true);
            if (bound.empty()) return "";
            return (event.type == SDL_JOYBUTTONDOWN ? "press " : "release ") + bound;
        }
        case SDL_JOYAXISMOTION:
            return event.jaxis.axis == 0 ? "stick " + std::to_string(event.jaxis.value) : "";
        case SDL_JOYHATMOTION:
            return "hat " + std::to_string(event.jhat.value);
        case SDL_ACTIVEEVENT:
            if (!(event.active.state & SDL_APPINPUTFOCUS)) return "";
            return event.active.gain ? "focus gained" : "focus lost";
        default:
            return "";
    }
}
