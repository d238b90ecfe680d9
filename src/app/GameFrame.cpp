#include "app/GameFrame.h"

#include "app/EventPump.h"
#include "app/Game.h"
#include "app/Startup.h"
#include "player/HeroController.h"
#include "player/HeroHealth.h"
#include "player/HeroShooting.h"
#include "stage/Camera.h"
#include "render/FrameComposition.h"

bool RunGameFrame(Game& game, EventSource& events) {
    // Paused, only the events run (the pause key going on, a quit), and no
    // frame: nothing moves and the frame counter stands still.
    if (game.paused) return !ProcessEvents(game, events);
    ++game.frameCounter;
    GameObject* hero = game.world.Hero();
    StageFlow& flow = game.flow;

    if (hero && !game.world.heroAlive && !IsDying(*hero))
        hero->hurtTimer = kDeathHurtTimer;

    // No event is read at all while input is off: Escape and the close button
    // wait in SDL's queue until the stage opening is over.
    if (!flow.frozen && flow.inputEnabled) {
        game.controls.ClearEdges();
        if (ProcessEvents(game, events)) return false;
    }
    if (game.reloadRequested) {
        ReloadStage(game);  // the frame ends with the new opening's first step
        return true;
    }

    if (hero && HasControl(*hero) && !flow.frozen) UpdateHeroControls(game);
    if (hero && IsHurt(*hero) && !flow.frozen) RunHurtStep(game);
    if (!flow.frozen) game.world.UpdateAllObjects();
    StepStageFlow(game);

    if (game.quit) return false;

    // Each under its own condition: the stage-flow step may just have frozen
    // the game for a life refill.
    if (hero && HasControl(*hero) && !flow.frozen) UpdateHeroAnimation(game);
    if (hero) UpdateChargeDisplay(game);
    if (hero && IsHurt(*hero) && !flow.frozen) UpdateHurtFlashing(game);

    if (hero) UpdateCamera(game.world.stage, hero->position, game.world.camera, game.cameraState);
    return true;
}

FrameView ViewOf(const Game& game) {
    FrameView view;
    view.world = &game.world;
    view.camera = game.world.camera;
    view.videoMode = game.videoMode;
    view.tileMode = game.tileMode;
    const GameObject* hero = game.world.Hero();
    view.heroShown = !hero || !IsHiddenByDeath(*hero);
    view.gaugeShown = hero && GaugeShown(game.flow);
    view.health = hero ? hero->health : 0.0f;
    view.shownHealth = game.player.shownHealth;
    view.wipe = WipeWidth(game.flow);
    view.fade = game.fade.level;
    view.overlay = game.overlay;
    view.paused = game.paused;
    return view;
}
