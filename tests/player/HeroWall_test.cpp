// Wall slides and kicks through the real frame: a slide starts only once the
// hero falls, holds three frames, then slides at 1.4 plus gravity; a kick
// counts 10 frames away from the wall; letting go drifts four frames.
#include "HeroTestData.h"

namespace herotest {
namespace {

// A wall in column 10 (x 160) down to the floor; touched from the left at 119.
constexpr float kBesideWall = 119.0f;

class WallTest : public HeroTest {
protected:
    WallTest() { Wall(10, 0, kFloorRow - 1); }

    // Jumps up along the wall pressing into it; returns the frame the slide
    // starts (the first falling one). Rising never sticks.
    FrameState JumpIntoSlide() {
        StandAt(kBesideWall);
        Step("press right");
        FrameState s = Step("press keyjump");
        for (int i = 0; i < 23; ++i) {
            EXPECT_EQ(s.wallState, 0) << "frame " << s.frame;
            EXPECT_EQ(s.animation, "Jump") << "frame " << s.frame;
            s = Step();
        }
        return s;
    }
    // Slides, faced away from the wall, then lets go of the key.
    FrameState SlideAndLetGo() {
        JumpIntoSlide();
        for (int i = 0; i < 10; ++i) Step();
        return Step("release right");
    }
};

}  // namespace

TEST_F(WallTest, SlideStartsOnlyWhileFallingAndHoldsBeforeItSlides) {
    FrameState s = JumpIntoSlide();
    EXPECT_EQ(s.velocity.y, 0.0f);
    EXPECT_EQ(s.wallState, 11);
    EXPECT_EQ(s.animation, "Slide");
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_KBPETA.WAV", 0));
    // "Slide" [2 2 3 4 4] loops from frame 3: held (only gravity moves the
    // hero) until frame 3, then 1.4 + 0.25; facing away once it shows frame 1.
    const int animationFrames[] = {0, 0, 0, 1, 1, 2, 2, 2, 3, 3, 3, 3, 4, 4};
    for (int i = 1; i < 14; ++i) {
        const float yBefore = hero().position.y;
        s = Step();
        SCOPED_TRACE("slide frame " + std::to_string(i));
        EXPECT_NEAR(s.position.y - yBefore, i < 9 ? 0.25f : 1.65f, 1e-4f);
        EXPECT_EQ(s.velocity.y, i < 8 ? 0.0f : 1.4f);
        EXPECT_EQ(s.direction, i < 3 ? 1 : -1);
        EXPECT_EQ(s.animationFrame, animationFrames[i]);
        EXPECT_EQ(s.wallState, 11);
        EXPECT_EQ(s.position.x, kBesideWall) << "facing away, the held key pushes no more";
        EXPECT_FALSE(s.Played("SE_PL00\\ROOK_KBPETA.WAV", 0)) << "once a slide";
        // Smoke as the slide leaves frame 2, facing away from the hero.
        const auto smoke = Objects("PlayerFX", "SlideSmoke");
        if (i <= 8) {
            EXPECT_EQ(smoke.size(), i < 8 ? 0u : 1u);
        }
        if (i == 8) {
            EXPECT_EQ(smoke[0]->parent, &hero());
            EXPECT_EQ(smoke[0]->direction, 1);
        }
    }
}

TEST_F(WallTest, KickRunsItsTenFrameCountdownAwayFromTheWall) {
    JumpIntoSlide();
    for (int i = 0; i < 12; ++i) Step();
    const Vector2 before = hero().position;
    // The kick faces the wall again and moves away from it while rising.
    FrameState s = Step("press keyjump");
    EXPECT_EQ(s.animation, "SlideJump");
    EXPECT_EQ(s.velocity.y, -5.75f);
    EXPECT_TRUE(s.Played("SE_PL00\\ROOK_KBKERI.WAV", 0));
    EXPECT_TRUE(s.Played("VO_PL00\\ROOK_KIAI1.WAV", -1));
    const auto sparks = Objects("PlayerFX", "SlideSpark");
    ASSERT_EQ(sparks.size(), 1u);
    EXPECT_EQ(sparks[0]->position, before);
    EXPECT_EQ(sparks[0]->direction, 1);
    for (int i = 0; i < 10; ++i) {
        if (i > 0) s = Step();
        SCOPED_TRACE("kick frame " + std::to_string(i));
        EXPECT_EQ(s.wallState, 9 - i);
        EXPECT_EQ(s.position.x, kBesideWall - 2.0f * (i + 1));
        EXPECT_EQ(s.direction, 1);
        for (const GameObject* spark : Objects("PlayerFX", "SlideSpark"))
            EXPECT_EQ(spark->lifetime, i + 1) << "one spark a kick";
    }
    // The countdown over, the held key takes the hero back to the wall.
    EXPECT_EQ(Step().velocity.x, 2.0f);
}

TEST_F(WallTest, LettingGoDriftsFourFramesAndAPressWaitsForTheEnd) {
    FrameState s = SlideAndLetGo();
    EXPECT_EQ(s.wallState, 3);
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_EQ(s.animation, "Fall");
    // Asking for the wall side during the drift is only remembered.
    s = Step("press right");
    EXPECT_EQ(s.wallState, 2);
    EXPECT_EQ(s.direction, -1);
    Step();
    s = Step();
    EXPECT_EQ(s.wallState, 0);
    EXPECT_EQ(s.velocity.x, -2.0f);
    EXPECT_EQ(s.direction, 1) << "the remembered direction, at the countdown's end";
    EXPECT_EQ(s.position.x, kBesideWall - 8.0f);
    EXPECT_EQ(Step().velocity.x, 2.0f);
}

TEST_F(WallTest, LettingGoWithoutAPressKeepsFacingAwayAndStops) {
    SlideAndLetGo();
    FrameState s;
    for (int i = 0; i < 4; ++i) s = Step();
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
    EXPECT_EQ(Step("stick 10001").wallState, 11);
    FrameState s = Step("stick 10000");
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
    for (int frames = 0; s.wallState == 11; ++frames) {
        s = Step();
        ASSERT_LT(frames, 80);
    }
    EXPECT_EQ(s.wallState, 0);
    EXPECT_EQ(s.direction, 1) << "the slide had turned it away; it turns back";
    EXPECT_EQ(s.animation, "Fall");
    EXPECT_EQ(Step().velocity.x, 2.0f);
}

}  // namespace herotest
