#include "app/EventPump.h"

#include "app/Game.h"
#include "app/InputScript.h"
#include "app/Replay.h"
#include "player/HeroActions.h"

namespace {

// The action bound to code in map, or -1.
int BoundAction(const std::map<int, int>& map, int code) {
    auto found = map.find(code);
    if (found == map.end() || found->second < 0 || found->second >= kActionCount) return -1;
    return found->second;
}

void SetPaused(Game& game, bool paused) {
    game.paused = paused;
    game.sounds.SetPaused(paused);
}

// True when sym is one of the debug keys, which it then runs.
bool RunDebugKey(Game& game, int sym) {
    switch (sym) {
        case SDLK_1:
        case SDLK_2:
            game.videoMode = sym == SDLK_1 ? 1 : 2;
            SetWindowCaption(game, "Video Mode: " + std::to_string(game.videoMode));
            return true;
        case SDLK_3:
        case SDLK_4:
            game.tileMode = sym == SDLK_3 ? 1 : 2;
            SetWindowCaption(game, "Tile Mode: " + std::to_string(game.tileMode));
            return true;
        case SDLK_5:
            --game.frameThreshold;
            return true;
        case SDLK_6:
            ++game.frameThreshold;
            return true;
        case SDLK_7:
            game.overlay = !game.overlay;
            return true;
        case SDLK_F5:
            game.reloadRequested = true;
            return true;
        default:
            return false;
    }
}

void Pressed(Game& game, int action, InputDevice device) {
    if (action < 0 || game.paused) return;  // nothing moves while paused
    Controls::Press(game.controls.actions[action]);
    OnActionPressed(game, static_cast<Action>(action), device);
}

void Released(Game& game, int action, InputDevice device) {
    if (action < 0) return;
    Controls::Release(game.controls.actions[action]);
    OnActionReleased(game, static_cast<Action>(action), device);
}

void StickMoved(Game& game, int value) {
    game.controls.stickX = value;
    if (value > kStickDeadZone) {
        OnActionPressed(game, Right, InputDevice::JoystickStick);
    } else if (value < -kStickDeadZone) {
        OnActionPressed(game, Left, InputDevice::JoystickStick);
    } else {
        OnStickCentred(game);
    }
}

// A d-pad: the stick pushed all the way, and Up and Down as buttons.
void HatMoved(Game& game, int value) {
    const int was = game.hat;
    game.hat = value;
    const int sideways = SDL_HAT_LEFT | SDL_HAT_RIGHT;
    if ((value & sideways) != (was & sideways))
        StickMoved(game, value & SDL_HAT_LEFT ? -32768 : value & SDL_HAT_RIGHT ? 32767 : 0);
    const struct { int bit; Action action; } vertical[] = {{SDL_HAT_UP, Up}, {SDL_HAT_DOWN, Down}};
    for (const auto& v : vertical) {
        if ((value & v.bit) && !(was & v.bit)) Pressed(game, v.action, InputDevice::JoystickButton);
        if (!(value & v.bit) && (was & v.bit)) Released(game, v.action, InputDevice::JoystickButton);
    }
}

}  // namespace

bool EventSource::Next(SDL_Event& event) {
    if (!queued.empty()) {
        event = queued.front();
        queued.pop_front();
        return true;
    }
    return fromSdl && SDL_PollEvent(&event) != 0;
}

void EventSource::PushKey(int sym, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    Push(event);
}

void EventSource::PushJoystickButton(int button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.type = event.type;
    event.jbutton.button = static_cast<Uint8>(button);
    event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    Push(event);
}

void EventSource::PushJoystickAxis(int axis, int value) {
    SDL_Event event{};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.type = event.type;
    event.jaxis.axis = static_cast<Uint8>(axis);
    event.jaxis.value = static_cast<Sint16>(value);
    Push(event);
}

void EventSource::PushJoystickHat(int value) {
    SDL_Event event{};
    event.type = SDL_JOYHATMOTION;
    event.jhat.type = event.type;
    event.jhat.value = static_cast<Uint8>(value);
    Push(event);
}

void EventSource::PushFocus(bool gained) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.type = event.type;
    event.active.gain = gained ? 1 : 0;
    event.active.state = SDL_APPINPUTFOCUS;
    Push(event);
}

void EventSource::PushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    Push(event);
}

bool IsFullscreenToggle(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN) return false;
    const SDL_keysym& key = event.key.keysym;
    return key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT));
}

bool ProcessEvents(Game& game, EventSource& events) {
    // Paused, events arrive after the last frame ran: before the next one.
    const int frame = game.frameCounter + (game.paused ? 1 : 0);
    SDL_Event event;
    while (events.Next(event)) {
        if (game.recorder) game.recorder->Event(frame, ScriptEventText(event, game.bindings));
        switch (event.type) {
            case SDL_KEYDOWN: {
                const int sym = event.key.keysym.sym;
                if (sym == SDLK_ESCAPE) return true;
                if (IsFullscreenToggle(event)) {
                    game.fullscreenToggle = true;
                    break;
                }
                if (RunDebugKey(game, sym)) break;
                if (game.bindings.muteKeys.count(sym)) {
                    game.sounds.SetMuted(!game.sounds.Muted());
                    break;
                }
                if (game.bindings.pauseKeys.count(sym)) {
                    SetPaused(game, !game.paused);
                    break;
                }
                Pressed(game, BoundAction(game.bindings.keys, sym), InputDevice::Keyboard);
                break;
            }
            case SDL_KEYUP:
                Released(game, BoundAction(game.bindings.keys, event.key.keysym.sym),
                         InputDevice::Keyboard);
                break;
            case SDL_JOYAXISMOTION:
                if (event.jaxis.axis == 0) StickMoved(game, event.jaxis.value);
                break;
            case SDL_JOYHATMOTION:
                HatMoved(game, event.jhat.value);
                break;
            case SDL_JOYBUTTONDOWN:
                Pressed(game, BoundAction(game.bindings.joystickButtons, event.jbutton.button),
                        InputDevice::JoystickButton);
                break;
            case SDL_JOYBUTTONUP:
                Released(game, BoundAction(game.bindings.joystickButtons, event.jbutton.button),
                         InputDevice::JoystickButton);
                break;
            case SDL_ACTIVEEVENT:
                if (!event.active.gain && (event.active.state & SDL_APPINPUTFOCUS) && game.pauseOnFocusLoss)
                    SetPaused(game, true);
                break;
            case SDL_QUIT:
                return true;
            default:
                break;
        }
    }
    return false;
}
