// The .anim format with its list rules and cell numbering, and every
// playback rule, counted in ticks.
#include "render/AnimationSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

AnimationSet Parse(const std::string& text, int imageWidth = 96) {
    AnimationSet set;
    ParseAnimationDescription(text, imageWidth, set);
    return set;
}

std::vector<std::pair<int, int>> Cells(const Animation& a) {
    std::vector<std::pair<int, int>> cells;
    for (const AnimFrame& f : a.cells) cells.emplace_back(f.column, f.row);
    return cells;
}

using Cell = std::pair<int, int>;

}  // namespace

TEST(AnimationDescription, ReadsTheExampleRecordByRecord) {
    AnimationSet set = Parse("24 32 4 2 20 32 Stand 1 0 0 Walk 3 [4 4 6] {0 0 2} 1");
    EXPECT_EQ(set.frameWidth, 24);
    EXPECT_EQ(set.frameHeight, 32);
    EXPECT_EQ(set.left, 4);
    EXPECT_EQ(set.top, 2);
    EXPECT_EQ(set.right, 20);
    EXPECT_EQ(set.bottom, 32);
    ASSERT_EQ(set.animations.size(), 2u);
    EXPECT_EQ(set.animationIndex.at("Stand"), 0);
    EXPECT_EQ(set.animationIndex.at("Walk"), 1);

    const Animation& stand = set.animations[0];
    EXPECT_EQ(stand.frameCount, 1);
    EXPECT_EQ(stand.delays, std::vector<int>({0}));
    EXPECT_EQ(stand.paletteOffsets, std::vector<int>({0}));
    EXPECT_EQ(stand.loopFrame, 0);
    EXPECT_EQ(Cells(stand), std::vector<Cell>({{0, 0}}));

    const Animation& walk = set.animations[1];
    EXPECT_EQ(walk.frameCount, 3);
    EXPECT_EQ(walk.delays, std::vector<int>({4, 4, 6}));
    EXPECT_EQ(walk.paletteOffsets, std::vector<int>({0, 0, 2}));
    EXPECT_EQ(walk.loopFrame, 1);
    EXPECT_EQ(Cells(walk), std::vector<Cell>({{1, 0}, {2, 0}, {3, 0}}));
    ASSERT_EQ(walk.points.size(), 3u);
    for (const Vector2& p : walk.points) EXPECT_EQ(p, Vector2(12.0f, 0.0f));
}

TEST(AnimationDescription, ShortListsRepeatTheirLastValueAndEmptyListsTheirStart) {
    AnimationSet set = Parse(
        "16 16 0 0 16 16\n"
        "Short 3 [2] {1} <3,4> 0\n"
        "Empty 3 [] {} <> 2\n"
        "Points 2 1 <5 6,7> 1\n"
        "Full 2 [3 5] {4 6} <1,2 3> 0\n");
    ASSERT_EQ(set.animations.size(), 4u);

    const Animation& shortLists = set.animations[0];
    EXPECT_EQ(shortLists.delays, std::vector<int>({2, 2, 2}));
    EXPECT_EQ(shortLists.paletteOffsets, std::vector<int>({1, 1, 1}));
    for (const Vector2& p : shortLists.points) EXPECT_EQ(p, Vector2(3.0f, 4.0f));

    const Animation& empty = set.animations[1];
    EXPECT_EQ(empty.delays, std::vector<int>({-1, -1, -1}));
    EXPECT_EQ(empty.paletteOffsets, std::vector<int>({0, 0, 0}));
    for (const Vector2& p : empty.points) EXPECT_EQ(p, Vector2(0.0f, 0.0f));
    EXPECT_EQ(empty.loopFrame, 2);

    const Animation& points = set.animations[2];
    EXPECT_EQ(points.delays, std::vector<int>({1, 1}));
    ASSERT_EQ(points.points.size(), 2u);
    EXPECT_EQ(points.points[0], Vector2(5.0f, 0.0f));
    EXPECT_EQ(points.points[1], Vector2(6.0f, 7.0f));
    EXPECT_EQ(points.loopFrame, 1);

    const Animation& full = set.animations[3];
    EXPECT_EQ(full.delays, std::vector<int>({3, 5}));
    EXPECT_EQ(full.paletteOffsets, std::vector<int>({4, 6}));
    EXPECT_EQ(full.points[0], Vector2(1.0f, 2.0f));
    EXPECT_EQ(full.points[1], Vector2(3.0f, 0.0f));
}

