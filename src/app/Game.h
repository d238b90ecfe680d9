// Game: the program-wide state, one instance for the run: the play state
// (GameState: the World, the stage flow, the hero's controls) and what the
// program wires to it: the Lua host and the sound cache the World reaches
// through its interfaces, the input bindings, the debug values and the
// window caption. Tests build their own Game; nothing here needs a window.
#pragma once

#include <string>

#include "app/InputBindings.h"
#include "app/SoundCache.h"
#include "player/GameState.h"
#include "script/ScriptHost.h"

class RunRecorder;

struct Game : GameState {
    Game();

    ScriptHost script;
    SoundCache sounds;
    InputBindings bindings;

    int videoMode = 2;        // 2 normal drawing, 1 debug view
    int tileMode = 1;         // debug view: 1 dense, else sparse
    int frameThreshold = 20;  // a frame is due after more than this many ms
    bool overlay = false;          // debug key 7: hit boxes, tile states, zones, placements
    bool reloadRequested = false;  // F5: the stage afresh from disk at the next frame
    int hat = 0;                   // the joystick hat's last bits (SDL_HAT_*)
    bool paused = false;           // a pause key, or the window losing focus: no frame runs
    bool pauseOnFocusLoss = true;  // PauseOnFocusLoss in game.cfg
    bool fullscreenToggle = false; // Alt+Enter or F11: the main loop switches window and fullscreen

    std::string caption;  // the window caption as last set
    RunRecorder* recorder = nullptr;  // --record: takes every event the game takes
};

// Sets the window caption (a no-op for SDL without a window) and remembers it.
void SetWindowCaption(Game& game, const std::string& caption);
