// The .anim format with its list rules and cell numbering, and the playback
// rules counted in ticks.
#include "render/AnimationSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Cell = std::pair<int, int>;
using Ints = std::vector<int>;

AnimationSet Parse(const std::string& text, int imageWidth = 96) {
    AnimationSet set;
    ParseAnimationDescription(text, imageWidth, set);
    return set;
}

std::vector<Cell> Cells(const Animation& a) {
    std::vector<Cell> cells;
    for (const AnimFrame& f : a.cells) cells.emplace_back(f.column, f.row);
    return cells;
}

struct Tick {
    int frame, tick, loops;
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
        "16 16 0 0 16 16\nStand 1 0 0\nRun 3 2 0\nLoop 3 [1 1 1] 1\nStill 2 [1 0] 0\n"
        "Frozen 2 [] 0\nQuick 2 [0 1] 0\n");
}

}  // namespace

TEST(AnimationDescription, RecordsAndTheirListRules) {
    AnimationSet set = Parse(
        "24 32 4 2 20 32 Stand 1 0 0 Walk 3 [4 4 6] {0 0 2} 1\n"
        "Short 3 [2] {1} <3,4> 0\nEmpty 3 [] {} <> 2\nPoints 2 1 <5 6,7> 1\n");
    EXPECT_EQ(Ints({set.frameWidth, set.frameHeight, set.left, set.top, set.right, set.bottom}),
              Ints({24, 32, 4, 2, 20, 32}));
    ASSERT_EQ(set.animations.size(), 5u);
    EXPECT_EQ(set.animationIndex.at("Walk"), 1);

    const Animation& stand = set.animations[0];
    EXPECT_EQ(stand.delays, Ints({0}));
    EXPECT_EQ(Cells(stand), std::vector<Cell>({{0, 0}}));
    const Animation& walk = set.animations[1];
    EXPECT_EQ(walk.delays, Ints({4, 4, 6}));
    EXPECT_EQ(walk.paletteOffsets, Ints({0, 0, 2}));
    EXPECT_EQ(walk.loopFrame, 1);
    EXPECT_EQ(Cells(walk), std::vector<Cell>({{1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(walk.points, std::vector<Vector2>(3, Vector2(12.0f, 0.0f)));  // default: top centre

    // Short lists repeat their last value; empty ones give -1, 0 and (0, 0).
    EXPECT_EQ(set.animations[2].delays, Ints({2, 2, 2}));
    EXPECT_EQ(set.animations[2].paletteOffsets, Ints({1, 1, 1}));
    EXPECT_EQ(set.animations[2].points, std::vector<Vector2>(3, Vector2(3.0f, 4.0f)));
    EXPECT_EQ(set.animations[3].delays, Ints({-1, -1, -1}));
    EXPECT_EQ(set.animations[3].paletteOffsets, Ints({0, 0, 0}));
    EXPECT_EQ(set.animations[3].points, std::vector<Vector2>(3, Vector2(0.0f, 0.0f)));
    EXPECT_EQ(set.animations[3].loopFrame, 2);
    EXPECT_EQ(set.animations[4].points, std::vector<Vector2>({{5.0f, 0.0f}, {6.0f, 7.0f}}));
}

TEST(AnimationDescription, CellsRunRowMajorAcrossTheWholeFile) {
    AnimationSet wide = Parse("24 24 0 0 24 24 A 3 1 0 B 3 1 0", 100);  // four cells a row
    EXPECT_EQ(Cells(wide.animations[1]), std::vector<Cell>({{3, 0}, {0, 1}, {1, 1}}));
    AnimationSet narrow = Parse("0 8 0 0 0 8 A 2 1 0 B 1 1 0", 100);  // frameWidth 0: one a row
    EXPECT_EQ(Cells(narrow.animations[1]), std::vector<Cell>({{0, 2}}));
    AnimationSet tooWide = Parse("200 8 0 0 0 8 A 2 1 0", 100);  // no division by zero
    EXPECT_EQ(Cells(tooWide.animations[0]), std::vector<Cell>({{0, 0}, {0, 1}}));
}

TEST(AnimationDescription, BrokenTextStopsAtTheFirstMisfitAndStaysInBounds) {
    // B has its name and count, so it is kept; nothing after it is read.
    AnimationSet set = Parse("16 16 0 0 16 16 A 1 0 0 B 2 [1 x] 0 C 1 0 0");
    ASSERT_EQ(set.animations.size(), 2u);
    EXPECT_EQ(set.animations[1].delays.size(), 2u);
    EXPECT_EQ(set.animations[1].cells.size(), 2u);
    EXPECT_EQ(Parse("16 16 0 0 16 16 A 1 0 0 Bad x 0 C 1 0 0").animations.size(), 1u);
    EXPECT_EQ(Parse("16 16 0 0 16 16 A 1 0 0 B 3 [2 2").animations[1].delays, Ints({2, 2, -1}));
    AnimationSet header;
    EXPECT_FALSE(ParseAnimationDescription("16 16 zero", 64, header));
    EXPECT_TRUE(header.animations.empty());
    EXPECT_FALSE(ParseAnimationDescription("", 64, header));

    AnimationSet negative = Parse("16 16 0 0 16 16 Neg -3 0 0 Next 1 0 0");
    EXPECT_EQ(negative.animations[0].frameCount, 0);
    EXPECT_EQ(Cells(negative.animations[1]), std::vector<Cell>({{0, 0}}));
    for (int i = 0; i < 3; ++i) negative.Advance();
    EXPECT_EQ(negative.currentFrame, 0);
    EXPECT_EQ(negative.AnimationLoops(), 3);
    AnimationSet huge = Parse("16 16 0 0 16 16 Huge 2000000000 0 0");
    EXPECT_LE(huge.animations[0].frameCount, 4096);
    EXPECT_EQ(huge.animations[0].delays.size(), static_cast<size_t>(huge.animations[0].frameCount));
}

TEST(AnimationPlayback, FrameTimingTables) {
    AnimationSet set = Sample();
    // Delay 2: the first frame lasts one tick more than later frames.
    set.ChangeAnimation("Run");
    ExpectTicks(set, {{0, 1, 0}, {0, 2, 0}, {1, 1, 0}, {1, 2, 0}, {2, 1, 0}, {2, 2, 0}, {0, 1, 1}});
    // One frame still wraps once and stays.
    set.ChangeAnimation("Stand");
    EXPECT_FALSE(set.EndOfAnimation());
    ExpectTicks(set, {{0, 1, 1}, {0, 2, 1}});
    EXPECT_TRUE(set.EndOfAnimation());
    // Delay 0 entered with tick 1 never ends; -1 holds even the first frame.
    set.ChangeAnimation("Still");
    ExpectTicks(set, {{0, 1, 0}, {1, 1, 0}, {1, 2, 0}, {1, 3, 0}});
    set.ChangeAnimation("Frozen");
    ExpectTicks(set, {{0, 1, 0}, {0, 2, 0}, {0, 3, 0}});
    // A first frame of delay 0 is left on the first Advance.
    set.ChangeAnimation("Quick");
    ExpectTicks(set, {{1, 1, 0}, {0, 1, 1}, {0, 2, 1}, {0, 3, 1}});
    // Loop frame 1: the wrap enters frame 2 (1-based).
    set.ChangeAnimation("Loop");
    ExpectTicks(set, {{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {1, 1, 1}});
    EXPECT_TRUE(set.HitFrame(2));
    EXPECT_FALSE(set.HitFrame(1));
    EXPECT_FALSE(set.HitFrame(-2147483647 - 1));
}

TEST(AnimationPlayback, HitFrameFrameEndingAndChanges) {
    AnimationSet set = Sample();
    set.ChangeAnimation("Run");
    set.Advance();
    EXPECT_TRUE(set.HitFrame(1));
    EXPECT_FALSE(set.FrameEnding());
    set.Advance();
    EXPECT_FALSE(set.HitFrame(1));
    EXPECT_TRUE(set.FrameEnding());  // the next Advance leaves frame 0
    EXPECT_TRUE(set.FrameEndingAt(0));
    EXPECT_FALSE(set.FrameEndingAt(1));
    set.Advance();
    EXPECT_TRUE(set.HitFrame(2));
    for (int i = 0; i < 3; ++i) set.Advance();
    EXPECT_TRUE(set.FrameEndingAt(2));
    EXPECT_FALSE(set.EndOfAnimation());
    set.Advance();
    EXPECT_TRUE(set.EndOfAnimation());  // on the tick the last frame is left
    EXPECT_TRUE(set.HitFrame(1));       // the wrap enters frame 1 again

    set.ChangeAnimation("Run");  // already playing: nothing restarts
    EXPECT_EQ(set.frameTick, 1);
    set.ChangeAnimation("Nobody");  // unknown: ignored
    EXPECT_TRUE(set.IsPlaying("Run"));

    // SeekFrame replays from the start keeping the loop count.
    set.SeekFrame(3);
    EXPECT_EQ(set.currentFrame, 1);
    EXPECT_EQ(set.frameTick, 1);
    EXPECT_EQ(set.loopCount, 1);
    set.SeekFrame(-5);
    EXPECT_EQ(set.currentFrame, 0);
    EXPECT_EQ(set.frameTick, 0);

    // CopyAnimation takes the position only.
    for (int i = 0; i < 7; ++i) set.Advance();
    AnimationSet image = Sample();
    set.paletteIndex = 0.5f;
    image.paletteIndex = 0.25f;
    CopyAnimation(image, set);
    EXPECT_EQ(image.currentAnimation, 1);
    EXPECT_EQ(image.currentFrame, set.currentFrame);
    EXPECT_EQ(image.frameTick, set.frameTick);
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
    none.ChangeAnimation("Stand");
    EXPECT_EQ(none.frameTick, 0);
    EXPECT_EQ(none.currentAnimation, 0);
}

TEST(AnimationPalette, RowsAreStoredInThirtySecondsAndReadBackTruncated) {
    AnimationSet set;
    for (const auto& row : std::vector<std::pair<int, float>>{
             {5, 0.15625f}, {31, 0.96875f}, {-1, -0.03125f}}) {
        set.SetPaletteRow(row.first);
        EXPECT_EQ(set.paletteIndex, row.second) << row.first;
        EXPECT_EQ(set.PaletteRow(), row.first) << row.first;
    }
    set.SetPaletteFraction(5, 32);
    EXPECT_EQ(set.paletteIndex, 0.15625f);
    set.paletteIndex = 1.0e30f;
    EXPECT_EQ(set.PaletteRow(), 2147483647);
}
