// Wall slides and wall kicks through the real frame: a slide starts only
// once the hero falls, holds still for the slide's first three frames, then
// slides at 1.4 (plus the frame's gravity); a kick runs its 10-frame
// countdown away from the wall; letting go drifts four frames; a slide that
// is not renewed ends at once.
#include "HeroTestData.h"

namespace herotest {
namespace {

// A wall in column 10 (x 160 to 175) from the top down to the floor; the
// hero touches it from the left at x 119 (box right edge 40, plus 1).
constexpr float kBesideWall = 119.0f;

class WallTest : public HeroTest {
protected:
    WallTest() { Wall(10, 0, kFloorRow - 1); }

    // Stands beside the wall pressing into it and jumps; returns the state
    // of the frame whose update first leaves the hero falling (vy >= 0),
    // where the slide starts.
    FrameState JumpIntoSlide() {
        StandAt(kBesideWall);
        Step("press right");
        FrameState s = Step("press keyjump");
        // Rising along the wall (vy -5.75 ... -0.25 after each update) never sticks.
        for (int i = 0; i < 23; ++i) {
            EXPECT_LT(s.velocity.y, 0.0f);
            EXPECT_EQ(s.wallState, 0) << "frame " << s.frame;
            EXPECT_EQ(s.animation, "Jump") << "frame " << s.frame;
            s = Step();
        }
        return s;
    }
};

struct SlideRow {
    float fallBy;  // position.y change this frame
    float velocityY;
    int direction;
    int animationFrame;
};

// From the frame the slide starts: "Slide" [2 2 3 4 4] loops from frame 3.
// On frames 0 to 2 the controller holds vy at 0 and only the frame's gravity
// (0.25) moves the hero; from frame 3 on it slides at 1.4 + 0.25. Once the
// slide shows its frame 1 the hero faces away from the wall.
const SlideRow kSlide[] = {
    {0.25f, 0.0f, 1, 0},  {0.25f, 0.0f, 1, 0},  {0.25f, 0.0f, 1, 0},  {0.25f, 0.0f, -1, 1},
    {0.25f, 0.0f, -1, 1}, {0.25f, 0.0f, -1, 2}, {0.25f, 0.0f, -1, 2}, {0.25f, 0.0f, -1, 2},
    {0.25f, 1.4f, -1, 3}, {1.65f, 1.4f, -1, 3}, {1.65f, 1.4f, -1, 3}, {1.65f, 1.4f, -1, 3},
    {1.65f, 1.4f, -1, 4}, {1.65f, 1.4f, -1, 4},
};

}  // namespace

TEST_F(WallTest, SlideStartsOnlyWhileFallingAndHoldsBeforeItSlides) {
    FrameState s = JumpIntoSlide();
    EXPECT_EQ(s.velocity.y, 0.0f);
    EXPECT_EQ(s.wallState, 11);
    EXPECT_EQ(s.animation, "Slide");
    EXPECT_EQ(s.animationFrame, 0);
    EXPECT_EQ(s.direction, 1);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_KBPETA.WAV", 0));
    const int start = s.frame;

    for (size_t i = 1; i < sizeof kSlide / sizeof kSlide[0]; ++i) {
        const SlideRow& row = kSlide[i];
        const float yBefore = hero().position.y;
        s = Step("");
        SCOPED_TRACE("slide frame " + std::to_string(s.frame - start));
        EXPECT_NEAR(s.position.y - yBefore, row.fallBy, 1e-4f);
        EXPECT_EQ(s.velocity.y, row.velocityY);
        EXPECT_EQ(s.direction, row.direction);
        EXPECT_EQ(s.animationFrame, row.animationFrame);
        EXPECT_EQ(s.animation, "Slide");
        EXPECT_EQ(s.wallState, 11);
        EXPECT_EQ(s.velocity.x, 0.0f) << "facing away, the held key pushes no more";
        EXPECT_EQ(s.position.x, kBesideWall);
        EXPECT_FALSE(s.Played("SE_PL00\\ROOK_KBPETA.WAV", 0)) << "once a slide";

        // Smoke as the slide leaves frame 2, facing away from the hero.
        const auto smoke = Objects("PlayerFX", "SlideSmoke");
        if (s.frame - start < 8) {
            EXPECT_TRUE(smoke.empty());
        } else if (s.frame - start == 8) {
            ASSERT_EQ(smoke.size(), 1u);
            EXPECT_EQ(smoke[0]->parent, &hero());
            EXPECT_EQ(smoke[0]->direction, 1);
            EXPECT_EQ(smoke[0]->anim.PaletteRow(), -1);
        }
    }
}

TEST_F(WallTest, KickRunsItsTenFrameCountdownAwayFromTheWall) {
    JumpIntoSlide();
    for (int i = 0; i < 12; ++i) Step();
    ASSERT_EQ(hero().wallState, 11);
    ASSERT_EQ(hero().direction, -1);
    const Vector2 before = hero().position;

    // The kick turns the hero to face the wall again and moves it away from
    // the wall while it rises.
    FrameState s = Step("press keyjump");
    EXPECT_EQ(s.animation, "SlideJump");
    EXPECT_EQ(s.direction, 1);
    EXPECT_EQ(s.velocity.y, -5.75f);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_KBKERI.WAV", 0));
    EXPECT_TRUE(s.Played("VO_PL00\\ROOK_KIAI1.WAV", -1));
    const auto sparks = Objects("PlayerFX", "SlideSpark");
    ASSERT_EQ(sparks.size(), 1u);
    EXPECT_EQ(sparks[0]->position.x, before.x);
    EXPECT_EQ(sparks[0]->position.y, before.y);
    EXPECT_EQ(sparks[0]->direction, 1);

    const int wallStates[10] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    float x = kBesideWall;
    for (int i = 0; i < 10; ++i) {
        if (i > 0) s = Step();
        SCOPED_TRACE("kick frame " + std::to_string(i));
        EXPECT_EQ(s.wallState, wallStates[i]);
        EXPECT_EQ(s.velocity.x, -2.0f);
        x -= 2.0f;
        EXPECT_EQ(s.position.x, x);
        EXPECT_EQ(s.direction, 1);
        EXPECT_LT(s.velocity.y, 0.0f);
        for (const GameObject* spark : Objects("PlayerFX", "SlideSpark"))
            EXPECT_EQ(spark->lifetime, i + 1) << "one spark a kick";
    }

    // The countdown over, the held key (the last direction asked for) takes
    // the hero back to the wall.
    s = Step();
    EXPECT_EQ(s.velocity.x, 2.0f);
    EXPECT_EQ(s.position.x, x + 2.0f);
}

TEST_F(WallTest, LettingGoDriftsFourFramesAndAPressWaitsForTheEnd) {
    JumpIntoSlide();
    for (int i = 0; i < 10; ++i) Step();
    ASSERT_EQ(hero().direction, -1);

    FrameState s = Step("release right");
    EXPECT_EQ(s.wallState, 3);
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_EQ(s.animation, "Fall");
    // Asking for the wall side during the drift only remembers it.
    s = Step("press right");
    EXPECT_EQ(s.wallState, 2);
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_EQ(s.direction, -1);
    s = Step();
    EXPECT_EQ(s.wallState, 1);
    EXPECT_EQ(s.velocity.x, -2.0f);
    s = Step();
    EXPECT_EQ(s.wallState, 0);
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_EQ(s.direction, 1) << "the remembered direction, at the countdown's end";
    EXPECT_EQ(s.position.x, kBesideWall - 8.0f);
    s = Step();
    EXPECT_EQ(s.velocity.x, 2.0f);
}

TEST_F(WallTest, LettingGoWithoutAPressKeepsFacingAwayAndStops) {
    JumpIntoSlide();
    for (int i = 0; i < 10; ++i) Step();
    Step("release right");
    for (int i = 0; i < 3; ++i) Step();
    FrameState s = Step();
    EXPECT_EQ(s.wallState, 0);
    EXPECT_EQ(s.direction, -1);
    EXPECT_EQ(s.velocity.x, 0.0f);
    EXPECT_EQ(s.position.x, kBesideWall - 8.0f);
}

TEST_F(WallTest, TheStickSlidesAndLetsGoInItsDeadZone) {
    StandAt(kBesideWall);
    Step("stick 20000");
    Step("press keyjump");
    while (hero().wallState != 11) {
        Step();
        ASSERT_LT(harness().frame(), 80);
    }
    for (int i = 0; i < 4; ++i) Step();
    ASSERT_EQ(hero().direction, -1);
    // Still beyond the dead zone: nothing changes.
    FrameState s = Step("stick 10001");
    EXPECT_EQ(s.wallState, 11);
    s = Step("stick 10000");
    EXPECT_EQ(s.wallState, 3);
    EXPECT_EQ(s.velocity.x, -2.0f);
}

TEST_F(WallTest, ASlideThatIsNotRenewedEndsFacingTheWallSide) {
    // The wall ends at row 5; the hero slides off its lower end.
    Stage(40, 16);
    Floor(kFloorRow, 0, 39);
    Wall(10, 0, 5);
    HoldInAir(kBesideWall, 30.0f);
    Step("press right");
    FrameState s = Step();
    ASSERT_EQ(s.wallState, 11);
    int frames = 0;
    while (s.wallState == 11) {
        EXPECT_EQ(s.animation, "Slide");
        s = Step();
        ASSERT_LT(++frames, 80);
    }
    EXPECT_EQ(s.wallState, 0) << "from 11 to 10 in the controls, ended by the animation half";
    EXPECT_EQ(s.direction, 1) << "the slide had turned it away; it turns back";
    EXPECT_EQ(s.animation, "Fall");
    // Below the wall the hero falls and walks on toward it.
    s = Step();
    EXPECT_EQ(s.velocity.x, 2.0f);
}

}  // namespace herotest
