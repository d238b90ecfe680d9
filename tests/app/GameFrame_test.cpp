// One frame's simulation without a window: input only while the stage flow
// lets it through, quits at the two places they can happen, the death check.
#include "app/GameFrame.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/Game.h"
#include "player/EventPump.h"
#include "support/TestSupport.h"

namespace {

class GameFrameTest : public testing::Test {
protected:
    GameFrameTest() : dir_(MakeTempDir("frame")), cwd_(dir_) {
        testing::internal::CaptureStdout();  // the hero's missing sheets are reported
        game.hero = game.world.CreateObjectInCategory("Rook", 0, "Player");
        testing::internal::GetCapturedStdout();
        game.flow.inputEnabled = true;
        game.bindings.BindKey(Jump, SDLK_z);
        game.bindings.BindKey(Attack1, SDLK_x);
    }

    std::string dir_;
    ScopedWorkingDirectory cwd_;
    Game game;
    EventSource events = EventSource::Queue();
};

}  // namespace

TEST_F(GameFrameTest, PressAndReleaseWithinOneFrame) {
    events.PushKey(SDLK_z, true);
    events.PushKey(SDLK_z, false);
    events.PushKey(SDLK_x, true);
    ASSERT_TRUE(RunGameFrame(game, events));
    const ActionState& jump = game.bindings[Jump];
    const ActionState& fire = game.bindings[Attack1];
    EXPECT_EQ((std::vector<int>{jump.pressed, jump.released, jump.held}), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ((std::vector<int>{fire.pressed, fire.released, fire.held}), (std::vector<int>{1, 0, 1}));

    // The next frame that reads input clears both edges; held stays.
    ASSERT_TRUE(RunGameFrame(game, events));
    EXPECT_EQ(jump.released, 0);
    EXPECT_EQ(fire.pressed, 0);
    EXPECT_EQ(fire.held, 1);
    EXPECT_EQ(game.frameCounter, 2);
}

TEST_F(GameFrameTest, NoEventIsReadWhileInputIsOffOrTheGameIsFrozen) {
    game.bindings.Press(game.bindings.actions[Jump]);
    events.PushKey(SDLK_ESCAPE, true);
    events.PushQuit();

    game.flow.inputEnabled = false;
    EXPECT_TRUE(RunGameFrame(game, events));
    game.flow.inputEnabled = true;
    game.flow.frozen = true;
    EXPECT_TRUE(RunGameFrame(game, events));
    EXPECT_EQ(events.queued.size(), 2u);
    EXPECT_EQ(game.bindings[Jump].pressed, 1) << "edges are cleared only with input";

    game.flow.frozen = false;
    EXPECT_FALSE(RunGameFrame(game, events)) << "Escape";
    EXPECT_EQ(events.queued.size(), 1u) << "the pump stops at the quit";
    EXPECT_FALSE(RunGameFrame(game, events)) << "the window's close button";
    EXPECT_TRUE(events.queued.empty());
}

TEST_F(GameFrameTest, QuitFlagEndsTheFrameAfterTheUpdateAndDeathIsCheckedOnce) {
    game.quit = true;
    EXPECT_FALSE(RunGameFrame(game, events));
    EXPECT_EQ(game.frameCounter, 1);
    game.quit = false;

    EXPECT_EQ(game.hero->hurtTimer, 0) << "alive";
    game.world.heroAlive = false;
    game.hero->hurtTimer = 99;
    // The hurt step of the same frame then counts the sequence on by one.
    EXPECT_TRUE(RunGameFrame(game, events));
    EXPECT_EQ(game.hero->hurtTimer, 101);
    game.hero->hurtTimer = 105;
    EXPECT_TRUE(RunGameFrame(game, events));
    EXPECT_EQ(game.hero->hurtTimer, 106) << "a running death sequence is not restarted";
}
