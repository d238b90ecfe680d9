// Fades and stage switches, and the opening's objects going away under it:
// a script or a stage load may remove a streak, a ready sign or the beam at
// any time, and the opening must neither touch them afterwards nor leave
// them behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "player/StageFlowTestData.h"

namespace {

using flowtest::FlowTest;

class SwitchTest : public FlowTest {
protected:
    SwitchTest() {
        // Yard2: the same floor, the start at column 10, row 6 (160, 96).
        std::vector<std::vector<int>> rows = flowtest::YardRows();
        rows[8][4] = 0;
        rows[6][10] = 1;
        WriteStage("Yard2", flowtest::YardStage({}, {}, rows));
        flow().BeginStage();
    }

    // Frames until the phase is reached; false when it takes more than cap.
    bool RunToPhase(int phase, int cap = 1000) {
        for (int i = 0; i < cap; ++i) {
            if (flow().phase == phase) return true;
            Frame();
        }
        return flow().phase == phase;
    }

    // Frames a fade takes to reach black or clear, 0.02 a frame in float
    // (from black, 50 steps leave a trace of 4e-7: clear takes 51).
    static int FramesToBlack(float level) {
        int frames = 0;
        for (; level != 1.0f; ++frames) level = std::min(level + 0.02f, 1.0f);
        return frames;
    }
    static int FramesToClear(float level) {
        int frames = 0;
        for (; level != 0.0f; ++frames) level = std::max(level - 0.02f, 0.0f);
        return frames;
    }

    // Every streak, ready sign and beam in any list.
    int OpeningObjects() {
        int n = 0;
        for (auto& entry : world().lists)
            for (const GameObject& o : entry.second)
                n += o.name == "Streak" || o.name == "Ready" || o.name == "Rook Teleport";
        return n;
    }
};

}  // namespace

TEST_F(SwitchTest, TheFadeOpensTheStageAndFadeToStageSwitchesAtBlack) {
    // Fading in from black, 0.02 a frame, idle once clear.
    Frame();
    EXPECT_EQ(1, game().fade.mode);
    EXPECT_FLOAT_EQ(0.98f, game().fade.level);
    Frames(FramesToClear(1.0f) - 2);
    EXPECT_EQ(1, game().fade.mode);
    EXPECT_LT(0.0f, game().fade.level);
    Frame();
    EXPECT_EQ(0.0f, game().fade.level);
    EXPECT_EQ(0, game().fade.mode);
    ASSERT_TRUE(RunToPhase(0));

    Lua("FadeToStage('Yard2')");
    EXPECT_EQ(2, game().fade.mode);
    const int toBlack = FramesToBlack(0.0f);
    Frames(toBlack - 1);
    EXPECT_EQ("Yard", world().stageName);
    EXPECT_TRUE(flow().inputEnabled) << "play goes on during the fade";
    Frame();
    EXPECT_EQ("Yard2", world().stageName);
    EXPECT_TRUE(world().nextStage.empty());
    EXPECT_EQ(1, game().fade.mode);
    EXPECT_EQ(1.0f, game().fade.level);
    EXPECT_EQ(1, flow().phase);
    EXPECT_FALSE(flow().inputEnabled);
    EXPECT_FALSE(hero->visible);
    EXPECT_EQ(160.0f, hero->position.x);
    EXPECT_EQ(0, hero->airborne);
    Lua("assert(StageName == 'Yard2')");
    ASSERT_TRUE(RunToPhase(0));
    EXPECT_TRUE(hero->visible);
}

