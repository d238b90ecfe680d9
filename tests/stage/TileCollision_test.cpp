// The four tile-collision routines on collision cells laid into the stage.
#include <gtest/gtest.h>

#include "stage/StageTestData.h"
#include "stage/TileCollision.h"

using stagetest::StageTest;

class TileCollisionTest : public StageTest {
protected:
    TileCollisionTest() { EmptyStage(40, 30); }

    // A box with the hit box given, feet resting nowhere.
    GameObject& Probe(int left, int top, int right, int bottom, float x, float y) {
        GameObject& o = Box(x, y);
        o.anim.left = left;
        o.anim.top = top;
        o.anim.right = right;
        o.anim.bottom = bottom;
        return o;
    }

    bool Lands(int left, int right, float x) {
        GameObject& o = Probe(left, 0, right, 16, x, 0.0f);  // feet at 16: row 1
        o.velocity = Vector2(0.0f, 1.0f);
        return CollideFloor(world(), o);
    }
};

TEST_F(TileCollisionTest, FloorProbeColumns) {
    // left 4, right 20: probes at 5 and 19 (21 clamped); 35 ends the walk.
    Cell(2, 1, '1');
    EXPECT_FALSE(Lands(4, 20, 11.0f));  // 11 + 19 = 30, column 1; no probe reaches 32
    EXPECT_TRUE(Lands(4, 20, 13.0f));   // 13 + 19 = 32
    stage().tileMap.clear();
    Cell(0, 1, '1');
    EXPECT_TRUE(Lands(4, 20, 10.0f));  // 10 + 5 = 15
    EXPECT_FALSE(Lands(4, 20, 11.0f));

    // left 0, right 40: probes at 1, 17, 33 and 39 (49 clamped).
    stage().tileMap.clear();
    Cell(3, 1, '1');
    EXPECT_FALSE(Lands(0, 40, 7.0f));  // 7 + 39 = 46; 7 + 49 would reach column 3
    EXPECT_TRUE(Lands(0, 40, 9.0f));   // 9 + 39 = 48
    stage().tileMap.clear();
    Cell(1, 1, '1');
    EXPECT_TRUE(Lands(0, 40, 0.0f));  // only 17 sees column 1
    stage().tileMap.clear();
    Cell(2, 1, '1');
    EXPECT_TRUE(Lands(0, 40, 15.0f));  // 15 + 33 = 48 is column 3, 15 + 17 = 32 column 2
}

TEST_F(TileCollisionTest, CeilingProbeColumnsClampOnlyPastTheRightEdge) {
    // left 3, right 20: probes at 4 and 20 (20 is not past the edge).
    Cell(2, 5, '1');
    GameObject& up = Probe(3, 10, 20, 40, 12.0f, 75.0f);  // head row (75 - 1 + 10) / 16 = 5
    up.velocity = Vector2(0.0f, -1.0f);
    EXPECT_TRUE(CollideCeiling(world(), up));  // 12 + 20 = 32, column 2

    // The floor with the same box clamps 20 to 19 and misses column 2.
    Cell(2, 3, '1');
    GameObject& down = Probe(3, 10, 20, 40, 12.0f, 8.0f);  // feet (8 + 1 + 40) / 16 = 3
    down.velocity = Vector2(0.0f, 1.0f);
    EXPECT_FALSE(CollideFloor(world(), down));
}

TEST_F(TileCollisionTest, FeetAt130AndAHalfRestAt128AndAHalf) {
    Cell(1, 8, '1');  // pixels 128 to 143
    GameObject& o = Probe(24, 22, 40, 60, 0.0f, 70.0f);
    o.velocity = Vector2(0.0f, 0.5f);  // feet at 70 + 0.5 + 60 = 130.5
    o.airborne = 1;
    o.dashJump = true;
    o.onSlope = true;
    EXPECT_TRUE(CollideFloor(world(), o));
    EXPECT_EQ(o.position.y, 68.5f);
    EXPECT_EQ(o.position.y + o.anim.bottom, 128.5f);
    EXPECT_EQ(o.velocity.y, 0.0f);
    EXPECT_EQ(o.airborne, 0);
    EXPECT_FALSE(o.dashJump);
    EXPECT_FALSE(o.onSlope);

    // Standing on it, gravity's quarter pixel sinks the feet until they
    // reach the next pixel row, which puts them back on the edge.
    const float feet[] = {128.75f, 128.0f, 128.25f};
    for (float expected : feet) {
        o.velocity.y = 0.25f;
        EXPECT_TRUE(CollideFloor(world(), o));
        o.position += o.velocity;
        EXPECT_EQ(o.position.y + o.anim.bottom, expected);
    }
}

