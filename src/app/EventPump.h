// EventPump: drains the pending window, keyboard and joystick events of one
// frame and turns them into actions.
//
// Escape and the window's close button ask to quit. The digit keys "1" to
// "7" and F5 are debug keys and never reach the bindings: "1"/"2" choose the
// video mode, "3"/"4" the debug tile mode (each with a caption naming it),
// "5"/"6" lower and raise the frame threshold by 1 without bounds, "7" turns
// the debug overlay on and off (the caption stays), F5 asks for the stage
// to be reloaded from disk. A "keymute" key mutes and unmutes all sound; a
// "keypause" key pauses and goes on, and the window losing input focus
// pauses (unless PauseOnFocusLoss=0). While paused, presses reach no action. Any other key or
// joystick button is looked up in its map; an unbound one is ignored, a bound
// one marks its ActionState and then calls the hero's reaction (HeroActions).
// Joystick axis 0 is the horizontal stick; other axes are ignored. The hat
// (a d-pad) moves like the stick when its left or right changes, and its up
// and down press and release Up and Down.
//
// Events come from an EventSource: SDL's own queue in the game, or a queue of
// prepared events for tests and recorded input, so the pump runs without a
// window.
#pragma once

#include <SDL.h>

#include <deque>

struct Game;

struct EventSource {
    bool fromSdl = true;  // false: read only `queued`
    std::deque<SDL_Event> queued;

    static EventSource Sdl() { return EventSource(); }
    static EventSource Queue() {
        EventSource source;
        source.fromSdl = false;
        return source;
    }

    bool Next(SDL_Event& event);

    void Push(const SDL_Event& event) { queued.push_back(event); }
    void PushKey(int sym, bool down);
    void PushJoystickButton(int button, bool down);
    void PushJoystickAxis(int axis, int value);
    void PushJoystickHat(int value);
    void PushFocus(bool gained);
    void PushQuit();
};

// Alt+Enter or F11: the window's business, never the game's.
bool IsFullscreenToggle(const SDL_Event& event);

// Handles every pending event; true as soon as one asks to quit (the events
// after it stay queued), false once the source is empty.
bool ProcessEvents(Game& game, EventSource& events);
