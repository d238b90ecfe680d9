// The demo's own stage flow from game/ through the real frame: the opening,
// the exit gates between Foundry and Foundry2, and Rook's death and restart.
// Needs the "sheets" and "stages" targets.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "app/GameFrame.h"
#include "app/Startup.h"
#include "player/EventPump.h"
#include "support/TestSupport.h"

namespace {

class DemoFlow : public testing::Test {
protected:
    DemoFlow() : cwd_(GameDir()) {
        game.world.sounds.log = &sounds;
        testing::internal::CaptureStdout();
        CreateHero(game);
        hero = game.hero;
        game.world.LoadStage("Foundry", *hero);
        game.player.shownHealth = hero->health;
        game.player.previousHealth = hero->health;
        game.flow.BeginStage();
        EXPECT_EQ("", testing::internal::GetCapturedStdout()) << "every file of the demo is there";
    }

    void Frame() { ASSERT_TRUE(RunGameFrame(game, events)); }

    bool RunToPhase(int phase, int cap = 600) {
        for (int i = 0; i < cap && game.flow.phase != phase; ++i) Frame();
        return game.flow.phase == phase;
    }

    int Count(const std::string& category, const std::string& name) {
        int n = 0;
        for (const GameObject& o : game.world.List(category)) n += o.name == name;
        return n;
    }

    // The hero in the exit gate, the camera just short of bringing it into view.
    void TakeTheExit(float gateX, float padTop, const std::string& next) {
        ASSERT_TRUE(RunToPhase(0));
        hero->position = Vector2(gateX - 8.0f, padTop - 60.0f);  // boxes overlap
        game.camera = Vector2(gateX - 180.0f, game.camera.y);
        game.flow.spawnCamera = game.camera;
        bool gateSeen = false;
        for (int i = 0; i < 600 && game.world.stageName != next; ++i) {
            Frame();
            gateSeen = gateSeen || Count("Enemies", "ExitGate") == 1;
        }
        EXPECT_TRUE(gateSeen);
        ASSERT_EQ(next, game.world.stageName);
        EXPECT_EQ(1, game.flow.phase);
        EXPECT_EQ(32.0f, hero->health);
    }

    ScopedWorkingDirectory cwd_;
    Game game;
    GameObject* hero = nullptr;
    EventSource events = EventSource::Queue();
    std::vector<SoundRequest> sounds;
};

}  // namespace

TEST_F(DemoFlow, TheOpeningUsesTheShippedObjects) {
    ASSERT_TRUE(RunToPhase(3));
    EXPECT_EQ(1, Count("Player", "Rook Teleport"));
    ASSERT_TRUE(RunToPhase(0, 100)) << "the beam lands and appears within two seconds";
    EXPECT_TRUE(hero->visible);
    EXPECT_TRUE(game.flow.inputEnabled);
    EXPECT_EQ(0, Count("Player", "Rook Teleport"));
    EXPECT_EQ(0, hero->airborne);
}

TEST_F(DemoFlow, TheExitGatesLeadToFoundry2AndBack) {
    // Foundry's teleporter: x 3040 ... 3088, its pad's top at y 368.
    TakeTheExit(3048.0f, 368.0f, "Foundry2");
    // Foundry2's: x 1616 ... 1664, the pad at y 480.
    TakeTheExit(1624.0f, 480.0f, "Foundry");
}

TEST_F(DemoFlow, RookBurstsOnDeathAndTheStageStartsOver) {
    ASSERT_TRUE(RunToPhase(0));
    const Vector2 start(64.0f, hero->position.y);
    hero->position.x = 300.0f;
    Frame();
    ASSERT_TRUE(game.world.script.RunString("DamagePlayer(GetPlayer(), 40)", "test"));
    // Nine frames of dying, then he vanishes in the bursts.
    for (int frame = 1; frame <= 9; ++frame) Frame();
    EXPECT_EQ(0, Count("PlayerFX", "Explosion"));
    EXPECT_EQ(108, hero->hurtTimer);
    Frame();
    EXPECT_LT(108, hero->hurtTimer);
    EXPECT_EQ(12, Count("PlayerFX", "Explosion"));
    EXPECT_EQ(0, game.fade.mode) << "a moment before the fade";

    ASSERT_TRUE(RunToPhase(1, 200)) << "faded out and the stage begun again";
    EXPECT_EQ("Foundry", game.world.stageName);
    EXPECT_TRUE(game.world.heroAlive);
    EXPECT_EQ(0, hero->hurtTimer);
    // On the start cell's ground (a standing object's fraction of a pixel moves).
    EXPECT_EQ(start.x, hero->position.x);
    EXPECT_EQ(static_cast<int>(start.y), static_cast<int>(hero->position.y));
    ASSERT_TRUE(RunToPhase(0));
    EXPECT_TRUE(hero->visible);
}