TEST_F(TileCollisionTest, RisingObjectsNeverLand) {
    Cell(1, 8, '1');
    GameObject& o = Probe(24, 22, 40, 60, 0.0f, 70.0f);
    o.velocity = Vector2(0.0f, -0.5f);
    o.onSlope = true;
    o.airborne = 0;
    EXPECT_FALSE(CollideFloor(world(), o));
    EXPECT_FALSE(o.onSlope);
    EXPECT_EQ(o.airborne, 0);  // left as it was
    EXPECT_EQ(o.position.y, 70.0f);
    EXPECT_EQ(o.velocity.y, -0.5f);

    // Nothing below: an object in free fall is airborne.
    GameObject& fall = Probe(24, 22, 40, 60, 300.0f, 70.0f);
    fall.velocity = Vector2(0.0f, 2.0f);
    EXPECT_FALSE(CollideFloor(world(), fall));
    EXPECT_EQ(fall.airborne, 1);
}

TEST_F(TileCollisionTest, LandingPoseAndSound) {
    for (int column = 0; column < 4; ++column) Cell(column, 8, '1');

    // A wall slide turns round once, however many probes land.
    GameObject& slider = Probe(0, 0, 40, 60, 0.0f, 70.0f);
    slider.name = "Rook";
    slider.velocity = Vector2(0.0f, 1.0f);
    slider.airborne = 1;
    slider.wallState = 11;
    slider.direction = 1;
    slider.anim.ChangeAnimation("Stand");
    EXPECT_TRUE(CollideFloor(world(), slider));
    EXPECT_EQ(slider.wallState, 0);
    EXPECT_EQ(slider.direction, -1);
    EXPECT_TRUE(slider.anim.IsPlaying("Land"));
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].name, "SE_PL00\\ROOK_CHAKU.WAV");
    EXPECT_EQ(sounds[0].channel, 0);
    EXPECT_EQ(sounds[0].loops, 0);

    // Standing already: no pose, no sound.
    slider.velocity.y = 1.0f;
    slider.anim.ChangeAnimation("Stand");
    EXPECT_TRUE(CollideFloor(world(), slider));
    EXPECT_TRUE(slider.anim.IsPlaying("Stand"));
    EXPECT_EQ(sounds.size(), 1u);

    struct Case {
        float vx;
        bool freeLeft, freeRight;
        const char* animation;
    };
    const Case cases[] = {
        {2.0f, true, true, "Walk"},  {2.0f, true, false, "Land"},   {-2.0f, true, true, "Walk"},
        {-2.0f, false, true, "Land"}, {-2.0f, true, false, "Walk"}, {0.0f, true, true, "Land"},
    };
    for (const Case& c : cases) {
        GameObject& o = Probe(24, 22, 40, 60, 0.0f, 70.0f);
        o.velocity = Vector2(c.vx, 1.0f);
        o.airborne = 1;
        o.freeLeft = c.freeLeft;
        o.freeRight = c.freeRight;
        o.anim.ChangeAnimation("Stand");
        EXPECT_TRUE(CollideFloor(world(), o));
        EXPECT_TRUE(o.anim.IsPlaying(c.animation)) << c.vx << " " << c.freeLeft << c.freeRight;
        EXPECT_EQ(o.direction, 1);  // no wall slide, no turn
    }
    EXPECT_EQ(sounds.size(), 1u);  // only the hero's landing sounds
}

