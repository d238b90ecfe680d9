// Fades and stage switches, and the opening's objects going away under it:
// a script or a stage load may remove a streak, a ready sign or the beam at
// any time; the opening must neither touch them afterwards nor leave them.
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

    bool RunToPhase(int phase) {
        for (int i = 0; i < 1000 && flow().phase != phase; ++i) Frame();
        return flow().phase == phase;
    }

    void SwitchAtBlack(const std::string& next) {
        world().nextStage = next;
        game().fade.mode = 2;
        game().fade.level = 1.0f;
        Frame();
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

// Frames a fade takes at 0.02 a frame in float (from black, 50 steps leave
// a trace of 4e-7).
int FadeFrames(float level, float to) {
    int frames = 0;
    for (; level != to; ++frames)
        level = to > level ? std::min(level + 0.02f, to) : std::max(level - 0.02f, to);
    return frames;
}
const int kFramesToClear = FadeFrames(1.0f, 0.0f);
const int kFramesToBlack = FadeFrames(0.0f, 1.0f);

}  // namespace

TEST_F(SwitchTest, TheFadeOpensTheStageAndFadeToStageSwitchesAtBlack) {
    Frame();
    EXPECT_FLOAT_EQ(0.98f, game().fade.level);
    Frames(kFramesToClear - 2);
    EXPECT_EQ(1, game().fade.mode);
    Frame();
    EXPECT_EQ(0.0f, game().fade.level);
    EXPECT_EQ(0, game().fade.mode);
    ASSERT_TRUE(RunToPhase(0));

    Lua("FadeToStage('Yard2')");
    EXPECT_EQ(2, game().fade.mode);
    Frames(kFramesToBlack - 1);
    EXPECT_EQ("Yard", world().stageName);
    EXPECT_TRUE(flow().inputEnabled) << "play goes on during the fade";
    Frame();
    EXPECT_EQ("Yard2", world().stageName);
    EXPECT_TRUE(world().nextStage.empty());
    EXPECT_EQ(1, game().fade.mode);
    EXPECT_EQ(1, flow().phase);
    EXPECT_FALSE(flow().inputEnabled);
    EXPECT_FALSE(hero->visible);
    EXPECT_EQ(160.0f, hero->position.x);
    EXPECT_EQ(0, hero->airborne);
    Lua("assert(StageName == 'Yard2')");
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
    EXPECT_EQ(64.0f, hero->position.x);
    EXPECT_EQ(240, static_cast<int>(hero->position.y) + 60) << "dropped again";
}

TEST_F(SwitchTest, ASwitchDuringTheOpeningRestartsItAndLeavesNothingBehind) {
    // Step 100: the screen streak, the ready signs and some back streaks fly.
    Frames(100);
    ASSERT_EQ(1, flow().phase);
    ASSERT_GE(OpeningObjects(), 3);
    Lua("FadeToStage('Yard2')");
    Frames(kFramesToBlack);
    ASSERT_EQ("Yard2", world().stageName);
    EXPECT_EQ(0, OpeningObjects());
    EXPECT_EQ(0, flow().readyFront);
    EXPECT_EQ(0, flow().readyBack);
    // The new opening from its start: the first streak on its 48th step.
    Frames(47);
    EXPECT_EQ(0, OpeningObjects());
    Frame();
    EXPECT_EQ(1u, Named("PlayerFX", "Streak").size());

    // With the beam down, a switch erases it.
    ASSERT_TRUE(RunToPhase(3));
    ASSERT_EQ(1u, Named("Player", "Rook Teleport").size());
    SwitchAtBlack("Yard");
    ASSERT_EQ("Yard", world().stageName);
    EXPECT_EQ(0, OpeningObjects());
    EXPECT_EQ(0, flow().teleport);
    EXPECT_EQ(hero, &world().List("Player").front());
    ASSERT_TRUE(RunToPhase(0));
    EXPECT_TRUE(hero->visible);
    EXPECT_EQ(1u, world().List("Player").size());
}

TEST_F(SwitchTest, OpeningObjectsRemovedByScriptsAreLeftAlone) {
    // As a script's SetHealth(obj, 0) or "KillOnEndAnim" would end them.
    Frames(65);
    for (GameObject* sign : Named("PlayerFX", "Ready")) sign->health = 0.0f;
    for (GameObject* streak : Named("PlayerFX", "Streak")) streak->health = 0.0f;
    Frame();
    ASSERT_EQ(0, OpeningObjects());
    ASSERT_TRUE(RunToPhase(3));  // the sanitizers watch
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
    ASSERT_EQ(1u, Named("Player", "Rook Teleport").size());
    // The beam is erased the moment the hero appears: only the phase is read.
    for (int i = 0; i < 100 && flow().phase != 0; ++i) Frame();
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
    EXPECT_FALSE(world().RemoveNow(itemHandle)) << "gone already";
}

TEST_F(SwitchTest, AStartOverNoGroundStopsTheDropAndTheOpeningGoesOn) {
    WriteStage("Pit", flowtest::YardStage({}, {}, flowtest::YardRows(0, 2)));
    world().LoadStage("Pit", *hero);
    testing::internal::CaptureStdout();
    flow().BeginStage();
    EXPECT_EQ("The hero did not land after 10000 steps\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(1, flow().phase);
    EXPECT_EQ(0, flow().phaseTimer);
}
