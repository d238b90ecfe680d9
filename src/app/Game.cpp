#include "app/Game.h"

#include <SDL.h>

Game::Game() {
    world.script = &script;
    world.sounds = &sounds;
    script.RegisterApi(*this);
}

void SetWindowCaption(Game& game, const std::string& caption) {
    game.caption = caption;
    SDL_WM_SetCaption(caption.c_str(), nullptr);
}
