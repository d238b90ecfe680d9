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

    events.PushKey(SDLK_1, true);
    EXPECT_FALSE(ProcessEvents(game, events));
    EXPECT_EQ(game.videoMode, 1);
    EXPECT_EQ(game.caption, "Video Mode: 1");
    events.PushKey(SDLK_4, true);
    ProcessEvents(game, events);
    EXPECT_EQ(game.tileMode, 2);
    EXPECT_EQ(game.caption, "Tile Mode: 2");
    events.PushKey(SDLK_3, true);
    events.PushKey(SDLK_2, true);
    ProcessEvents(game, events);
    EXPECT_EQ(game.tileMode, 1);
    EXPECT_EQ(game.videoMode, 2);
    EXPECT_EQ(game.caption, "Video Mode: 2");
    EXPECT_EQ(game.bindings[Jump].pressed, 0);
    EXPECT_EQ(game.bindings[Jump].held, 0);

    // "5" twenty-one times takes the threshold below zero; there are no bounds.
    for (int i = 0; i < 21; ++i) events.PushKey(SDLK_5, true);
    ProcessEvents(game, events);
    EXPECT_EQ(game.frameThreshold, -1);
    events.PushKey(SDLK_6, true);
    events.PushKey(SDLK_6, true);
    ProcessEvents(game, events);
    EXPECT_EQ(game.frameThreshold, 1);
    EXPECT_EQ(game.caption, "Video Mode: 2") << "threshold keys leave the caption";
}

TEST_F(PumpTest, BoundKeysAndButtonsMarkTheirAction) {
    game.bindings.BindKey(Dash, SDLK_c);
    game.bindings.BindKey(Dash, SDLK_LSHIFT);
    game.bindings.BindJoystickButton(Jump, 2);

    events.PushKey(SDLK_c, true);
    events.PushKey(SDLK_b, true);  // unbound
    events.PushJoystickButton(2, true);
    events.PushJoystickButton(9, true);  // unbound
    ProcessEvents(game, events);
    EXPECT_EQ(game.bindings[Dash].pressed, 1);
    EXPECT_EQ(game.bindings[Dash].held, 1);
    EXPECT_EQ(game.bindings[Jump].held, 1);
    for (int action : {0, 1, 4, 5, 6, 7, 8, 9, 10}) {  // all but Dash and Jump
        EXPECT_EQ(game.bindings.actions[action].held, 0) << action;
        EXPECT_EQ(game.bindings.actions[action].pressed, 0) << action;
    }

    events.PushKey(SDLK_LSHIFT, false);
    events.PushJoystickButton(2, false);
    ProcessEvents(game, events);
    EXPECT_EQ(game.bindings[Dash].pressed, 0);
    EXPECT_EQ(game.bindings[Dash].released, 1);
    EXPECT_EQ(game.bindings[Dash].held, 0);
    EXPECT_EQ(game.bindings[Jump].released, 1);
    EXPECT_EQ(game.bindings[Jump].held, 0);
}

TEST_F(PumpTest, OnlyAxisZeroIsTheStick) {
    events.PushJoystickAxis(0, 20000);
    events.PushJoystickAxis(1, -32768);
    ProcessEvents(game, events);
    EXPECT_EQ(game.bindings.stickX, 20000);
    EXPECT_EQ(game.bindings[Right].pressed, 0) << "the stick marks no action";
    EXPECT_EQ(game.bindings[Right].held, 0);
    events.PushJoystickAxis(0, -5);
    ProcessEvents(game, events);
    EXPECT_EQ(game.bindings.stickX, -5);
}
