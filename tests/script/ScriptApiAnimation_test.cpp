// Script functions on animation state and palette rows. The Walker set has
// "Stand" (1 frame), "Walk" (3 frames of 2 ticks, looping to frame 1) and
// "Fall"; the Spark set has 24 x 24 frames.
#include "ScriptFixture.h"

namespace {

TEST_F(ScriptTest, PaletteRowsRoundTrip) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    for (int row : {0, 1, 5, 31, -1, -7, 100}) {
        ASSERT_TRUE(Run("SetPalette(w, " + std::to_string(row) + ")"));
        EXPECT_EQ(walker->anim.paletteIndex, static_cast<float>(row / 32.0)) << row;
        EXPECT_EQ(Number("GetPalette(w)"), row);
    }
    ASSERT_TRUE(Run("SetPalette(w, 2.9)"));
    EXPECT_EQ(Number("GetPalette(w)"), 2);
    ASSERT_TRUE(Run("SetPalette(w, -2.9)"));
    EXPECT_EQ(Number("GetPalette(w)"), -2);

    // Created without palette: -1 / 32 reads back as -1.
    SetHandle("plain", Make("Walker", "Enemies", -1));
    EXPECT_EQ(Number("GetPalette(plain)"), -1);
}

TEST_F(ScriptTest, ChangeAnimationRestartsOnlyAnotherKnownAnimation) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    EXPECT_TRUE(Bool("IsPlaying(w, 'Stand')"));
    walker->anim.frameTick = 3;
    walker->anim.loopCount = 2;
    ASSERT_TRUE(Run("ChangeAnimation(w, 'Walk')"));
    EXPECT_EQ(walker->anim.currentAnimation, 1);
    EXPECT_EQ(walker->anim.currentFrame, 0);
    EXPECT_EQ(walker->anim.frameTick, 0);
    EXPECT_EQ(walker->anim.loopCount, 0);
    EXPECT_TRUE(Bool("IsPlaying(w, 'Walk')"));
    EXPECT_FALSE(Bool("IsPlaying(w, 'Stand')"));

    walker->anim.currentFrame = 2;
    walker->anim.frameTick = 1;
    walker->anim.loopCount = 3;
    for (const char* call : {"ChangeAnimation(w, 'Walk')", "ChangeAnimation(w, 'Run')",
                             "ChangeAnimation(w)", "ChangeAnimation(w, {})"}) {
        ASSERT_TRUE(Run(call));
        EXPECT_EQ(walker->anim.currentAnimation, 1) << call;
        EXPECT_EQ(walker->anim.currentFrame, 2) << call;
        EXPECT_EQ(walker->anim.frameTick, 1) << call;
        EXPECT_EQ(walker->anim.loopCount, 3) << call;
    }
    EXPECT_FALSE(Bool("IsPlaying(w, 'Run')"));
    EXPECT_FALSE(Bool("IsPlaying(w)"));
}

TEST_F(ScriptTest, EndOfAnimationAndLoopsCountFinishedRuns) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    ASSERT_TRUE(Run("ChangeAnimation(w, 'Walk')"));
    // The first frame lasts 3 ticks, the others 2: the run ends on tick 7.
    for (int tick = 1; tick <= 6; ++tick) walker->anim.Advance();
    EXPECT_FALSE(Bool("EndOfAnimation(w)"));
    EXPECT_EQ(Number("AnimationLoops(w)"), 0);
    walker->anim.Advance();
    EXPECT_TRUE(Bool("EndOfAnimation(w)"));
    EXPECT_EQ(Number("AnimationLoops(w)"), 1);
    EXPECT_EQ(walker->anim.currentFrame, 1);
    // From the loop frame on, one run is frames 1 and 2: four ticks.
    for (int tick = 1; tick <= 4; ++tick) walker->anim.Advance();
    EXPECT_EQ(Number("AnimationLoops(w)"), 2);
}

TEST_F(ScriptTest, HitFrameIsTrueOnTheFirstTickOfAFrameCountedFromOne) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    ASSERT_TRUE(Run("ChangeAnimation(w, 'Walk')"));
    EXPECT_FALSE(Bool("HitFrame(w, 1)"));  // tick 0
    walker->anim.Advance();                // frame 0, tick 1
    EXPECT_TRUE(Bool("HitFrame(w, 1)"));
    EXPECT_FALSE(Bool("HitFrame(w, 0)"));
    EXPECT_FALSE(Bool("HitFrame(w, 2)"));
    EXPECT_FALSE(Bool("HitFrame(w, -2147483648)"));
    walker->anim.Advance();  // frame 0, tick 2
    EXPECT_FALSE(Bool("HitFrame(w, 1)"));
    walker->anim.Advance();  // frame 1, tick 1
    EXPECT_TRUE(Bool("HitFrame(w, 2)"));
    EXPECT_TRUE(Bool("HitFrame(w, 2.9)"));
}

TEST_F(ScriptTest, HitFrameAndTheFrameZeroHookFireInTheUpdateAfterChangeAnimation) {
    GameObject* walker = Make("Walker", "Enemies");
    walker->tileCollision = false;
    SetHandle("w", walker);
    ASSERT_TRUE(Run(R"lua(
        hits = 0
        function WalkerOnFrame0(self)
            if HitFrame(self, 1) then hits = hits + 1 end
        end
        ChangeAnimation(w, "Walk")
    )lua"));
    world().UpdateCategory("Enemies", {});
    EXPECT_EQ(walker->anim.frameTick, 1);
    EXPECT_EQ(Number("hits"), 1);
    world().UpdateCategory("Enemies", {});
    EXPECT_EQ(Number("hits"), 1);
}

TEST_F(ScriptTest, SetTextureTakesTheWholeSetByItsExactName) {
    GameObject* walker = Make("Walker", "Enemies", 5);
    SetHandle("w", walker);
    ASSERT_TRUE(Run("ChangeAnimation(w, 'Walk') SetTexture(w, 'Effects\\\\Spark')"));
    EXPECT_EQ(walker->anim.frameWidth, 24);
    EXPECT_EQ(walker->anim.frameHeight, 24);
    EXPECT_EQ(walker->anim.paletteIndex, 0.0f);
    EXPECT_TRUE(Bool("IsPlaying(w, 'Burst')"));
    EXPECT_EQ(walker->anim.currentFrame, 0);

    // No category prefix is added: "Spark" alone names no set.
    ASSERT_TRUE(Run("SetTexture(w, 'Spark')"));
    EXPECT_EQ(walker->anim.frameWidth, 0);
    EXPECT_TRUE(walker->anim.animations.empty());
}

TEST_F(ScriptTest, CopyAnimationTakesThePlaybackPositionOnly) {
    GameObject* source = Make("Walker", "Enemies", 3);
    GameObject* target = Make("Walker", "Enemies", 7);
    SetHandle("src", source);
    SetHandle("dst", target);
    ASSERT_TRUE(Run("ChangeAnimation(src, 'Walk')"));
    for (int tick = 0; tick < 4; ++tick) source->anim.Advance();  // frame 1, tick 2
    source->anim.loopCount = 4;
    target->anim.loopCount = 1;
    ASSERT_TRUE(Run("CopyAnimation(dst, src)"));
    EXPECT_EQ(target->anim.currentAnimation, 1);
    EXPECT_EQ(target->anim.currentFrame, 1);
    EXPECT_EQ(target->anim.frameTick, 2);
    EXPECT_EQ(target->anim.loopCount, 1);
    EXPECT_EQ(target->anim.paletteIndex, 7.0f / 32.0f);
}

}  // namespace
