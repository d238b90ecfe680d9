// The input-script harness: the script format and its errors, binding
// names, quits, the seed and the state line.
#include "support/InputHarness.h"

#include <cstdlib>

#include "HeroTestData.h"

namespace herotest {

TEST(InputScript, ParsesEveryInstruction) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(ParseInputScript("# walk and jump\nseed 42\nframes 300   # then stop\n\n"
                                 "frame 12 press right\nframe 12 press left ctrl\n"
                                 "frame 40 release keyjump\nframe 41 press joydash\n"
                                 "frame 42 release button 7\nframe 50 stick -20000\n"
                                 "frame 51 axis 1 300\nframe 60 state\n"
                                 "frame 60 screenshot shot.png\nframe 90 quit\n",
                                 script, error))
        << error;
    EXPECT_EQ(script.seed, 42u);
    EXPECT_EQ(script.Length(), 300);
    using Kind = ScriptedEvent::Kind;
    ASSERT_EQ(script.events[12].size(), 2u);
    EXPECT_TRUE(script.events[12][0].down);
    EXPECT_EQ(script.events[12][0].code, SDLK_RIGHT);
    EXPECT_EQ(script.events[12][1].code, SDLK_LCTRL);
    EXPECT_FALSE(script.events[40][0].down);
    EXPECT_EQ(script.events[40][0].binding, "keyjump");
    EXPECT_EQ(script.events[41][0].kind, Kind::Button);
    EXPECT_EQ(script.events[41][0].binding, "joydash");
    EXPECT_EQ(script.events[42][0].code, 7);
    EXPECT_EQ(script.events[50][0].kind, Kind::Axis);
    EXPECT_EQ(script.events[50][0].value, -20000);
    EXPECT_EQ(script.events[51][0].code, 1);
    EXPECT_EQ(script.events[51][0].value, 300);
    EXPECT_EQ(script.events[90][0].kind, Kind::Quit);
    ASSERT_EQ(script.reports[60].size(), 2u);
    EXPECT_EQ(script.reports[60][0].kind, "state");
    EXPECT_EQ(script.reports[60][1].argument, "shot.png");
    script.frames = 0;
    EXPECT_EQ(script.Length(), 90) << "the last frame named";
}

TEST(InputScript, ErrorsNameTheLine) {
    const std::string header = "expected \"seed N\", \"frames N\" or \"frame N (1 or more) ...\"";
    const std::string action = "expected press, release, stick, axis or quit: ";
    const std::pair<const char*, std::string> cases[] = {
        {"frame 3 press nokey", "line 1: no key is named \"nokey\""},
        {"seed 1\nframe 0 press z", "line 2: " + header},
        {"frames ten", "line 1: " + header},
        {"\n\nframe 2 hold z", "line 3: " + action + "hold z"},
        {"frame 2 press", "line 1: " + action + "press"},
        {"frame 2 stick 40000",
         "line 1: expected \"stick VALUE\" or \"axis N VALUE\" (-32768 to 32767): stick 40000"},
        {"frame 2 release button",
         "line 1: expected \"release button N\" (0 to 255): release button"},
        {"frame 2 screenshot", "line 1: expected \"screenshot FILE\""},
    };
    for (const auto& c : cases) {
        InputScript script;
        std::string error;
        EXPECT_FALSE(ParseInputScript(c.first, script, error)) << c.first;
        EXPECT_EQ(error, c.second) << c.first;
    }
}

TEST_F(HeroTest, BindingNamesFollowTheGamesBindings) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(ParseInputScript(
        "frame 1 press keyjump\nframe 1 press joyattack2\nframe 1 press keyup\n", script, error));
    game().bindings.keys.clear();
    game().bindings.BindKey(Jump, SDLK_SPACE);
    game().bindings.BindKey(Jump, SDLK_k);
    testing::internal::CaptureStdout();
    QueueFrameEvents(script, 1, game().bindings, harness().events);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Input script, frame 1: nothing is bound to keyup\n");
    ASSERT_EQ(harness().events.queued.size(), 2u);
    EXPECT_EQ(harness().events.queued[0].key.keysym.sym, SDLK_SPACE) << "the lowest code";
    EXPECT_EQ(harness().events.queued[1].jbutton.button, 3);
}

TEST_F(HeroTest, RunStopsAfterTheFrameThatQuitsAndTheSeedRepeats) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(ParseInputScript("frame 3 press escape\nframes 10\n", script, error));
    const std::vector<FrameState> states = InputHarness(game(), script).Run();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_TRUE(states[1].running);
    EXPECT_FALSE(states[2].running);

    ASSERT_TRUE(ParseInputScript("seed 77\n", script, error));
    std::vector<std::string> voices[2];
    for (auto& heard : voices) {
        InputHarness scripted(game(), script);
        for (int jump = 0; jump < 6; ++jump) {
            StandAt(100.0f);
            for (const SoundRequest& r : scripted.Step("press keyjump, release keyjump").sounds)
                if (r.channel == -1) heard.push_back(r.name);
        }
    }
    ASSERT_EQ(voices[0].size(), 6u);
    EXPECT_EQ(voices[0], voices[1]);
}

TEST_F(HeroTest, TheStateLineNamesEveryValue) {
    StandAt(100.0f);
    const FrameState s = Step("press keyjump");
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "frame 5 pos 100.00,%.2f vel 0.00,-5.75 anim Jump:0 dir 1 air 1 speed 2.00 "
                  "dash 0 wall 0 counter 0 fire -1 palette 0 health 20.00 hurt 0 visible "
                  "| Player 1 PlayerFX 1 | sounds SE_PL00\\ROOK_Jump.WAV@0 ",
                  s.position.y);
    EXPECT_EQ(FormatFrameState(s).substr(0, std::string(expected).size()), expected);
}

}  // namespace herotest
