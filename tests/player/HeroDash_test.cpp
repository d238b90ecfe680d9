// The dash through the real frame: its speed curve with sounds and effects,
// a dash jump, and the ways a dash ends early.
#include "HeroTestData.h"

namespace herotest {
namespace {

struct DashRow {
    int dashTimer;
    float velocityX;
    const char* animation;
};

// From the press, standing facing right: five frames of wind-up, the burst
// of 6.6 decaying to 4.2, the cruise, "DashEnd" below 12, the last decay.
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

constexpr float kTolerance = 1e-4f;  // the curve comes from repeated float subtraction

bool MadeAfterImage(const std::vector<const GameObject*>& images) {
    for (const GameObject* image : images)
        if (image->lifetime == 1) return true;
    return false;
}

}  // namespace

TEST_F(HeroTest, DashFollowsItsSpeedCurveWithItsSoundsAndEffects) {
    StandAt(64.0f);
    const float startX = hero().position.x;
    int afterImages = 0;
    for (size_t i = 0; i < sizeof kDashCurve / sizeof kDashCurve[0]; ++i) {
        const DashRow& row = kDashCurve[i];
        const float xBefore = hero().position.x;
        const FrameState s = Step(i == 0 ? "press keydash" : "");
        SCOPED_TRACE("frame " + std::to_string(s.frame));
        EXPECT_EQ(s.dashTimer, row.dashTimer);
        EXPECT_NEAR(s.velocity.x, row.velocityX, kTolerance);
        EXPECT_EQ(s.animation, row.animation);
        EXPECT_NEAR(s.position.x, xBefore + row.velocityX, kTolerance);
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_Dash.WAV", 0), row.dashTimer == 46);
        EXPECT_EQ(s.Played("SE_PL00\\ROOK_Brake.WAV", 0), row.dashTimer == 11);

        const auto thrusters = Objects("PlayerFXBack", "DashThruster");
        if (row.dashTimer == 41) {  // the first moving frame
            ASSERT_EQ(thrusters.size(), 1u);
            EXPECT_EQ(thrusters[0]->parent, &hero());
            EXPECT_EQ(thrusters[0]->parentOffset, Vector2(-30.0f, 0.0f));
            EXPECT_EQ(thrusters[0]->anim.PaletteRow(), -1);
        }
        // Smoke as "Dash" leaves its frame 2 (ticks 3 + 2 + 4 after the press).
        const auto smoke = Objects("PlayerFX", "DashSmoke");
        if (row.dashTimer == 37) {
            ASSERT_EQ(smoke.size(), 1u);
            EXPECT_NEAR(smoke[0]->position.x, xBefore - 30.0f, kTolerance);
            EXPECT_EQ(smoke[0]->direction, 1);
        } else if (row.dashTimer > 37) {
            EXPECT_TRUE(smoke.empty());
        }
        // An after-image on every frame whose number is a multiple of 4.
        const auto images = Objects("PlayerBGFX", "CopyRook");
        const bool made = MadeAfterImage(images);
        EXPECT_EQ(made, row.dashTimer != 0 && s.frame % 4 == 0);
        if (made) {
            EXPECT_EQ(images.back()->anim.PaletteRow(), 0);
            EXPECT_NEAR(images.back()->position.x, xBefore, kTolerance);
        }
        afterImages += made;
    }
    EXPECT_EQ(afterImages, 11) << "frames 8, 12, ... 48";
    EXPECT_NEAR(hero().position.x, startX + 174.9733f, 1e-3f);
    EXPECT_EQ(hero().speed, hero().walkSpeed);

    // Facing left the speed is mirrored, the smoke faces left too.
    StandAt(400.0f, -1);
    Step("press keydash");
    for (int i = 0; i < 4; ++i) Step();
    EXPECT_NEAR(Step().velocity.x, -6.6f, kTolerance);
    for (int i = 0; i < 4; ++i) Step();
    const auto smoke = Objects("PlayerFX", "DashSmoke");
    ASSERT_EQ(smoke.size(), 1u);
    EXPECT_EQ(smoke[0]->direction, -1);
}

TEST_F(HeroTest, DashHeldThroughAJumpKeepsSpeedFourUntilLanding) {
    StandAt(64.0f);
    Step("press right");
    for (int i = 0; i < 4; ++i) Step();
    Step("press keydash");
    for (int i = 0; i < 5; ++i) Step();
    FrameState s = Step("press keyjump");
    EXPECT_EQ(s.dashTimer, 1);
    EXPECT_TRUE(s.dashJump);
    int airFrames = 1;
    for (;;) {
        const float xBefore = hero().position.x;
        s = Step();
        SCOPED_TRACE("frame " + std::to_string(s.frame));
        if (s.airborne == 0) break;
        ++airFrames;
        EXPECT_EQ(s.velocity.x, 4.0f);
        EXPECT_NEAR(s.position.x, xBefore + 4.0f, kTolerance);
        EXPECT_EQ(MadeAfterImage(Objects("PlayerBGFX", "CopyRook")), s.frame % 4 == 0);
        ASSERT_LT(airFrames, 60);
    }
    EXPECT_EQ(airFrames, 46);
    EXPECT_FALSE(s.dashJump) << "landing clears it";
    EXPECT_EQ(s.velocity.x, 4.0f);
    EXPECT_EQ(s.animation, "Walk");
    // The timer of 1 ends on the ground after the frame's speed was taken.
    s = Step();
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.velocity.x, 4.0f);
    EXPECT_EQ(Step().velocity.x, 2.0f);
}

TEST_F(HeroTest, AGroundDashEndsOnAJumpAReleaseOrTheOppositeKey) {
    // With the facing direction held, a release lets it go on; a jump
    // without the dash key held cancels it at once.
    StandAt(64.0f);
    Step("press right");
    Step("press keydash");
    for (int i = 0; i < 5; ++i) Step();
    FrameState s = Step("release keydash");
    EXPECT_EQ(s.dashTimer, 40);
    s = Step("press keyjump");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_FALSE(s.dashJump);
    EXPECT_EQ(s.velocity.x, 2.0f);
    Step("release right, release keyjump");
    while (hero().airborne) Step();

    // Released with no direction held: braking into "DashEnd".
    StandAt(64.0f);
    Step("press keydash");
    for (int i = 0; i < 7; ++i) Step();
    s = Step("release keydash");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.speed, 2.0f);
    EXPECT_EQ(s.animation, "DashEnd");
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_BRAKE.WAV", 0));
    EXPECT_EQ(s.velocity.x, 0.0f);

    // The opposite direction ends it and walks at once.
    StandAt(200.0f);
    Step("press keydash");
    for (int i = 0; i < 7; ++i) Step();
    s = Step("press left");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.direction, -1);
    EXPECT_EQ(s.animation, "Walk");
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_BRAKE.WAV", 0));
}

TEST_F(HeroTest, ADashPressedInTheAirIsUndoneAndTheJoystickDashes) {
    StandAt(64.0f);
    Step("press keyjump");
    FrameState s = Step("press keydash");
    EXPECT_EQ(s.dashTimer, 0);
    EXPECT_EQ(s.speed, 2.0f);
    EXPECT_EQ(Step("release keydash, press joydash").dashTimer, 0);

    // On the ground the stick's dash ends on release unless held sideways.
    while (hero().airborne) Step();
    Step();
    EXPECT_EQ(Step("press joydash").dashTimer, 46);
    EXPECT_EQ(Step("release joydash").dashTimer, 0);
    Step("press joydash");
    Step("stick 20000");
    EXPECT_EQ(Step("release joydash").dashTimer, 44);
}

}  // namespace herotest