TEST(AnimationDescription, CellsRunRowMajorAcrossTheWholeFile) {
    // 100 pixels of 24-pixel frames: four cells a row; the fifth frame opens row 1.
    AnimationSet wide = Parse("24 24 0 0 24 24 A 3 1 0 B 3 1 0", 100);
    EXPECT_EQ(Cells(wide.animations[0]), std::vector<Cell>({{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(Cells(wide.animations[1]), std::vector<Cell>({{3, 0}, {0, 1}, {1, 1}}));

    // frameWidth 0: one cell a row.
    AnimationSet narrow = Parse("0 8 0 0 0 8 A 2 1 0 B 1 1 0", 100);
    EXPECT_EQ(Cells(narrow.animations[0]), std::vector<Cell>({{0, 0}, {0, 1}}));
    EXPECT_EQ(Cells(narrow.animations[1]), std::vector<Cell>({{0, 2}}));
    ASSERT_EQ(narrow.animations[0].points.size(), 2u);
    EXPECT_EQ(narrow.animations[0].points[0], Vector2(0.0f, 0.0f));

    // A frame wider than the sheet: column 0 of successive rows, no division by zero.
    AnimationSet tooWide = Parse("200 8 0 0 0 8 A 2 1 0", 100);
    EXPECT_EQ(Cells(tooWide.animations[0]), std::vector<Cell>({{0, 0}, {0, 1}}));
}

TEST(AnimationDescription, StopsAtTheFirstTokenThatDoesNotFit) {
    // B has its name and count, so it is kept (in bounds); nothing after it is read.
    AnimationSet set = Parse("16 16 0 0 16 16 A 1 0 0 B 2 [1 x] 0 C 1 0 0");
    ASSERT_EQ(set.animations.size(), 2u);
    EXPECT_EQ(set.animationIndex.count("C"), 0u);
    const Animation& b = set.animations[1];
    EXPECT_EQ(b.frameCount, 2);
    EXPECT_EQ(b.delays.size(), 2u);
    EXPECT_EQ(b.paletteOffsets.size(), 2u);
    EXPECT_EQ(b.cells.size(), 2u);

    // A count that is not a number ends the file before the record.
    AnimationSet badCount = Parse("16 16 0 0 16 16 A 1 0 0 Bad x 0 C 1 0 0");
    ASSERT_EQ(badCount.animations.size(), 1u);
    EXPECT_EQ(badCount.animationIndex.count("Bad"), 0u);

    // A record cut off by the end of the file.
    AnimationSet cut = Parse("16 16 0 0 16 16 A 1 0 0 B 3 [2 2");
    ASSERT_EQ(cut.animations.size(), 2u);
    EXPECT_EQ(cut.animations[1].delays, std::vector<int>({2, 2, -1}));

    // A broken header gives no animations.
    AnimationSet header;
    EXPECT_FALSE(ParseAnimationDescription("16 16 zero", 64, header));
    EXPECT_TRUE(header.animations.empty());
    EXPECT_FALSE(ParseAnimationDescription("", 64, header));
}

TEST(AnimationDescription, HugeAndNegativeCountsStayInBounds) {
    AnimationSet set = Parse("16 16 0 0 16 16 Neg -3 0 0 Next 1 0 0");
    ASSERT_EQ(set.animations.size(), 2u);
    EXPECT_EQ(set.animations[0].frameCount, 0);
    EXPECT_TRUE(set.animations[0].cells.empty());
    EXPECT_EQ(Cells(set.animations[1]), std::vector<Cell>({{0, 0}}));

    set.ChangeAnimation("Neg");
    for (int i = 0; i < 3; ++i) set.Advance();
    EXPECT_EQ(set.currentFrame, 0);
    EXPECT_EQ(set.AnimationLoops(), 3);

    AnimationSet huge = Parse("16 16 0 0 16 16 Huge 2000000000 0 0");
    ASSERT_EQ(huge.animations.size(), 1u);
    EXPECT_LE(huge.animations[0].frameCount, 4096);
    EXPECT_EQ(huge.animations[0].delays.size(), static_cast<size_t>(huge.animations[0].frameCount));
}

namespace {

struct Tick {
    int frame;
    int tick;
    int loops;
};

// Advances once per row and checks the state after each.
void ExpectTicks(AnimationSet& set, const std::vector<Tick>& ticks) {
    for (size_t i = 0; i < ticks.size(); ++i) {
        set.Advance();
        EXPECT_EQ(set.currentFrame, ticks[i].frame) << "after Advance " << i + 1;
        EXPECT_EQ(set.frameTick, ticks[i].tick) << "after Advance " << i + 1;
        EXPECT_EQ(set.loopCount, ticks[i].loops) << "after Advance " << i + 1;
    }
}

AnimationSet Sample() {
    return Parse(
        "16 16 0 0 16 16\n"
        "Stand 1 0 0\n"
        "Run 3 2 0\n"
        "Loop 3 [1 1 1] 1\n"
        "Still 2 [1 0] 0\n"
        "Frozen 2 [] 0\n"
        "Quick 2 [0 1] 0\n");
}

}  // namespace

TEST(AnimationPlayback, FirstFrameLastsOneTickMoreThanLaterFrames) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Run");
    EXPECT_TRUE(set.IsPlaying("Run"));
    EXPECT_EQ(set.currentFrame, 0);
    EXPECT_EQ(set.frameTick, 0);
    ExpectTicks(set, {{0, 1, 0},
                      {0, 2, 0},
                      {1, 1, 0},  // frame 0 left on the third Advance
                      {1, 2, 0},
                      {2, 1, 0},  // later frames on the second
                      {2, 2, 0},
                      {0, 1, 1},  // the wrap counts a loop
                      {0, 2, 1},
                      {1, 1, 1}});
}

TEST(AnimationPlayback, OneFrameStillWrapsOnceAndStays) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Stand");
    EXPECT_FALSE(set.EndOfAnimation());
    ExpectTicks(set, {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}});
    EXPECT_TRUE(set.EndOfAnimation());
    EXPECT_EQ(set.AnimationLoops(), 1);
}

TEST(AnimationPlayback, StillFramesAndQuickFirstFrames) {
    AnimationSet set = Sample();
    // Delay 0 entered with tick 1 never ends.
    set.ChangeAnimation("Still");
    ExpectTicks(set, {{0, 1, 0}, {1, 1, 0}, {1, 2, 0}, {1, 3, 0}, {1, 4, 0}});
    // An empty delay list (-1) holds even the first frame.
    set.ChangeAnimation("Frozen");
    ExpectTicks(set, {{0, 1, 0}, {0, 2, 0}, {0, 3, 0}});
    // A first frame of delay 0 is left on the first Advance.
    set.ChangeAnimation("Quick");
    ExpectTicks(set, {{1, 1, 0}, {0, 1, 1}, {0, 2, 1}, {0, 3, 1}});
}

TEST(AnimationPlayback, HitFrameMarksTheUpdateAFrameWasEntered) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Run");
    set.Advance();
    EXPECT_TRUE(set.HitFrame(1));
    set.Advance();
    EXPECT_FALSE(set.HitFrame(1));
    set.Advance();
    EXPECT_TRUE(set.HitFrame(2));
    EXPECT_FALSE(set.HitFrame(1));
    for (int i = 0; i < 4; ++i) set.Advance();  // past frame 2, wrap to loop frame 0
    EXPECT_EQ(set.loopCount, 1);
    EXPECT_TRUE(set.HitFrame(1));

    // Loop frame 1: the wrap enters frame 2 (1-based).
    set.ChangeAnimation("Loop");
    ExpectTicks(set, {{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {1, 1, 1}});
    EXPECT_TRUE(set.HitFrame(2));
    EXPECT_FALSE(set.HitFrame(1));
    EXPECT_FALSE(set.HitFrame(-2147483647 - 1));
}

TEST(AnimationPlayback, FrameEndingAndEndOfAnimation) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Run");
    set.Advance();
    EXPECT_FALSE(set.FrameEnding());
    set.Advance();
    EXPECT_TRUE(set.FrameEnding());  // the next Advance leaves frame 0
    EXPECT_TRUE(set.FrameEndingAt(0));
    EXPECT_FALSE(set.FrameEndingAt(1));
    for (int i = 0; i < 4; ++i) set.Advance();
    EXPECT_TRUE(set.FrameEndingAt(2));
    EXPECT_FALSE(set.EndOfAnimation());
    set.Advance();
    EXPECT_TRUE(set.EndOfAnimation());  // on the tick the last frame is left

    set.ChangeAnimation("Run");  // already playing: nothing restarts
    EXPECT_TRUE(set.EndOfAnimation());
    EXPECT_EQ(set.frameTick, 1);
    set.ChangeAnimation("Nobody");  // unknown: ignored
    EXPECT_TRUE(set.IsPlaying("Run"));
    EXPECT_FALSE(set.IsPlaying("Nobody"));
    set.ChangeAnimation("Stand");
    EXPECT_FALSE(set.EndOfAnimation());
    EXPECT_EQ(set.currentFrame, 0);
    EXPECT_EQ(set.frameTick, 0);
}

