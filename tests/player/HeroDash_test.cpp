// The dash through the real frame: the speed curve frame by frame, its
// sounds and effects, a dash held through a jump, a jump that cancels it, a
// released dash key and the opposite direction ending it.
#include <cmath>

#include "HeroTestData.h"

namespace herotest {
namespace {

struct DashRow {
    int dashTimer;
    float velocityX;
    const char* animation;
};

// Frame by frame from the press, hero standing still facing right: five
// frames of wind-up, the burst of 6.6, the decay to 4.2, the cruise at
// 4.133333, the brake ("DashEnd" below 12), 3.98 and the last decay.
const DashRow kDashCurve[] = {
    {46, 0.0f, "Dash"},         {45, 0.0f, "Dash"},      {44, 0.0f, "Dash"},
    {43, 0.0f, "Dash"},         {42, 0.0f, "Dash"},      {41, 6.6f, "Dash"},
    {40, 6.4f, "Dash"},         {39, 6.2f, "Dash"},      {38, 6.0f, "Dash"},
    {37, 5.8f, "Dash"},         {36, 5.6f, "Dash"},      {35, 5.4f, "Dash"},
    {34, 5.2f, "Dash"},         {33, 5.0f, "Dash"},      {32, 4.8f, "Dash"},
    {31, 4.6f, "Dash"},         {30, 4.4f, "Dash"},      {29, 4.2f, "Dash"},
    {28, 4.133333f, "Dash"},    {27, 4.133333f, "Dash"}, {26, 4.133333f, "Dash"},
    {25, 4.133333f, "Dash"},    {24, 4.133333f, "Dash"}, {23, 4.133333f, "Dash"},
    {22, 4.133333f, "Dash"},    {21, 4.133333f, "Dash"}, {20, 4.133333f, "Dash"},
    {19, 4.133333f, "Dash"},    {18, 4.133333f, "Dash"}, {17, 4.133333f, "Dash"},
    {16, 4.133333f, "Dash"},    {15, 4.133333f, "Dash"}, {14, 4.133333f, "Dash"},
    {13, 4.133333f, "Dash"},    {12, 4.133333f, "Dash"}, {11, 4.133333f, "DashEnd"},
    {10, 4.133333f, "DashEnd"}, {9, 3.98f, "DashEnd"},   {8, 3.78f, "DashEnd"},
    {7, 3.58f, "DashEnd"},      {6, 3.38f, "DashEnd"},   {5, 3.18f, "DashEnd"},
    {4, 2.98f, "DashEnd"},      {3, 2.78f, "DashEnd"},   {2, 2.58f, "DashEnd"},
    {0, 0.0f, "Stand"},
};

// Curve values come from repeated float subtraction.
constexpr float kSpeedTolerance = 1e-4f;

}  // namespace

TEST_F(HeroTest, DashFollowsItsSpeedCurveWithItsSoundsAndEffects) {
    StandAt(64.0f);
    const float startX = hero().position.x;
    float x = startX;
    int afterImages = 0;
    for (size_t i = 0; i < sizeof kDashCurve / sizeof kDashCurve[0]; ++i) {
        const DashRow& row = kDashCurve[i];
        const float xBefore = hero().position.x;
        const FrameState s = Step(i == 0 ? "press keydash" : "");
        SCOPED_TRACE("frame " + std::to_string(s.frame) + ", dashTimer " +
                     std::to_string(row.dashTimer));
        EXPECT_EQ(s.dashTimer, row.dashTimer);
        EXPECT_NEAR(s.velocity.x, row.velocityX, kSpeedTolerance);
        EXPECT_EQ(s.animation, row.animation);
        EXPECT_NEAR(s.position.x, xBefore + row.velocityX, kSpeedTolerance);
        x += row.velocityX;

        // The dash sound on its first frame, the brake once it drops below 12.
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_Dash.WAV", 0), row.dashTimer == 46);
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_Brake.WAV", 0), row.dashTimer == 11);

        // The thruster follows the hero from the first moving frame.
        const auto thrusters = Objects("PlayerFXBack", "DashThruster");
        if (row.dashTimer == 41) {
            ASSERT_EQ(thrusters.size(), 1u);
            EXPECT_EQ(thrusters[0]->parent, &hero());
            EXPECT_EQ(thrusters[0]->parentOffset.x, -30.0f);
            EXPECT_EQ(thrusters[0]->parentOffset.y, 0.0f);
            EXPECT_EQ(thrusters[0]->direction, 1);
            EXPECT_EQ(thrusters[0]->anim.PaletteRow(), -1);
        }
        // Smoke is left behind as "Dash" leaves its frame 2 (ticks 3 + 2 + 4
        // after the press).
        const auto smoke = Objects("PlayerFX", "DashSmoke");
        if (row.dashTimer == 37) {
            ASSERT_EQ(smoke.size(), 1u);
            EXPECT_NEAR(smoke[0]->position.x, xBefore - 30.0f, kSpeedTolerance);
            EXPECT_EQ(smoke[0]->direction, 1);
        } else if (row.dashTimer > 37) {
            EXPECT_TRUE(smoke.empty());
        }

        // An after-image on every frame whose number is a multiple of 4.
        bool madeAfterImage = false;
        for (const GameObject* image : Objects("PlayerBGFX", "CopyRook")) {
            if (image->lifetime != 1) continue;
            madeAfterImage = true;
            EXPECT_EQ(image->anim.PaletteRow(), 0);
            EXPECT_FALSE(image->dieOnWall);
            EXPECT_NEAR(image->position.x, xBefore, kSpeedTolerance);
        }
        EXPECT_EQ(madeAfterImage, row.dashTimer != 0 && s.frame % 4 == 0);
        afterImages += madeAfterImage;
    }
    EXPECT_EQ(afterImages, 11) << "frames 8, 12, ... 48";
    EXPECT_NEAR(hero().position.x, startX + 174.9733f, 1e-3f);
    EXPECT_NEAR(hero().position.x, x, 1e-3f);
    EXPECT_EQ(hero().speed, hero().walkSpeed);
}

TEST_F(HeroTest, DashFacingLeftMirrorsTheSpeedButNotTheSmoke) {
    StandAt(400.0f, -1);
    Step("press keydash");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Step().velocity.x, 0.0f);
    EXPECT_NEAR(Step().velocity.x, -6.6f, kSpeedTolerance);
    for (int i = 0; i < 3; ++i) Step();
    const float x = hero().position.x;
    Step();  // "Dash" leaves frame 2
    const auto smoke = Objects("PlayerFX", "DashSmoke");
    ASSERT_EQ(smoke.size(), 1u);
    EXPECT_NEAR(smoke[0]->position.x, x - 30.0f, kSpeedTolerance);
    EXPECT_EQ(smoke[0]->direction, -1);
}

