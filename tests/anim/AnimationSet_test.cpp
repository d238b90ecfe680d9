// Sprite sets: the .anim description read into animations and frames, the
// playback rules counted in ticks, and sets loaded by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/TestWorld.h"

namespace {

// The header, then per animation its name, frame and loop counts and each
// frame as delay/palette offset/point@cell.
std::string Parsed(const std::string& text, int imageWidth) {
    AnimationSet set;
    std::ostringstream o;
    o << (ParseAnimationDescription(text, imageWidth, set) ? "" : "bad ") << set.frameWidth << ' '
      << set.frameHeight << ' ' << set.left << ' ' << set.top << ' ' << set.right << ' ' << set.bottom;
    for (const auto& named : set.AnimationIndex()) {
        const Animation& a = set.Animations().at(named.second);
        o << " | " << named.first << ' ' << a.frameCount << " loop " << a.loopFrame << ':';
        for (int i = 0; i < a.frameCount; ++i)
            o << ' ' << a.delays.at(i) << '/' << a.paletteOffsets.at(i) << '/' << a.points.at(i).x << ','
              << a.points.at(i).y << '@' << a.cells.at(i).column << ',' << a.cells.at(i).row;
    }
    return o.str();
}

const char* kSample = "16 16 0 0 16 16\nStand 1 0 0\nRun 3 2 0\nLoop 3 [1 1 1] 1\nStill 2 [1 0] 0\nFrozen 2 [] 0\nQuick 2 [0 1] 0\n";

}  // namespace

TEST(AnimationSetTest, Descriptions) {
    // clang-format off
    const struct { const char* text; int imageWidth; const char* parsed; } rows[] = {
        // Short lists repeat their last value; empty ones give -1, 0 and (0, 0);
        // the default point is the top centre; cells run row-major through the file.
        {"24 32 4 2 20 32 Stand 1 0 0 Walk 3 [4 4 6] {0 0 2} 1\nShort 3 [2] {1} <3,4> 0\n"
         "Empty 3 [] {} <> 2\nPoints 2 1 <5 6,7> 1\n", 96,
         "24 32 4 2 20 32 | Empty 3 loop 2: -1/0/0,0@3,1 -1/0/0,0@0,2 -1/0/0,0@1,2"
         " | Points 2 loop 1: 1/0/5,0@2,2 1/0/6,7@3,2 | Short 3 loop 0: 2/1/3,4@0,1 2/1/3,4@1,1 2/1/3,4@2,1"
         " | Stand 1 loop 0: 0/0/12,0@0,0 | Walk 3 loop 1: 4/0/12,0@1,0 4/0/12,0@2,0 6/2/12,0@3,0"},
        {"0 8 0 0 0 8 A 2 1 0", 100, "0 8 0 0 0 8 | A 2 loop 0: 1/0/0,0@0,0 1/0/0,0@0,1"},  // one a row
        {"200 8 0 0 0 8 A 2 1 0", 100, "200 8 0 0 0 8 | A 2 loop 0: 1/0/100,0@0,0 1/0/100,0@0,1"},
        // A broken record is kept whole; nothing after it is read.
        {"16 16 0 0 16 16 A 1 0 0 B 2 [1 x] 0 C 1 0 0", 32, "16 16 0 0 16 16 | A 1 loop 0: 0/0/8,0@0,0 | B 2 loop 0: 1/0/8,0@1,0 -1/0/8,0@0,1"},
        {"16 16 0 0 16 16 A 1 0 0 B 3 [2 2", 32, "16 16 0 0 16 16 | A 1 loop 0: 0/0/8,0@0,0 | B 3 loop 0: 2/0/8,0@1,0 2/0/8,0@0,1 -1/0/8,0@1,1"},
        {"16 16 0 0 16 16 A 1 0 0 Bad x 0 C 1 0 0", 32, "16 16 0 0 16 16 | A 1 loop 0: 0/0/8,0@0,0"},
        {"16 16 0 0 16 16 Neg -3 0 0 Next 1 0 0", 32, "16 16 0 0 16 16 | Neg 0 loop 0: | Next 1 loop 0: 0/0/8,0@0,0"},
        {"16 16 zero", 32, "bad 16 16 0 0 0 0"},
    };
    // clang-format on
    for (const auto& r : rows) EXPECT_EQ(Parsed(r.text, r.imageWidth), r.parsed);
    const std::string huge = Parsed("16 16 0 0 16 16 Huge 2000000000 0 0", 32);
    EXPECT_EQ(std::count(huge.begin(), huge.end(), '@'), 4096);  // no count beyond any sheet
}