TEST(AnimationPlayback, SeekFrameReplaysFromTheStartKeepingTheLoopCount) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Run");
    for (int i = 0; i < 7; ++i) set.Advance();
    ASSERT_EQ(set.loopCount, 1);
    set.SeekFrame(3);
    EXPECT_EQ(set.currentFrame, 1);
    EXPECT_EQ(set.frameTick, 1);
    EXPECT_EQ(set.loopCount, 1);
    set.SeekFrame(0);
    EXPECT_EQ(set.currentFrame, 0);
    EXPECT_EQ(set.frameTick, 0);
    set.SeekFrame(-5);
    EXPECT_EQ(set.frameTick, 0);
}

TEST(AnimationPlayback, CopyAnimationTakesThePositionOnly) {
    AnimationSet owner = Sample();
    AnimationSet image = Sample();
    owner.ChangeAnimation("Run");
    for (int i = 0; i < 7; ++i) owner.Advance();
    owner.paletteIndex = 0.5f;
    image.paletteIndex = 0.25f;
    CopyAnimation(image, owner);
    EXPECT_EQ(image.currentAnimation, owner.currentAnimation);
    EXPECT_EQ(image.currentFrame, owner.currentFrame);
    EXPECT_EQ(image.frameTick, owner.frameTick);
    EXPECT_EQ(image.loopCount, 0);
    EXPECT_EQ(image.paletteIndex, 0.25f);
}