TEST_F(TileCollisionTest, CeilingPushesBelowTheTile) {
    Cell(1, 7, '1');  // pixels 112 to 127
    GameObject& o = Probe(24, 22, 40, 60, 0.0f, 100.0f);
    o.velocity = Vector2(0.0f, -3.5f);  // head row (100 + ceil(-3.5) + 22) / 16 = 7
    o.wallState = 11;
    o.airborne = 0;
    EXPECT_TRUE(CollideCeiling(world(), o));
    // T = trunc(96.5) = 96: y = 96 - 0 + 16 - 22 % 16 = 106, head at 128.
    EXPECT_EQ(o.position.y, 106.0f);
    EXPECT_EQ(o.velocity.y, 0.0f);
    EXPECT_EQ(o.wallState, 0);
    EXPECT_EQ(o.airborne, 1);

    GameObject& falling = Probe(24, 22, 40, 60, 0.0f, 100.0f);
    falling.velocity = Vector2(0.0f, 0.0f);
    EXPECT_FALSE(CollideCeiling(world(), falling));
    GameObject& clear = Probe(24, 22, 40, 60, 0.0f, 110.0f);  // head row (110 - 3 + 22) / 16 = 8
    clear.velocity = Vector2(0.0f, -3.5f);
    EXPECT_FALSE(CollideCeiling(world(), clear));
    EXPECT_EQ(clear.position.y, 110.0f);
}

TEST_F(TileCollisionTest, WallProbeRows) {
    // top 0, bottom 32: rows at 1, 17 and 30 (33 clamped); 46 ends the walk.
    Cell(3, 2, '1');
    GameObject& high = Probe(0, 0, 40, 32, 0.0f, 1.0f);  // 1 + 30 = 31, row 1
    high.velocity = Vector2(8.0f, 0.0f);                 // column (0 + 8 + 41) / 16 = 3
    EXPECT_FALSE(CollideRightWall(world(), high));
    EXPECT_TRUE(high.freeRight);
    GameObject& low = Probe(0, 0, 40, 32, 0.0f, 2.0f);  // 2 + 30 = 32, row 2
    low.velocity = Vector2(8.0f, 0.0f);
    EXPECT_TRUE(CollideRightWall(world(), low));
    EXPECT_FALSE(low.freeRight);
}

TEST_F(TileCollisionTest, RightWallPushesBackAndEndsTheDash) {
    Cell(9, 5, '1');  // pixels 144 to 159
    GameObject& o = Probe(24, 22, 40, 60, 100.0f, 40.0f);
    o.velocity = Vector2(3.0f, 0.0f);  // column (100 + 3 + 41) / 16 = 9
    o.anim.ChangeAnimation("Dash");
    o.dashTimer = 30;
    o.speed = 4.0f;
    o.walkSpeed = 2.0f;
    EXPECT_TRUE(CollideRightWall(world(), o));
    EXPECT_EQ(o.position.x, 103.0f);  // right edge pixel 143, just left of the wall
    EXPECT_EQ(o.velocity.x, 0.0f);
    EXPECT_FALSE(o.freeRight);
    EXPECT_EQ(o.dashTimer, 0);
    EXPECT_EQ(o.speed, 2.0f);
    EXPECT_TRUE(o.anim.IsPlaying("DashEnd"));
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].name, "SE_PL00\\ROOK_BRAKE.WAV");
    EXPECT_EQ(sounds[0].channel, 0);

    // Touching the wall while standing or moving away: contact, no correction.
    GameObject& still = Probe(24, 22, 40, 60, 103.0f, 40.0f);
    still.velocity = Vector2(0.0f, 0.0f);  // column (103 + 41) / 16 = 9
    still.dashTimer = 5;
    EXPECT_TRUE(CollideRightWall(world(), still));
    EXPECT_FALSE(still.freeRight);
    EXPECT_EQ(still.position.x, 103.0f);
    EXPECT_EQ(still.dashTimer, 5);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(TileCollisionTest, LeftWallPushesBackAndParksNegativeX) {
    Cell(7, 5, '1');  // pixels 112 to 127
    GameObject& o = Probe(24, 22, 40, 60, 100.0f, 40.0f);
    o.velocity = Vector2(-2.5f, 0.0f);  // column (100 + ceil(-2.5) + 23) / 16 = 7
    EXPECT_TRUE(CollideLeftWall(world(), o));
    EXPECT_EQ(o.position.x, 104.0f);  // left edge at 128, the wall's right side
    EXPECT_EQ(o.velocity.x, 0.0f);
    EXPECT_FALSE(o.freeLeft);

    GameObject& away = Probe(24, 22, 40, 60, 100.0f, 40.0f);
    away.velocity = Vector2(0.0f, 0.0f);  // column (100 + 23) / 16 = 7
    EXPECT_TRUE(CollideLeftWall(world(), away));
    EXPECT_EQ(away.position.x, 100.0f);

    GameObject& clear = Probe(24, 22, 40, 60, 200.0f, 40.0f);
    clear.freeLeft = false;
    clear.velocity = Vector2(-1.0f, 0.0f);
    EXPECT_FALSE(CollideLeftWall(world(), clear));
    EXPECT_TRUE(clear.freeLeft);

    // Left of the map: -5 - 2 + 23 = 16 probes column 1, and the object is parked at -13.
    Cell(1, 5, '1');
    GameObject& edge = Probe(24, 22, 40, 60, -5.0f, 40.0f);
    edge.velocity = Vector2(-2.0f, 0.0f);
    EXPECT_TRUE(CollideLeftWall(world(), edge));
    EXPECT_EQ(edge.position.x, -13.0f);
    // -20 - 1 + 23 = 2 probes column 0 (division toward zero).
    Cell(0, 5, '1');
    GameObject& far = Probe(24, 22, 40, 60, -20.0f, 40.0f);
    far.velocity = Vector2(-1.0f, 0.0f);
    EXPECT_TRUE(CollideLeftWall(world(), far));
    EXPECT_EQ(far.position.x, -13.0f);
}

