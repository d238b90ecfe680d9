// Enemy spawning: a placement becomes an enemy, once, when an edge of its
// hit box (24, 22 - 40, 60 of "Box") crosses into the view plus 12 pixels
// between two steps, dropped onto the ground below it.
#include <gtest/gtest.h>

#include "player/StageFlowTestData.h"

namespace {

using flowtest::FlowTest;

class SpawnTest : public FlowTest {
protected:
    void LoadField(const std::vector<std::vector<int>>& placements,
                   const std::vector<std::vector<int>>& rows = flowtest::YardRows()) {
        WriteStage("Field", flowtest::YardStage({"Box", "Ghost"}, placements, rows));
        testing::internal::CaptureStdout();
        world().LoadStage("Field", *hero);
        EXPECT_EQ("Cannot load texture: Enemies\\Ghost\n", testing::internal::GetCapturedStdout());
        ASSERT_EQ("Field", world().stageName);
    }

    void At(float x, float y) {
        game().camera = Vector2(x, y);
        flow().SpawnEnemies();
    }

    GameObject* From(int placement) {
        for (GameObject& o : world().List("Enemies"))
            if (o.placementIndex == placement) return &o;
        return nullptr;
    }

    size_t Enemies() { return world().List("Enemies").size(); }
};

}  // namespace

TEST_F(SpawnTest, AnEnemySpawnsWhenItsEdgeCrossesIntoTheView) {
    LoadField({
        {0, 550, 100},  // 0: left edge 574, just outside the right border 572
        {0, 548, 100},  // 1: left edge 572, on the border: already inside
        {0, 556, 100},  // 2: left edge 580
        {1, 552, 100},  // 3: a type whose sprite set could not be loaded
        {0, 190, 100},  // 4: right edge 230, for the move left
    });

    At(400, 160);  // the first step only remembers the camera
    EXPECT_EQ(0u, Enemies());

    At(405, 160);  // the right border moves from 572 to 577
    ASSERT_EQ(1u, Enemies());
    GameObject& first = *From(0);
    EXPECT_EQ("Box", first.name);
    EXPECT_TRUE(stage().enemyPlacements[0].spawned);
    EXPECT_EQ(Vector2(550.0f, 180.0f), first.position) << "dropped onto the floor at 240";
    EXPECT_EQ(0, first.airborne);
    EXPECT_TRUE(first.gravity);

    At(410, 160);  // 577 to 582: the third placement; the second never
    EXPECT_EQ(2u, Enemies());
    ASSERT_NE(nullptr, From(2));
    EXPECT_EQ(nullptr, From(3));
    At(410, 160);  // standing still spawns nothing
    EXPECT_EQ(2u, Enemies());

    At(300, 160);  // left border 238 to 128: the right edge at 230 crossed
    EXPECT_EQ(3u, Enemies());
    ASSERT_NE(nullptr, From(4));
    EXPECT_EQ(nullptr, From(1));

    // A living enemy is not made twice; a dead one frees its placement.
    From(0)->health = 0.0f;
    world().UpdateAllObjects();
    EXPECT_FALSE(stage().enemyPlacements[0].spawned);
    At(405, 160);  // 472 to 577: both the freed one and the one at 572
    EXPECT_NE(nullptr, From(0));
    EXPECT_NE(nullptr, From(1));
}

TEST_F(SpawnTest, VerticalCrossingsAndTheReachAroundTheCamera) {
    LoadField({
        {0, 400, -40},   // 0: bottom edge 20, crossed by the top border moving up
        {0, 400, -150},  // 1: top edge -128, crossed by the bottom border moving down
        {0, 720, -150},  // 2: the same crossing 320 pixels to the side: out of reach
    });
    At(400, 160);
    At(400, 150);  // top border 28 to 18
    ASSERT_NE(nullptr, From(0));
    EXPECT_EQ(1u, Enemies());

    // Start afresh up there: a jump of the camera is a movement too.
    flow().spawnCameraKnown = false;
    At(400, -300);
    EXPECT_EQ(1u, Enemies());
    At(400, -260);  // bottom border -168 to -128
    ASSERT_NE(nullptr, From(1));
    EXPECT_EQ(Vector2(400.0f, 180.0f), From(1)->position);
    EXPECT_EQ(nullptr, From(2));
}

TEST_F(SpawnTest, AnEnemyWithNoGroundBelowStopsFalling) {
    LoadField({{0, 850, 100}}, flowtest::YardRows(0, 40));  // floor only left of x 656
    At(700, 160);
    testing::internal::CaptureStdout();
    At(705, 160);  // right border 872 to 877, the left edge at 874
    EXPECT_EQ("The enemy Box at (850, 100) did not land after 10000 steps\n",
              testing::internal::GetCapturedStdout());
    ASSERT_NE(nullptr, From(0));
    EXPECT_EQ(100.0f + 4.0f * 10000, From(0)->position.y);
}

TEST_F(SpawnTest, AStageSwitchIsNoCameraMovement) {
    // A restart puts the enemy near the start in view: it waits until the
    // camera brings it across.
    LoadField({{0, 200, 100}});
    At(800, 160);
    world().nextStage = "Field";
    game().fade.mode = 2;
    game().fade.level = 1.0f;
    testing::internal::CaptureStdout();
    flow().StepStageFlow();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(1, flow().phase);
    ASSERT_EQ(160.0f, game().camera.x);
    flow().StepStageFlow();
    flow().StepStageFlow();
    EXPECT_EQ(0u, Enemies());
}
