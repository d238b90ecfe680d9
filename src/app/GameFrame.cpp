#include "app/GameFrame.h"

#include "app/Game.h"
#include "player/EventPump.h"
#include "stage/Camera.h"

namespace {

// A dead hero's hurt timer is raised to this at the top of the frame, which
// starts the death sequence.
constexpr int kDeathHurtTimer = 100;

}  // namespace

bool RunGameFrame(Game& game, EventSource& events) {
    ++game.frameCounter;
    GameObject* hero = game.hero;

    if (hero && !game.world.heroAlive && hero->hurtTimer < kDeathHurtTimer)
        hero->hurtTimer = kDeathHurtTimer;

    // No event is read at all while input is off: Escape and the close button
    // wait in SDL's queue until the stage opening is over.
    if (!game.flow.frozen && game.flow.inputEnabled) {
        game.bindings.ClearEdges();
        if (ProcessEvents(game, events)) return false;
    }

    if (!game.flow.frozen) game.world.UpdateAllObjects();

    if (game.quit) return false;

    if (hero) UpdateCamera(game.world.stage, *hero, game.camera, game.cameraState);
    return true;
}