TEST(AnimationPlayback, BadFrameNumbersNeverLeaveTheLists) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Run");
    set.currentFrame = 99;
    set.Advance();
    EXPECT_EQ(set.currentFrame, 99);  // a still frame of delay -1
    EXPECT_FALSE(set.FrameEnding());
    EXPECT_EQ(set.animations[1].CellAt(99).column, 0);
    EXPECT_EQ(set.animations[1].PaletteOffsetAt(-1), 0);

    set.currentAnimation = 42;
    EXPECT_EQ(set.Current(), nullptr);
    set.Advance();
    EXPECT_FALSE(set.FrameEnding());

    AnimationSet none;
    none.Advance();
    EXPECT_EQ(none.frameTick, 0);
    none.ChangeAnimation("Stand");
    EXPECT_EQ(none.currentAnimation, 0);
}

TEST(AnimationPalette, RowsAreStoredInThirtySecondsAndReadBackTruncated) {
    AnimationSet set;
    const std::vector<std::pair<int, float>> rows = {
        {0, 0.0f}, {5, 0.15625f}, {31, 0.96875f}, {-1, -0.03125f}};
    for (const auto& row : rows) {
        set.SetPaletteRow(row.first);
        EXPECT_EQ(set.paletteIndex, row.second) << "row " << row.first;
        EXPECT_EQ(set.PaletteRow(), row.first) << "row " << row.first;
    }
    set.SetPaletteFraction(5, 32);
    EXPECT_EQ(set.paletteIndex, 0.15625f);
    set.paletteIndex = 1.0e30f;
    EXPECT_EQ(set.PaletteRow(), 2147483647);
}