TEST_F(HeroTest, DashHeldThroughAJumpKeepsSpeedFourUntilLanding) {
    StandAt(64.0f);
    Step("press right");
    for (int i = 0; i < 4; ++i) Step();
    Step("press keydash");
    for (int i = 0; i < 5; ++i) Step();
    ASSERT_NEAR(hero().velocity.x, 6.6f, kSpeedTolerance);

    FrameState s = Step("press keyjump");
    EXPECT_EQ(s.animation, "Jump");
    EXPECT_EQ(s.airborne, 1);
    EXPECT_EQ(s.dashTimer, 1);
    EXPECT_TRUE(s.dashJump);
    EXPECT_EQ(s.velocity.y, -5.75f);
    int airFrames = 1;
    for (;;) {
        const float xBefore = hero().position.x;
        s = Step();
        SCOPED_TRACE("frame " + std::to_string(s.frame));
        if (s.airborne == 0) break;
        ++airFrames;
        EXPECT_EQ(s.velocity.x, 4.0f);
        EXPECT_EQ(s.speed, 4.0f);
        EXPECT_EQ(s.dashTimer, 1);
        EXPECT_NEAR(s.position.x, xBefore + 4.0f, kSpeedTolerance);
        // An after-image every 4th frame all the way through the jump.
        bool madeAfterImage = false;
        for (const GameObject* image : Objects("PlayerBGFX", "CopyRook"))
            madeAfterImage |= image->lifetime == 1;
        EXPECT_EQ(madeAfterImage, s.frame % 4 == 0);
        ASSERT_LT(airFrames, 60);
    }
    // Up at 6 and down again under gravity of 0.25: 46 frames in the air,
    // the 47th update lands.
    EXPECT_EQ(airFrames, 46);
    EXPECT_FALSE(s.dashJump) << "landing clears it";
    EXPECT_EQ(s.velocity.x, 4.0f) << "the landing frame was still moved at dash speed";
    EXPECT_EQ(s.animation, "Walk") << "landing while moving into free space";

    // On the ground the dash jump's timer of 1 ends, after the frame's speed
    // was taken: one more frame at 4, then walking at 2.
    s = Step();
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.speed, 2.0f);
    EXPECT_EQ(s.velocity.x, 4.0f);
    s = Step();
    EXPECT_EQ(s.velocity.x, 2.0f);
}