TEST_F(SwitchTest, AFadeWithNowhereToGoStaysBlackAndABadStageOpensTheOldOneAgain) {
    ASSERT_TRUE(RunToPhase(0));
    game().fade.mode = 2;
    Frames(200);
    EXPECT_EQ(2, game().fade.mode);
    EXPECT_EQ(1.0f, game().fade.level);
    EXPECT_EQ(0, flow().phase);

    testing::internal::CaptureStdout();
    Lua("FadeToStage('Nowhere')");
    Frame();
    EXPECT_EQ("Cannot load map: Nowhere\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ("Yard", world().stageName);
    EXPECT_TRUE(world().nextStage.empty());
    EXPECT_EQ(1, flow().phase) << "the opening runs again on the old stage";
    EXPECT_EQ(0, flow().phaseTimer);
    EXPECT_EQ(64.0f, hero->position.x);
    EXPECT_EQ(240, static_cast<int>(hero->position.y) + 60) << "dropped again";
}

TEST_F(SwitchTest, FadeToStageDuringTheOpeningRestartsItAndLeavesNothingBehind) {
    // Step 100: the screen streak, the ready signs and some back streaks fly.
    Frames(100);
    ASSERT_EQ(1, flow().phase);
    ASSERT_GE(OpeningObjects(), 3);

    // The opening has faded in by now; the fade-out starts from clear.
    ASSERT_EQ(0, game().fade.mode);
    Lua("FadeToStage('Yard2')");
    Frames(FramesToBlack(0.0f) - 1);
    EXPECT_EQ("Yard", world().stageName);
    EXPECT_NE(0, flow().phase) << "still opening";
    Frame();
    ASSERT_EQ("Yard2", world().stageName);
    EXPECT_EQ(0, OpeningObjects()) << "no sign, streak or beam of the old opening";
    EXPECT_EQ(1u, world().List("Player").size());
    EXPECT_EQ(0, flow().readyFront);
    EXPECT_EQ(0, flow().readyBack);
    EXPECT_EQ(0, flow().teleport);

    // The new opening from its start: the first streak on its 48th step.
    Frames(47);
    EXPECT_EQ(0, OpeningObjects());
    Frame();
    EXPECT_EQ(1u, Named("PlayerFX", "Streak").size());
    ASSERT_TRUE(RunToPhase(0));
    EXPECT_TRUE(hero->visible);
    EXPECT_EQ(1u, world().List("Player").size());
}

TEST_F(SwitchTest, AStageSwitchWhileTheBeamIsDownErasesIt) {
    ASSERT_TRUE(RunToPhase(3));
    ASSERT_EQ(1u, Named("Player", "Rook Teleport").size());
    world().nextStage = "Yard2";
    game().fade.mode = 2;
    game().fade.level = 1.0f;
    Frame();
    ASSERT_EQ("Yard2", world().stageName);
    EXPECT_EQ(0, OpeningObjects());
    EXPECT_EQ(hero, &world().List("Player").front());
    EXPECT_EQ(1, flow().phase);
}

TEST_F(SwitchTest, OpeningObjectsRemovedByScriptsAreLeftAlone) {
    // The ready signs and the screen streak end early, as a script's
    // SetHealth(obj, 0) or "KillOnEndAnim" would end them.
    Frames(65);
    for (GameObject* sign : Named("PlayerFX", "Ready")) sign->health = 0.0f;
    for (GameObject* streak : Named("PlayerFX", "Streak")) streak->health = 0.0f;
    Frame();
    ASSERT_EQ(0, OpeningObjects());

    // The rest of the opening runs on without them (the sanitizers watch).
    ASSERT_TRUE(RunToPhase(2));
    ASSERT_TRUE(RunToPhase(3));
    EXPECT_EQ(1, SoundsNamed("SE_COM\\NA_READY.WAV"));
    ASSERT_TRUE(RunToPhase(0));
    EXPECT_TRUE(hero->visible);
}

TEST_F(SwitchTest, ABeamThatIsGoneLetsTheHeroAppearAtOnce) {
    ASSERT_TRUE(RunToPhase(3));
    GameObject* beam = Named("Player", "Rook Teleport").at(0);
    ASSERT_EQ(1, beam->airborne) << "still falling";
    ASSERT_TRUE(world().RemoveNow(World::ToHandle(beam)));
    Frame();
    EXPECT_EQ(0, flow().phase);
    EXPECT_TRUE(hero->visible);
    EXPECT_TRUE(flow().inputEnabled);
    Frame();
    EXPECT_EQ(0, OpeningObjects()) << "the ready signs went with it";
}

TEST_F(SwitchTest, ABeamWithoutAppearShowsTheHeroOnLanding) {
    // Read when the beam is first made, at step 177.
    Sprite("Player/Rook Teleport", "64 64 24 22 40 60\nStand 2 2 0\n");
    ASSERT_TRUE(RunToPhase(3));
    GameObject* beam = Named("Player", "Rook Teleport").at(0);
    int frames = 0;
    while (beam->airborne != 0 && frames < 100) {
        Frame();
        ++frames;
        if (flow().phase == 0) break;
    }
    EXPECT_EQ(0, flow().phase) << "landed with nothing to play";
    EXPECT_TRUE(hero->visible);
    EXPECT_EQ(1u, world().List("Player").size());
}

TEST_F(SwitchTest, RemoveNowNeverErasesTheHeroNorWorksDuringAPass) {
    const ObjectHandle heroHandle = World::ToHandle(hero);
    EXPECT_FALSE(world().RemoveNow(heroHandle));
    EXPECT_EQ(hero, world().FromHandle(heroHandle));
    EXPECT_FALSE(world().RemoveNow(0));
    EXPECT_FALSE(world().RemoveNow(12345));

    GameObject* item = world().CreateObjectInCategory("Box", 0, "Items");
    const ObjectHandle itemHandle = World::ToHandle(item);
    world().currentObject = hero;  // as inside an update pass
    EXPECT_FALSE(world().RemoveNow(itemHandle));
    world().currentObject = nullptr;
    EXPECT_TRUE(world().RemoveNow(itemHandle));
    EXPECT_EQ(nullptr, world().FromHandle(itemHandle));
    EXPECT_TRUE(world().List("Items").empty());
    EXPECT_FALSE(world().RemoveNow(itemHandle)) << "gone already";
}

TEST_F(SwitchTest, AStartOverNoGroundStopsTheDropAndTheOpeningGoesOn) {
    std::vector<std::vector<int>> rows = flowtest::YardRows(0, 2);  // floor far left only
    WriteStage("Pit", flowtest::YardStage({}, {}, rows));
    world().LoadStage("Pit", *hero);
    testing::internal::CaptureStdout();
    flow().BeginStage();
    EXPECT_EQ("The hero did not land after 10000 steps\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(1, flow().phase);
    EXPECT_EQ(0, flow().phaseTimer);
}
