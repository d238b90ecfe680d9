// GameState: what the hero's rules, the stage flow and the scripts act on,
// one instance for the run. The World owns the objects (the hero is the
// front of "Player"), the stage and the camera centre; beside it live the
// controls, the stage flow with its fade, the per-frame camera step's state
// and the hero controller's own state. The program's wiring (app/Game) adds
// the window, the bindings, the sound cache, the Lua host and the debug
// values. Nothing here needs a window.
#pragma once

#include "objects/World.h"
#include "player/Controls.h"
#include "player/PlayerState.h"
#include "player/StageFlow.h"
#include "stage/Camera.h"

struct GameState {
    GameState() = default;
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    World world;
    Controls controls;
    StageFlow flow;
    ScreenFade fade;
    CameraState cameraState;  // the per-frame camera step's zone and band
    PlayerState player;
    bool quit = false;
    int frameCounter = 0;  // frames run so far
};