TEST(AnimationSetTest, Playback) {
    // Frame.tick.loops after each Advance; "e" while the frame is ending.
    // The first frame lasts delay + 1 ticks, later ones delay; a delay of 0
    // entered with tick 1 and -1 never end; the wrap goes to the loop frame.
    const struct { const char* animation; const char* ticks; } rows[] = {
        {"Run", "0.1.0 0.2.0e 1.1.0 1.2.0e 2.1.0 2.2.0e 0.1.1"},
        {"Stand", "0.1.1 0.2.1 0.3.1"},
        {"Still", "0.1.0e 1.1.0 1.2.0 1.3.0"},
        {"Frozen", "0.1.0 0.2.0 0.3.0"},
        {"Quick", "1.1.0e 0.1.1 0.2.1 0.3.1"},
        {"Loop", "0.1.0e 1.1.0e 2.1.0e 1.1.1e"},
    };
    for (const auto& r : rows) {
        AnimationSet set;
        ParseAnimationDescription(kSample, 96, set);
        set.ChangeAnimation(r.animation);
        std::string ticks;
        for (int n = 0; ticks.size() < std::string(r.ticks).size(); ++n) {
            set.Advance();
            ticks += (n ? " " : "") + std::to_string(set.currentFrame) + "." + std::to_string(set.frameTick) + "." +
                     std::to_string(set.loopCount) + (set.FrameEnding() ? "e" : "");
        }
        EXPECT_EQ(ticks, r.ticks) << r.animation;
    }
    AnimationSet set;
    ParseAnimationDescription(kSample, 96, set);
    set.ChangeAnimation("Run");
    set.Advance();
    EXPECT_TRUE(set.HitFrame(1) && !set.HitFrame(2) && !set.FrameEndingAt(0));
    set.Advance();
    set.ChangeAnimation("Run");  // already playing: nothing restarts
    set.ChangeAnimation("Nobody");
    EXPECT_TRUE(!set.HitFrame(1) && set.FrameEndingAt(0) && !set.FrameEndingAt(1) && set.frameTick == 2);
    set.currentAnimation = static_cast<int>(set.Animations().size());
    EXPECT_EQ(set.Current(), nullptr) << "no animation past the list";
    set.ChangeAnimation("Run");
    set.Advance(), set.Advance();
    set.SeekFrame(3);  // replays from the start
    EXPECT_EQ(std::vector<int>({set.currentFrame, set.frameTick, set.loopCount}), std::vector<int>({1, 1, 0}));
    AnimationSet image;
    ParseAnimationDescription(kSample, 96, image);
    image.loopCount = 5, image.paletteIndex = 0.125f, CopyAnimation(image, set);  // the position only
    EXPECT_EQ(std::vector<float>({float(image.currentAnimation), float(image.currentFrame), float(image.frameTick),
                                  float(image.loopCount), image.paletteIndex}),
              std::vector<float>({1, 1, 1, 5, 0.125f}));
    set.currentFrame = 99, set.Advance();  // outside the lists: a still frame at cell (0, 0)
    EXPECT_EQ(std::vector<int>({set.currentFrame, set.Animations()[1].CellAt(99).column, set.Animations()[1].CellAt(0).column,
                                set.Animations()[1].PaletteOffsetAt(-1)}),
              std::vector<int>({99, 0, 1, 0}));
    auto row = [&](float index) { return set.paletteIndex = index, set.PaletteRow(); };  // truncated, clamped
    EXPECT_EQ(std::vector<int>({row(0.15625f), row(-0.03125f), row(0.999f), row(1.0e30f), row(-1.0e30f)}),
              std::vector<int>({5, -1, 31, 2147483647, -2147483647 - 1}));
}

class AnimationSetCacheTest : public TestWorld {};

