#include "app/Game.h"

#include <SDL.h>

Game::Game() {
    world.camera = &camera;
    world.cameraStates.push_back(&cameraState);
    world.cameraStates.push_back(&flow.settleCamera);
    world.script.RegisterApi(*this);
}

void SetWindowCaption(Game& game, const std::string& caption) {
    game.caption = caption;
    SDL_WM_SetCaption(caption.c_str(), nullptr);
}
