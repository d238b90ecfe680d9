// Game: the program-wide state, one instance for the run. It holds the World
// (objects, stage, caches, the Lua state) and the few singletons beside it:
// input bindings, stage flow, fade, camera centre, hero pointer, quit flag and
// the debug values. Tests build their own Game; nothing here needs a window.
#pragma once

#include <string>

#include "app/InputBindings.h"
#include "core/Vector2.h"
#include "objects/World.h"
#include "player/PlayerState.h"
#include "player/StageFlow.h"
#include "stage/Camera.h"

struct Game {
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    World world;
    InputBindings bindings;
    StageFlow flow;
    ScreenFade fade;
    Vector2 camera;
    CameraState cameraState;  // the per-frame camera step's zone and band
    GameObject* hero = nullptr;
    PlayerState player;
    bool quit = false;

    int videoMode = 2;        // 2 normal drawing, 1 debug view
    int tileMode = 1;         // debug view: 1 dense, else sparse
    int frameThreshold = 20;  // a frame is due after more than this many ms
    int frameCounter = 0;     // frames run so far

    std::string caption;  // the window caption as last set
};

// Sets the window caption (a no-op for SDL without a window) and remembers it.
void SetWindowCaption(Game& game, const std::string& caption);
