// Loading sets by name: file lookup, the two failure cases, sharing and
// copies.
#include "render/AnimationSetCache.h"

#include <gtest/gtest.h>

#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace {

class AnimationSetCacheTest : public ::testing::Test {
protected:
    void SetUp() override { root = MakeTempDir("anim-cache"); }

    // A sheet and its description under the data tree, in the letter case the
    // data was written with.
    void AddSet(const std::string& folder, const std::string& name, int w, int h,
                const std::string& description) {
        WritePng(root + "/data/img/" + folder + "/" + name + ".png", TestImage(w, h, 0xFF0000FFu));
        if (!description.empty())
            WriteFile(root + "/data/objects/" + folder + "/" + name + ".anim", description);
    }

    std::string root;
};

}  // namespace

TEST_F(AnimationSetCacheTest, LoadsDescriptionAndSheetByCaseInsensitivePath) {
    AddSet("Enemies", "Walker", 100, 48, "24 24 2 3 20 24 Walk 5 [2 3] 0\n");
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    AnimationSet set = cache.LoadAnimationSet("Enemies\\Walker");
    EXPECT_EQ(set.imageSize, Vector2(100.0f, 48.0f));
    EXPECT_EQ(set.frameWidth, 24);
    EXPECT_EQ(set.left, 2);
    EXPECT_EQ(set.top, 3);
    EXPECT_EQ(set.right, 20);
    EXPECT_EQ(set.bottom, 24);
    ASSERT_EQ(set.animations.size(), 1u);
    EXPECT_EQ(set.animations[0].delays, std::vector<int>({2, 3, 3, 3, 3}));
    EXPECT_EQ(set.animations[0].cells[4].column, 0);
    EXPECT_EQ(set.animations[0].cells[4].row, 1);
    // A fresh set: first animation, frame 0, tick 0, palette 0; no GL, no textures.
    EXPECT_EQ(set.currentAnimation, 0);
    EXPECT_EQ(set.currentFrame, 0);
    EXPECT_EQ(set.frameTick, 0);
    EXPECT_EQ(set.paletteIndex, 0.0f);
    EXPECT_EQ(set.texture, 0u);
}

TEST_F(AnimationSetCacheTest, MissingDescriptionKeepsTheImageAndSaysSo) {
    AddSet("Items", "Bolt", 32, 16, "");
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    testing::internal::CaptureStdout();
    AnimationSet set = cache.LoadAnimationSet("Items\\Bolt");
    cache.LoadAnimationSet("Items\\Bolt");  // cached: no second message
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot load texture: Items\\Bolt\n");
    EXPECT_EQ(set.imageSize, Vector2(32.0f, 16.0f));
    EXPECT_TRUE(set.animations.empty());
    EXPECT_EQ(set.frameWidth, 0);
    EXPECT_EQ(set.bottom, 0);
}

TEST_F(AnimationSetCacheTest, MissingImageCachesAnEmptySetForGood) {
    WriteFile(root + "/data/objects/Effects/Spark.anim", "8 8 0 0 8 8 Burst 2 1 0\n");
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    testing::internal::CaptureStdout();
    AnimationSet set = cache.LoadAnimationSet("Effects\\Spark");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(set.animations.empty());
    EXPECT_EQ(set.frameWidth, 0);
    EXPECT_EQ(set.imageSize, Vector2(0.0f, 0.0f));
    ASSERT_NE(cache.Find("Effects\\Spark"), nullptr);

    // The image appearing later changes nothing: the name is not tried again.
    WritePng(root + "/data/img/Effects/Spark.png", TestImage(16, 8));
    EXPECT_TRUE(cache.LoadAnimationSet("Effects\\Spark").animations.empty());

    // Neither file at all: the description's message, then an empty set.
    testing::internal::CaptureStdout();
    EXPECT_TRUE(cache.LoadAnimationSet("Nothing").animations.empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot load texture: Nothing\n");
}

TEST_F(AnimationSetCacheTest, CopiesAreIndependentOfTheCacheAndOfEachOther) {
    AddSet("Player", "Rook", 128, 64, "64 64 24 22 40 60 Stand 1 0 0 Walk 1 4 0\n");
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    AnimationSet first = cache.LoadAnimationSet("Player\\Rook");
    const AnimationSet* cached = cache.Find("Player\\Rook");
    ASSERT_NE(cached, nullptr);

    first.ChangeAnimation("Walk");
    first.Advance();
    first.SetPaletteRow(5);
    AnimationSet second = cache.LoadAnimationSet("Player\\Rook");
    EXPECT_EQ(cache.Find("Player\\Rook"), cached);  // one entry, loaded once
    EXPECT_TRUE(second.IsPlaying("Stand"));
    EXPECT_EQ(second.frameTick, 0);
    EXPECT_EQ(second.paletteIndex, 0.0f);
    EXPECT_TRUE(cached->IsPlaying("Stand"));
    EXPECT_EQ(first.frameTick, 1);
    EXPECT_EQ(first.texture, second.texture);

    // The cache key is the name as asked for.
    EXPECT_EQ(cache.Find("player\\rook"), nullptr);
    EXPECT_EQ(cache.Find("Player\\Ghost"), nullptr);
}
