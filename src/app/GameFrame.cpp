#include "app/GameFrame.h"

#include "app/Game.h"
#include "app/EventPump.h"
#include "player/HeroController.h"
#include "player/HeroHealth.h"
#include "player/HeroShooting.h"
#include "stage/Camera.h"

bool RunGameFrame(Game& game, EventSource& events) {
    ++game.frameCounter;
    GameObject* hero = game.hero;
    StageFlow& flow = game.flow;

    if (hero && !game.world.heroAlive && hero->hurtTimer < kDeathHurtTimer)
        hero->hurtTimer = kDeathHurtTimer;

    // No event is read at all while input is off: Escape and the close button
    // wait in SDL's queue until the stage opening is over.
    if (!flow.frozen && flow.inputEnabled) {
        game.bindings.ClearEdges();
        if (ProcessEvents(game, events)) return false;
    }

    if (hero && hero->hurtTimer < kKnockBackEnd && !flow.frozen) UpdateHeroControls(game);
    if (hero && hero->hurtTimer != 0 && !flow.frozen) RunHurtStep(game);
    if (!flow.frozen) game.world.UpdateAllObjects();
    flow.StepStageFlow();

    if (game.quit) return false;

    // Each under its own condition: the stage-flow step may just have frozen
    // the game for a life refill.
    if (hero && hero->hurtTimer < kKnockBackEnd && !flow.frozen) UpdateHeroAnimation(game);
    if (hero) UpdateChargeDisplay(game);
    if (hero && hero->hurtTimer != 0 && !flow.frozen) UpdateHurtFlashing(game);

    if (hero) UpdateCamera(game.world.stage, *hero, game.camera, game.cameraState);
    return true;
}
