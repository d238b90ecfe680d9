#include "player/StageFlow.h"

#include <climits>

#include "core/ConfigFile.h"
#include "core/StepLimit.h"
#include "player/GameState.h"
#include "player/HeroHealth.h"
#include "player/HeroSounds.h"

bool StageFlow::ReadGameConfig(const std::string& path) {
    return ReadConfigFile(path, [this](const std::string& key, const std::string& value) {
        if (key == "OpeningStage") openingStage = FirstWord(value);
    });
}

void BeginStage(GameState& game) {
    World& world = game.world;
    StageFlow& flow = game.flow;
    GameObject* hero = world.Hero();
    if (!hero) return;
    EndOpeningObjects(world, flow.opening);

    // Scripts learn the stage's name first: hooks run during the drop below.
    if (world.script) world.script->SetGlobal("StageName", world.stageName);

    game.fade.mode = 1;
    game.fade.level = 1.0f;
    flow.inputEnabled = false;
    // No event is read until the hero appears, so a key held into the fade
    // (at an exit or a restart) would otherwise walk the hidden hero away
    // from where the beam comes down. A key still down afterwards needs a
    // new press.
    for (ActionState& action : game.controls.actions) action = ActionState();
    hero->visible = false;
    world.SetChannelMute(kMovementChannel, true);

    // The hero falls onto the ground before anything is shown.
    StepLimit drop("The hero did not land");
    do {
        world.UpdateAllObjects();
    } while (hero->airborne != 0 && drop.Next());
    SettleCamera(world.stage, hero->position, world.camera, flow.settleCamera);

    flow.phaseTimer = 0;
    flow.phase = 1;
    flow.spawner.cameraKnown = false;
}

void StepStageFlow(GameState& game) {
    StageFlow& flow = game.flow;
    if (!game.world.Hero()) return;
    if (flow.phaseTimer < INT_MAX) ++flow.phaseTimer;
    RunOpening(game);
    SpawnEnemies(game.world, flow.spawner);
    StepFadeAndSwitch(game);
    RunLifeRefill(game);
}

bool GaugeShown(const StageFlow& flow) {
    return flow.phase != 1 && flow.phase != 2;
}

int WipeWidth(const StageFlow& flow) {
    constexpr int kWipeFrom = 72, kWipeTo = 88, kWipeSpeed = 15;
    if (flow.phase != 1 || flow.phaseTimer <= kWipeFrom || flow.phaseTimer >= kWipeTo) return -1;
    return (flow.phaseTimer - kWipeFrom) * kWipeSpeed;
}