TEST_F(AnimationSetCacheTest, LoadsOnceByName) {
    Set("Player/Rook", "64 64 24 22 40 60 Stand 1 0 0 Walk 5 [2 3] 0\n", 200, 128);
    WritePng(Root() + "/data/img/Items/Bolt.png", TestImage(32, 16));
    WriteFile(Root() + "/data/Objects/Effects/Spark.anim", "8 8 0 0 8 8 Burst 2 1 0\n");
    AnimationSetCache cache;
    testing::internal::CaptureStdout();
    AnimationSet rook = cache.LoadAnimationSet("PLAYER\\rook");  // files found in any case
    const AnimationSet bolt = cache.LoadAnimationSet("Items\\Bolt");
    cache.LoadAnimationSet("Items\\Bolt");
    const AnimationSet spark = cache.LoadAnimationSet("Effects\\Spark");
    cache.LoadAnimationSet("Nothing");
    // No description: the image alone; no image: an empty set; each said once, with the reason.
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load texture: Items\\Bolt\n  data/objects/Items/Bolt.anim is missing: the sheet has no frames\n"
              "data/img/Effects/Spark.png is missing: Effects\\Spark has no sheet and is invisible\n"
              "Cannot load texture: Nothing\n  neither data/objects/Nothing.anim nor data/img/Nothing.png exists\n");
    EXPECT_TRUE(rook.imageSize == Vector2(200, 128) && rook.Animations()[1].cells[4].row == 1);  // 3 cells a row
    EXPECT_TRUE(bolt.imageSize == Vector2(32, 16) && bolt.Animations().empty());
    EXPECT_EQ(spark.frameWidth + spark.Animations().size(), 0u);
    WritePng(Root() + "/data/img/Effects/Spark.png", TestImage(16, 8));
    EXPECT_TRUE(cache.LoadAnimationSet("Effects\\Spark").Animations().empty());  // for good

    // Every load is a fresh copy of the one cached set.
    rook.ChangeAnimation("Walk");
    rook.Advance();
    const AnimationSet* cached = cache.Find("PLAYER\\rook");
    EXPECT_TRUE(cached && cached->IsPlaying("Stand") && cache.LoadAnimationSet("PLAYER\\rook").frameTick == 0);
    EXPECT_EQ(cache.Find("Player\\Rook"), nullptr);  // the key is the name as asked for
}

// With a texture maker, each whole cell of the sheet gets the box of its
// opaque pixels (alpha above zero); the drawing draws only that box.
TEST_F(AnimationSetCacheTest, OpaqueBoxOfEachCell) {
    TestImage sheet(26, 13, 0xFFFFFF00u);  // clear white; 3 whole cells a row, one whole row
    sheet.At(2, 1) = SheetColour(1), sheet.At(5, 3) = 0x00000001u;  // cell 0: one faint pixel at each corner
    sheet.Fill(8, 0, 8, 12, SheetColour(2));                         // cell 1: all of it
    sheet.At(25, 0) = sheet.At(3, 12) = SheetColour(3);              // outside every whole cell
    WritePng(Root() + "/data/img/Boxes.png", sheet);
    WriteFile(Root() + "/data/Objects/Boxes.anim", "8 12 0 0 8 12 Show 1 0 0\n");
    static int made = 0;
    AnimationSetCache cache;
    cache.makeTextures = [](const SDL_Surface*) { return TextureNames{unsigned(++made), 0}; };
    const AnimationSet set = cache.LoadAnimationSet("Boxes");
    EXPECT_EQ(set.texture, 1u);
    // clang-format off
    const struct { int column, row; CellBox box; } cells[] = {
        {0, 0, {2, 1, 6, 4}}, {1, 0, {0, 0, 8, 12}}, {2, 0, {0, 0, 0, 0}},
        {3, 0, {0, 0, 8, 12}}, {0, 1, {0, 0, 8, 12}}, {-1, 0, {0, 0, 8, 12}}, {0, -1, {0, 0, 8, 12}},  // not on the sheet: whole
    };
    // clang-format on
    for (const auto& c : cells) {
        const CellBox box = set.DrawnBox(AnimFrame{c.column, c.row});
        EXPECT_EQ(std::vector<int>({box.left, box.top, box.right, box.bottom}),
                  std::vector<int>({c.box.left, c.box.top, c.box.right, c.box.bottom}))
            << c.column << ", " << c.row;
    }
    EXPECT_TRUE(set.DrawnBox(AnimFrame{2, 0}).Empty());
    AnimationSetCache headless;  // no textures: the whole cell
    const CellBox whole = headless.LoadAnimationSet("Boxes").DrawnBox(AnimFrame{0, 0});
    EXPECT_EQ(whole.right * 100 + whole.bottom, 812);
}

// Animations of frames without area are named by the loader; a hit box
// alone, for a set a script replaces, needs no frame size.
TEST_F(AnimationSetCacheTest, FramesWithoutAreaAreNamed) {
    const struct { const char *name, *text, *printed; } rows[] = {
        {"Flat", "16 0 0 0 16 16\nStand 1 0 0\n",
         "data/Objects/Flat.anim:1: frames of 16 x 0 pixels show nothing: frameWidth and frameHeight must be above 0\n"},
        {"Back", "-8 8 0 0 8 8 Stand 1 0 0",
         "data/Objects/Back.anim:1: frames of -8 x 8 pixels show nothing: frameWidth and frameHeight must be above 0\n"},
        {"Box", "0 0 -6 -6 6 6\n", ""},
        {"Fine", "8 8 0 0 8 8\nStand 1 0 0\n", ""},
    };
    for (const auto& r : rows) {
        Set(r.name, r.text, 16, 16);
        AnimationSetCache cache;
        testing::internal::CaptureStdout();
        cache.LoadAnimationSet(r.name);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), r.printed) << r.name;
    }
}