TEST_F(HeroTest, JumpWithoutDashHeldCancelsTheDashAtOnce) {
    StandAt(64.0f);
    Step("press right");
    Step("press keydash");
    for (int i = 0; i < 5; ++i) Step();
    // With the direction it faces held, releasing the dash key on the ground
    // lets the dash go on.
    FrameState s = Step("release keydash");
    EXPECT_EQ(s.dashTimer, 40);
    EXPECT_NEAR(s.velocity.x, 6.4f, kSpeedTolerance);

    s = Step("press keyjump");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_FALSE(s.dashJump);
    EXPECT_EQ(s.speed, 2.0f);
    EXPECT_EQ(s.velocity.x, 2.0f);
}

TEST_F(HeroTest, ReleasingTheDashKeyWithoutItsDirectionEndsAGroundDash) {
    StandAt(64.0f);
    Step("press keydash");
    for (int i = 0; i < 7; ++i) Step();
    ASSERT_EQ(AnimationName(hero().anim), "Dash");
    const FrameState s = Step("release keydash");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.speed, 2.0f);
    EXPECT_EQ(s.animation, "DashEnd");
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_BRAKE.WAV", 0));
    EXPECT_EQ(s.velocity.x, 0.0f);
}

TEST_F(HeroTest, OppositeDirectionEndsAGroundDashAndWalks) {
    StandAt(200.0f);
    Step("press keydash");
    for (int i = 0; i < 7; ++i) Step();
    ASSERT_GT(hero().velocity.x, 6.0f);

    FrameState s = Step("press left");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.speed, 2.0f);
    EXPECT_EQ(s.direction, -1);
    EXPECT_EQ(s.animation, "Walk");
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_BRAKE.WAV", 0)) << "the dash was showing \"Dash\"";
    s = Step();
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_EQ(s.animation, "Walk");
}

TEST_F(HeroTest, ADashPressedInTheAirIsUndoneAndTheJoystickStartsNone) {
    StandAt(64.0f);
    Step("press keyjump");
    FrameState s = Step("press keydash");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.speed, 2.0f);
    s = Step("release keydash, press joydash");
    EXPECT_EQ(s.dashTimer, 0);

    // On the ground the joystick's dash button dashes, and its release ends
    // the dash while the stick is centred.
    while (hero().airborne) Step();
    Step();
    s = Step("press joydash");
    EXPECT_EQ(s.dashTimer, 46);
    s = Step("release joydash");
    EXPECT_EQ(s.dashTimer, 0);
    s = Step("press joydash");
    Step("stick 20000");
    s = Step("release joydash");
    EXPECT_EQ(s.dashTimer, 44) << "the stick held to the side keeps it going";
}

}  // namespace herotest
