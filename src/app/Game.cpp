#include "app/Game.h"

Game::Game() {
    world.camera = &camera;
    world.cameraStates.push_back(&cameraState);
    world.cameraStates.push_back(&flow.settleCamera);
    world.script.RegisterApi(*this);
}
