// Input through the real frame: the event pump's quits, debug keys and
// bindings, edges within one frame, input held back by the stage flow, and
// the input-script format that replays and tests are written in.
#include <SDL.h>

#include "support/TestWorld.h"

namespace {

class Input : public TestWorld {
protected:
    Input() { AddHero(); }
    std::vector<int> Edges(Action action) {
        const ActionState& a = game().controls[action];
        return {a.pressed, a.released, a.held};
    }
};

TEST_F(Input, EdgesBindingsAndTheStick) {
    game().bindings.BindKey(Dash, SDLK_LSHIFT);
    Step("press z, release z, press x, press c, press b, press button 9, stick 20000, axis 1 -32768");
    EXPECT_EQ(Edges(Jump), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Edges(Attack1), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(Edges(Dash), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(game().controls.stickX, 20000) << "only axis 0 is the stick";
    for (Action quiet : {Attack2, Left, Right, Up, Down, PrevWeapon, NextWeapon})
        EXPECT_EQ(Edges(quiet), (std::vector<int>{0, 0, 0})) << quiet;
    Step("release left shift, press joyjump");
    EXPECT_EQ(Edges(Attack1), (std::vector<int>{0, 0, 1})) << "edges last one frame";
    EXPECT_EQ(Edges(Dash), (std::vector<int>{0, 1, 0})) << "any of its keys releases it";
    EXPECT_EQ(Edges(Jump), (std::vector<int>{1, 0, 1}));
}

// A pause key stops the frames (nothing moves, the sounds hold) until it is
// pressed again; losing the window's focus pauses too, unless set otherwise.
TEST_F(Input, APauseKeyStopsTheFrames) {
    StandAt(100.0f);
    game().bindings.pauseKeys = {SDLK_p};
    const int frame = Step("press p").frame;
    EXPECT_TRUE(game().paused && game().sounds.Paused());
    EXPECT_EQ(Step("press right").frame, frame);
    EXPECT_EQ(hero().velocity.x, 0.0f);
    EXPECT_EQ(Step("press p").frame, frame) << "going on takes the next frame";
    EXPECT_FALSE(game().paused || game().sounds.Paused());
    EXPECT_EQ(Step().frame, frame + 1);
    for (const bool setting : {true, false}) {
        game().paused = false, game().pauseOnFocusLoss = setting;
        EventSource events = EventSource::Queue();
        events.PushFocus(true);
        events.PushFocus(false);
        ProcessEvents(game(), events);
        EXPECT_EQ(game().paused, setting);
    }
}

// The hat (a d-pad) pushes the stick all the way; its up and down are Up and Down.
TEST_F(Input, TheHatMovesLikeTheStick) {
    StandAt(100.0f);
    Step("hat 8");
    EXPECT_EQ(game().controls.stickX, -32768);
    EXPECT_EQ(hero().direction, -1);
    Step("hat 9");
    EXPECT_EQ(game().controls.stickX, -32768) << "up added: the stick stays";
    EXPECT_EQ(Edges(Up), (std::vector<int>{1, 0, 1}));
    Step("hat 6");
    EXPECT_EQ(game().controls.stickX, 32767);
    EXPECT_EQ(Edges(Up), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Edges(Down), (std::vector<int>{1, 0, 1}));
    Step("hat 0");
    EXPECT_EQ(game().controls.stickX, 0);
    EXPECT_EQ(Edges(Down), (std::vector<int>{0, 1, 0}));
}

TEST_F(Input, DebugKeysNeverReachTheBindings) {
    for (int code = SDLK_1; code <= SDLK_7; ++code) game().bindings.BindKey(Jump, code);
    game().bindings.BindKey(Jump, SDLK_m);
    game().bindings.muteKeys = {SDLK_m};
    Step("press m, release m");
    EXPECT_TRUE(game().sounds.Muted()) << "the mute key mutes, and only that";
    const struct {
        const char* key;
        int videoMode, tileMode;
        const char* caption;
    } steps[] = {{"1", 1, 1, "Video Mode: 1"},
                 {"4", 1, 2, "Tile Mode: 2"},
                 {"3", 1, 1, "Tile Mode: 1"},
                 {"2", 2, 1, "Video Mode: 2"}};
    for (const auto& step : steps) {
        Step(std::string("press ") + step.key);
        EXPECT_EQ(game().videoMode, step.videoMode) << step.caption;
        EXPECT_EQ(game().tileMode, step.tileMode) << step.caption;
        EXPECT_EQ(game().caption, step.caption);
    }
    std::string lower = "press 5";
    for (int i = 1; i < 21; ++i) lower += ", press 5";
    Step(lower);
    EXPECT_EQ(game().frameThreshold, -1) << "no lower bound";
    Step("press 6, press 6");
    EXPECT_EQ(game().frameThreshold, 1);
    EXPECT_EQ(game().caption, "Video Mode: 2") << "threshold keys leave the caption";
    Step("press 7");
    EXPECT_TRUE(game().overlay);
    Step("press 7, press 7, press 7");
    EXPECT_FALSE(game().overlay) << "each press turns it over";
    EXPECT_EQ(game().caption, "Video Mode: 2") << "the overlay leaves the caption";
    EXPECT_EQ(Edges(Jump), (std::vector<int>{0, 0, 0}));
}

TEST_F(Input, QuitsAndInputHeldBack) {
    // Off or frozen, no event is read and the edges stay.
    game().flow.inputEnabled = false;
    EXPECT_TRUE(Step("press z, press escape, quit").running);
    game().flow.inputEnabled = true;
    game().flow.frozen = true;
    EXPECT_TRUE(Step().running);
    game().flow.frozen = false;
    EXPECT_EQ(Edges(Jump), (std::vector<int>{0, 0, 0}));
    EXPECT_FALSE(Step().running) << "Escape; the close event stays queued";
    EXPECT_EQ(Edges(Jump), (std::vector<int>{1, 0, 1}));
    EXPECT_FALSE(Step().running) << "the window's close button";
    EXPECT_TRUE(Step("release escape").running) << "only a press of Escape quits";
    Lua("Quit()");
    const FrameState last = Step();
    EXPECT_FALSE(last.running);
    EXPECT_EQ(last.frame, 6);
}

TEST(InputScript, ParsesAndNamesTheBadLine) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(ParseInputScript(
        "seed 7 # remark\nframes 90\nframe 2 press left ctrl\nframe 2 release keyjump\n"
        "frame 3 press button 4\nframe 3 stick -20000\nframe 4 axis 255 -32768\nframe 5 quit\n"
        "frame 6 state\nframe 6 screenshot a.png\nframe 6 pixels 8 16 2 3\n"
        "frame 7 objects Enemies\nframe 7 expect dash 41  anim Dash\n",
        script, error))
        << error;
    EXPECT_EQ(script.seed, 7u);
    EXPECT_EQ(script.Length(), 90);
    ASSERT_EQ(script.events[2].size(), 2u);
    EXPECT_EQ(script.events[2][0].code, SDLK_LCTRL);
    EXPECT_EQ(script.events[2][1].binding, "keyjump");
    EXPECT_FALSE(script.events[2][1].down);
    EXPECT_EQ(script.events[3][0].kind, ScriptedEvent::Kind::Button);
    EXPECT_EQ(script.events[3][1].value, -20000);
    EXPECT_EQ(script.events[4][0].code, 255);
    EXPECT_EQ(script.events[4][0].value, -32768);
    EXPECT_EQ(script.events[5][0].kind, ScriptedEvent::Kind::Quit);
    ASSERT_EQ(script.reports[6].size(), 3u);
    EXPECT_EQ(script.reports[6][2].height, 3);
    EXPECT_EQ(script.reports[7][0].argument, "Enemies");
    EXPECT_EQ(script.reports[7][1].argument, "dash 41 anim Dash");
    script.frames = 0;
    EXPECT_EQ(script.Length(), 7);

    const struct {
        const char* text;
        const char* error;
    } bad[] = {
        {"frame 0 quit", "line 1: expected \"seed N\", \"stage NAME\", \"data DIGEST\", \"frames N\" or \"frame N (1 or more) ...\""},
        {"\nframe 1 hop", "line 2: expected press, release, stick, axis, hat, focus or quit: hop"},
        {"frame 1 press nokey", "line 1: no key is named \"nokey\""},
        {"frame 1 press button 256", "line 1: expected \"press button N\" (0 to 255): press button 256"},
        {"frame 1 stick 32768", "line 1: expected \"stick VALUE\" or \"axis N VALUE\" (-32768 to 32767): stick 32768"},
        {"frame 1 axis 0 -32769", "line 1: expected \"stick VALUE\" or \"axis N VALUE\" (-32768 to 32767): axis 0 -32769"},
        {"frame 1 axis 256 0", "line 1: expected \"stick VALUE\" or \"axis N VALUE\" (-32768 to 32767): axis 256 0"},
        {"frame 1 hat 16", "line 1: expected \"hat BITS\" (0 to 15: 1 up, 2 right, 4 down, 8 left): hat 16"},
        {"frame 1 pixels 319 0 2 1", "line 1: expected \"pixels X Y WIDTH HEIGHT\" inside the 320 x 240 screen"},
        {"frame 1 screenshot", "line 1: expected \"screenshot FILE\""},
        {"frame 1 objects", "line 1: expected \"objects CATEGORY\""},
        {"frame 1 expect", "line 1: expected \"expect FIELD VALUE ...\""},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(ParseInputScript(b.text, script, error)) << b.text;
        EXPECT_EQ(error, b.error);
    }
}

TEST(StateLine, ShowsExactlyWhatItHolds) {
    FrameState s;
    s.position = Vector2(106.0f, 132.25f);
    s.animation = "Walk";
    s.animationFrame = 3;
    s.dashTimer = 1;
    s.dashJump = true;
    s.visible = true;
    s.objects["Enemies"] = 2;
    s.sounds = {{"A.WAV", 1, -1}, {"B.WAV", -1, 0}};
    EXPECT_EQ(FormatFrameState(s),
              "frame 0 pos 106.00,132.25 vel 0.00,0.00 anim Walk:3 dir 0 air 0 speed 0.00 dash 1j "
              "wall 0 counter 0 fire 0 palette 0 health 0.00 gauge 0.00 hurt 0 visible | Enemies 2 "
              "| sounds A.WAV@1x-1 B.WAV@-1 | stage - phase 0 fade 0.00 input 0 frozen 0");
    const std::pair<const char*, const char*> rows[] = {
        {"pos 106.00,? pos ?,132.25 anim Walk anim Walk:3 dash 1j visible #Enemies 2 #Items 0", ""},
        {"+A.WAV@1 +B.WAV@-1 -C.WAV stage -", ""},
        {"pos 106.00,132.00", "\"pos\""}, {"pos ?,132.00", "\"pos\""}, {"anim Walk:2", "\"anim\""},
        {"dash 1", "\"dash\""}, {"hidden", "\"hidden\""}, {"#Enemies 1", "\"#Enemies\""},
        {"+A.WAV@-1", "\"+A.WAV@-1\""}, {"-B.WAV", "\"-B.WAV\""}, {"nofield 1", "\"nofield\""},
        {"dash", "\"dash\""},
    };
    for (const auto& r : rows) EXPECT_EQ(StateMismatch(s, r.first), r.second) << r.first;
}

}  // namespace
