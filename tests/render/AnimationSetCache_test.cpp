// Loading sets by name: file lookup, the two failure cases, sharing and copies.
#include "render/AnimationSetCache.h"

#include <gtest/gtest.h>

#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace {

class AnimationSetCacheTest : public ::testing::Test {
protected:
    void SetUp() override { root = MakeTempDir("anim-cache"); }

    void AddSet(const std::string& path, int w, int h, const std::string& description) {
        WritePng(root + "/data/img/" + path + ".png", TestImage(w, h, 0xFF0000FFu));
        if (!description.empty()) WriteFile(root + "/data/objects/" + path + ".anim", description);
    }

    std::string root;
};

}  // namespace

TEST_F(AnimationSetCacheTest, LoadsDescriptionAndSheetByCaseInsensitivePath) {
    AddSet("Enemies/Walker", 100, 48, "24 24 2 3 20 24 Walk 5 [2 3] 0\n");
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    AnimationSet set = cache.LoadAnimationSet("Enemies\\Walker");
    EXPECT_EQ(set.imageSize, Vector2(100.0f, 48.0f));
    EXPECT_EQ(set.bottom, 24);
    ASSERT_EQ(set.animations.size(), 1u);
    EXPECT_EQ(set.animations[0].delays, std::vector<int>({2, 3, 3, 3, 3}));
    EXPECT_EQ(set.animations[0].cells[4].row, 1);  // the sheet's width numbers the cells
    EXPECT_EQ(set.texture, 0u);
}

TEST_F(AnimationSetCacheTest, MissingFilesAreCachedAndReportedOnce) {
    // No description: the image alone, and one message.
    AddSet("Items/Bolt", 32, 16, "");
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    testing::internal::CaptureStdout();
    AnimationSet bolt = cache.LoadAnimationSet("Items\\Bolt");
    cache.LoadAnimationSet("Items\\Bolt");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot load texture: Items\\Bolt\n");
    EXPECT_EQ(bolt.imageSize, Vector2(32.0f, 16.0f));
    EXPECT_TRUE(bolt.animations.empty());

    // No image: an empty set, silently, for good; the image appearing later changes nothing.
    WriteFile(root + "/data/objects/Effects/Spark.anim", "8 8 0 0 8 8 Burst 2 1 0\n");
    testing::internal::CaptureStdout();
    AnimationSet spark = cache.LoadAnimationSet("Effects\\Spark");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(spark.animations.empty());
    EXPECT_EQ(spark.frameWidth, 0);
    WritePng(root + "/data/img/Effects/Spark.png", TestImage(16, 8));
    EXPECT_TRUE(cache.LoadAnimationSet("Effects\\Spark").animations.empty());

    // Neither file: the description's message, then an empty set.
    testing::internal::CaptureStdout();
    EXPECT_TRUE(cache.LoadAnimationSet("Nothing").animations.empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot load texture: Nothing\n");
}

TEST_F(AnimationSetCacheTest, CopiesAreIndependentOfTheCacheAndOfEachOther) {
    AddSet("Player/Rook", 128, 64, "64 64 24 22 40 60 Stand 1 0 0 Walk 1 4 0\n");
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
    EXPECT_EQ(cache.Find("player\\rook"), nullptr);  // the key is the name as asked for
}