TEST_F(TileCollisionTest, SlopesPullWalkersDownButNotFallers) {
    // '7' under the probe: the slope goes on one row lower.
    Cell(1, 8, '7');
    struct Case {
        int airborne;
        bool onSlope, gravity;
        bool followed;
    };
    const Case cases[] = {
        {0, false, true, true},   // walking on the ground
        {1, true, true, true},    // on a slope, this frame in the air
        {1, false, true, false},  // falling
        {0, false, false, false}, // no gravity: never pulled down
    };
    for (const Case& c : cases) {
        GameObject& o = Probe(24, 22, 40, 60, 0.0f, 70.0f);
        o.velocity = Vector2(0.0f, 0.25f);
        o.airborne = c.airborne;
        o.onSlope = c.onSlope;
        o.gravity = c.gravity;
        EXPECT_EQ(CollideFloor(world(), o), c.followed);
        EXPECT_EQ(o.position.y, c.followed ? 86.0f : 70.0f);
        EXPECT_EQ(o.onSlope, c.followed);
        EXPECT_EQ(o.airborne, c.followed ? 0 : 1);
    }
}

TEST_F(TileCollisionTest, SolidLandingBlocksLeftSlopesNotRightOnes) {
    // Probes of a 0 - 40 box at x 0: columns 0, 1, 2, 2. Column 0 is solid
    // ground, column 1 a left-edge slope tile, column 2 a right-edge one.
    Cell(0, 8, '1');
    Cell(1, 8, 'A');
    Cell(2, 8, '5');
    GameObject& o = Probe(0, 0, 40, 60, 0.0f, 70.0f);
    o.velocity = Vector2(0.0f, 0.5f);  // feet 130.5, row 8
    o.airborne = 1;
    EXPECT_TRUE(CollideFloor(world(), o));
    // The solid top (feet 128.5) wins: the left-edge tile is not looked at
    // once a solid tile landed, and the right-edge surface there
    // (128 + 16 - (39 % 16) / 4 - 8 = 135) lies lower and may not pull a
    // falling object down.
    EXPECT_EQ(o.position.y, 68.5f);
    EXPECT_FALSE(o.onSlope);

    // A right-edge slope surface above the solid top does lift.
    stage().tileMap.clear();
    Cell(0, 8, '1');
    Cell(1, 8, 'A');
    Cell(2, 8, '2');
    Cell(2, 7, '6');  // surface 112 + 16 - 1 - 12 = 115
    GameObject& lifted = Probe(0, 0, 40, 60, 0.0f, 70.0f);
    lifted.velocity = Vector2(0.0f, 0.5f);
    lifted.airborne = 1;
    EXPECT_TRUE(CollideFloor(world(), lifted));
    EXPECT_EQ(lifted.position.y + lifted.anim.bottom, 115.5f);
    EXPECT_TRUE(lifted.onSlope);
}
