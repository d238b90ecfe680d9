// The event pump fed with prepared SDL events: quits, debug keys, bindings,
// joystick buttons and the stick.
#include "player/EventPump.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/Game.h"

namespace {

struct PumpTest : testing::Test {
    Game game;
    EventSource events = EventSource::Queue();
};

}  // namespace

TEST_F(PumpTest, EscapeAndCloseAskToQuitAndLeaveLaterEventsQueued) {
    EXPECT_FALSE(ProcessEvents(game, events)) << "an empty queue";
    events.PushKey(SDLK_ESCAPE, true);
    events.PushKey(SDLK_z, true);
    EXPECT_TRUE(ProcessEvents(game, events));
    EXPECT_EQ(events.queued.size(), 1u);
    events.queued.clear();
    events.PushQuit();
    EXPECT_TRUE(ProcessEvents(game, events));
    events.PushKey(SDLK_ESCAPE, false);
    EXPECT_FALSE(ProcessEvents(game, events)) << "only a press of Escape quits";
}

TEST_F(PumpTest, DebugKeysNeverReachTheBindings) {
    for (int code = SDLK_1; code <= SDLK_6; ++code) game.bindings.BindKey(Jump, code);
    const struct {
        int key, videoMode, tileMode;
        const char* caption;
    } steps[] = {
        {SDLK_1, 1, 1, "Video Mode: 1"},
        {SDLK_4, 1, 2, "Tile Mode: 2"},
        {SDLK_3, 1, 1, "Tile Mode: 1"},
        {SDLK_2, 2, 1, "Video Mode: 2"},
    };
    for (const auto& step : steps) {
        events.PushKey(step.key, true);
        EXPECT_FALSE(ProcessEvents(game, events));
        EXPECT_EQ(game.videoMode, step.videoMode) << step.caption;
        EXPECT_EQ(game.tileMode, step.tileMode) << step.caption;
        EXPECT_EQ(game.caption, step.caption);
    }
    // "5" twenty-one times takes the threshold below zero; there are no bounds.
    for (int i = 0; i < 21; ++i) events.PushKey(SDLK_5, true);
    ProcessEvents(game, events);
    EXPECT_EQ(game.frameThreshold, -1);
    events.PushKey(SDLK_6, true);
    events.PushKey(SDLK_6, true);
    ProcessEvents(game, events);
    EXPECT_EQ(game.frameThreshold, 1);
    EXPECT_EQ(game.caption, "Video Mode: 2") << "threshold keys leave the caption";
    EXPECT_EQ(game.bindings[Jump].pressed, 0);
    EXPECT_EQ(game.bindings[Jump].held, 0);
}

TEST_F(PumpTest, BoundKeysAndButtonsMarkTheirActionAndOnlyAxisZeroIsTheStick) {
    game.bindings.BindKey(Dash, SDLK_c);
    game.bindings.BindKey(Dash, SDLK_LSHIFT);
    game.bindings.BindJoystickButton(Jump, 2);
    events.PushKey(SDLK_c, true);
    events.PushKey(SDLK_b, true);  // unbound
    events.PushJoystickButton(2, true);
    events.PushJoystickButton(9, true);  // unbound
    events.PushJoystickAxis(0, 20000);
    events.PushJoystickAxis(1, -32768);
    ProcessEvents(game, events);
    EXPECT_EQ(game.bindings[Dash].pressed, 1);
    EXPECT_EQ(game.bindings[Dash].held, 1);
    EXPECT_EQ(game.bindings[Jump].held, 1);
    EXPECT_EQ(game.bindings.stickX, 20000);
    for (int action : {0, 1, 4, 5, 6, 7, 8, 9, 10}) {  // all but Dash and Jump; the stick marks none
        EXPECT_EQ(game.bindings.actions[action].held, 0) << action;
        EXPECT_EQ(game.bindings.actions[action].pressed, 0) << action;
    }

    events.PushKey(SDLK_LSHIFT, false);
    events.PushJoystickButton(2, false);
    ProcessEvents(game, events);
    EXPECT_EQ(game.bindings[Dash].released, 1);
    EXPECT_EQ(game.bindings[Dash].held, 0);
    EXPECT_EQ(game.bindings[Jump].released, 1);
    EXPECT_EQ(game.bindings[Jump].held, 0);
}
