// The drawing rules read back as pixels from one scene composed the way a
// frame is: tile layers, every object list, the palette shader, the wipe,
// the fade and the life gauge; then palette programs that do not build.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/DataPath.h"
#include "render/DrawPrimitives.h"
#include "render/FrameComposition.h"
#include "app/GameFrame.h"
#include "app/Window.h"
#include <SDL.h>
#include "render/PaletteShader.h"
#include "render/Texture.h"
#include "support/GlTestContext.h"
#include "support/TestWorld.h"

namespace {

// Palette row r column c, the blue after-image palette, and each tile code.
Rgb Pal(int r, int c) { return Rgb{16 * c + 8, 8 * r + 4, 77}; }
Rgb Blue(int r, int c) { return Rgb{0, 4 * c + 2, 8 * r + 6}; }
Rgb Tile(int code) { return Rgb{(code % 16) * 16 + 8, (code / 16) * 8 + 4, 128}; }
uint32_t Opaque(Rgb c, uint32_t alpha = 0xFF) { return uint32_t(c.r) << 24 | uint32_t(c.g) << 16 | uint32_t(c.b) << 8 | alpha; }
const Rgb kBlack{0, 0, 0}, kLeft{10, 200, 30}, kRight{250, 100, 5}, kFrame{50, 60, 70};
const Rgb kRed{198, 33, 16}, kGreen{8, 214, 66}, kRaw{16, 0, 0};  // kRaw: column 1 unshaded
const uint32_t kClearWhite = 0xFFFFFF00u;                         // white under zero alpha

// The shipped palette programs, copied into the data tree.
void ShippedPrograms(const std::string& root) {
    for (const char* file : {"/data/gfx/vPassthrough.cg", "/data/gfx/fPalette.cg"})
        std::filesystem::copy_file(SourceDir() + "/game" + file, root + file, std::filesystem::copy_options::overwrite_existing);
}

TileLayer Layer(int width, int height, const std::vector<std::vector<int>>& cells) {
    TileLayer layer;
    layer.width = width, layer.height = height, layer.tilesetWidth = 256;
    layer.tiles.assign(width * height, 0);
    for (const auto& c : cells) layer.tiles[c[1] * width + c[0]] = c[2];  // column, row, code
    return layer;
}

}  // namespace

class SceneTest : public TestWorld {
protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::Open());
        GlTestContext::Reset();
        TestImage palette(16, 32), blue(16, 32), tiles(256, 512), block(16, 8), plain(8, 8);
        for (int r = 0; r < 32; ++r)
            for (int c = 0; c < 16; ++c) palette.At(c, r) = Opaque(Pal(r, c)), blue.At(c, r) = Opaque(Blue(r, c));
        for (int code = 0; code < 512; ++code) tiles.Fill(code % 16 * 16, code / 16 * 16, 16, 16, Opaque(Tile(code)));
        tiles.Fill(80, 0, 8, 16, 0);  // tile 5: the left half clear, the right half half transparent
        tiles.Fill(88, 0, 8, 16, Opaque(Tile(5), 0x80));
        // Block: frame 0 palette columns 1 | 2, frame 1 column 3 with palette offset 2.
        block.Fill(0, 0, 4, 7, SheetColour(1)), block.Fill(4, 0, 4, 7, SheetColour(2));
        block.Fill(8, 0, 8, 7, SheetColour(3)), block.Fill(0, 7, 16, 1, kClearWhite);
        plain.Fill(0, 0, 4, 7, Opaque(kLeft)), plain.Fill(4, 0, 4, 7, Opaque(kRight));
        plain.Fill(0, 7, 8, 1, kClearWhite);
        const std::pair<const char*, TestImage> sheets[] = {
            {"Palette", palette}, {"BluePalette", blue}, {"Tiles/Test", tiles}, {"Test/Block", block},
            {"Test/Plain", plain}, {"Test/Solid", TestImage(8, 8, SheetColour(1))},
            {"Health", TestImage(64, 64, Opaque(kFrame))}};
        for (const auto& s : sheets) {
            WritePng(Root() + "/data/img/" + s.first + ".png", s.second);
            WriteFile(Root() + "/data/Objects/" + s.first + ".anim",
                      "8 8 0 0 8 8 Show 2 [0 0] {0 2} 0\n");
        }
        std::filesystem::create_directories(Root() + "/data/gfx");
        ShippedPrograms(Root());
        world().animationSets.makeTextures = CreateTextures;
        testing::internal::CaptureStdout();
        shader.Create();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // the shipped programs build silently
        resources = {world().LoadAnimationSet("Palette").texture, world().LoadAnimationSet("BluePalette").texture,
                     world().LoadAnimationSet("Health").texture, &shader};
    }

    GameObject& Put(const char* category, const char* set, float x, float y, int palette, int frame = 0) {
        world().List(category).push_back(GameObject(Vector2(x, y), world().LoadAnimationSet(set)));
        world().List(category).back().anim.SetPaletteRow(palette);
        world().List(category).back().anim.currentFrame = frame;
        return world().List(category).back();
    }

    Screenshot Compose() {
        ComposeFrame(ViewOf(game()), resources);
        return Screenshot::Back();
    }

    PaletteShader shader;
    DrawResources resources;
};

TEST_F(SceneTest, OneFrameAndItsVariants) {
    StageMap& stage = world().stage;
    stage.tileset = world().LoadAnimationSet("Tiles\\Test");
    // Main 40 x 25 (codes 0 and 1 never drawn), a one-screen background, one
    // half way (30 x 20 scrolls at half speed) and a foreground of the main
    // layer's size.
    stage.mainLayer = Layer(40, 25, {{0, 1, 2}, {1, 1, 1}, {2, 1, 17}, {3, 1, 511}, {4, 1, 5}, {25, 17, 511}});
    stage.tileMap[std::make_pair(2, 1)] = TileInfo{17, '1'};
    stage.backgroundLayers = {Layer(20, 15, {{19, 14, 18}}), Layer(30, 20, {{12, 9, 33}})};
    stage.foregroundLayers = {Layer(40, 25, {{19, 5, 3}, {33, 20, 3}})};
    world().camera = Vector2(160, 120);  // world pixels are screen pixels

    // Positions truncate toward zero; every direction but 1 mirrors.
    Put("Enemies", "Test\\Block", 10.9f, -0.5f, 0);
    Put("Enemies", "Test\\Block", -3.7f, 200.2f, 0);
    const int directions[] = {-1, 0, 2, 1};
    for (int i = 0; i < 4; ++i) Put("Enemies", "Test\\Block", 40 + 16 * i, 0, 0).direction = directions[i];
    Put("Enemies", "Test\\Solid", 8, 20, 12);  // over the main layer
    // Palette rows, frame offsets, the damage flash (row 10), sheets as stored.
    Put("Items", "Test\\Block", 100, 0, 5);
    Put("Items", "Test\\Block", 112, 0, 5, 1);
    Put("Items", "Test\\Block", 124, 0, 5, 1).hitFlash = true;
    Put("Items", "Test\\Block", 136, 0, -1, 1);
    Put("Items", "Test\\Plain", 148, 0, -1);
    AnimationSet sheetless;  // animations but no sheet, or one without area: nothing to draw
    ParseAnimationDescription("8 8 0 0 8 8 Show 1 0 0", 8, sheetless);
    for (const Vector2 size : {Vector2(0, 0), Vector2(8, 0), Vector2(0, 8)})
        sheetless.imageSize = size, world().List("Items").push_back(GameObject(Vector2(160 + size.x + 2 * size.y, 0), sheetless));
    // A staircase one pixel a step: pixel 100 + k shows list k only if it is
    // drawn after every list left of it.
    const char* order[] = {"Enemies", "PlayerFXBack", "Items", "Player", "EnemyFX", "EnemyWeapons", "PlayerWeapons", "PlayerFX"};
    for (int k = 0; k < 8; ++k) Put(order[k], "Test\\Solid", 100 + k, 100, k + 1);
    world().Hero()->health = 20, game().player.shownHealth = 26.5f;
    Put("Misc", "Test\\Solid", 200, 50, 1);
    Put("Bogus", "Test\\Solid", 220, 50, 1);
    // After-images add through the blue palette; clear texels add nothing.
    Put("Enemies", "Test\\Solid", 40, 150, 1);
    Put("PlayerBGFX", "Test\\Block", 40, 150, 4);
    Put("Items", "Test\\Solid", 44, 150, 2);
    Put("PlayerFX", "Test\\Plain", 150, 60, -1);
    Put("PlayerFX", "Test\\Solid", 300, 84, 13);  // under the foreground

    Screenshot shot = Compose();
    // clang-format off
    const struct { int x, y, w, h; Rgb colour; } regions[] = {
        {10, 0, 4, 7, Pal(0, 1)}, {14, 0, 4, 7, Pal(0, 2)}, {10, 7, 8, 1, kBlack}, {9, 0, 1, 8, kBlack}, {18, 0, 1, 8, kBlack},
        {0, 200, 1, 7, Pal(0, 1)}, {1, 200, 4, 7, Pal(0, 2)}, {5, 200, 1, 7, kBlack}, {40, 0, 4, 7, Pal(0, 2)}, {44, 0, 4, 7, Pal(0, 1)},
        {56, 0, 4, 7, Pal(0, 2)}, {72, 0, 4, 7, Pal(0, 2)}, {88, 0, 4, 7, Pal(0, 1)}, {100, 0, 4, 7, Pal(5, 1)}, {104, 0, 4, 7, Pal(5, 2)},
        {112, 0, 8, 7, Pal(7, 3)}, {124, 0, 8, 7, Pal(10, 3)}, {136, 0, 8, 7, Rgb{48, 0, 0}}, {148, 0, 4, 7, kLeft}, {152, 0, 4, 7, kRight},
        {100, 7, 60, 1, kBlack}, {160, 0, 24, 8, kBlack}, {0, 16, 8, 16, Tile(2)}, {8, 20, 8, 8, Pal(12, 1)}, {8, 28, 7, 4, Tile(2)},
        {16, 16, 16, 16, kBlack}, {32, 16, 16, 16, Tile(17)}, {48, 16, 16, 16, Tile(511)}, {64, 16, 8, 16, kBlack},
        {304, 224, 16, 16, Tile(18)}, {192, 144, 16, 16, Tile(33)}, {300, 84, 4, 8, Pal(13, 1)}, {304, 80, 16, 16, Tile(3)},
        {108, 100, 7, 8, Pal(8, 1)}, {200, 50, 30, 8, kBlack}, {40, 150, 4, 7, Rgb{24 + 0, 12 + 6, 77 + 38}},
        {40, 157, 4, 1, Pal(1, 1)}, {44, 150, 8, 8, Pal(2, 1)}, {150, 60, 4, 7, kLeft}, {154, 60, 4, 7, kRight},
        {15, 46, 9, 64, kFrame}, {29, 46, 50, 64, kFrame}, {24, 46, 5, 7, kFrame}, {24, 53, 5, 7, kRed}, {24, 60, 5, 20, kGreen},
        {24, 80, 5, 30, kFrame}, {79, 46, 1, 64, kBlack}, {15, 110, 64, 1, kBlack},
    };
    // clang-format on
    for (const auto& r : regions) EXPECT_TRUE(shot.RegionIs(r.x, r.y, r.w, r.h, r.colour)) << r.x << ", " << r.y;
    EXPECT_TRUE(shot.RegionIs(72, 16, 8, 16, Tile(5), 1));  // alpha 128, blending off: full colour
    for (int k = 0; k < 8; ++k) EXPECT_TRUE(shot.RegionIs(100 + k, 100, 1, 8, Pal(k + 1, 1))) << order[k];

    // The hero vanishes after hurtTimer 108; the gauge turns yellow at 8.
    world().Hero()->hurtTimer = 108;
    EXPECT_TRUE(Compose().RegionIs(103, 100, 1, 8, Pal(4, 1)));
    world().Hero()->hurtTimer = 109, world().Hero()->health = 8, game().player.shownHealth = 8;
    shot = Compose();
    EXPECT_TRUE(shot.RegionIs(103, 100, 1, 8, Pal(3, 1)));
    EXPECT_TRUE(shot.RegionIs(24, 72, 5, 8, Rgb{255, 239, 99}) && shot.RegionIs(24, 46, 5, 26, kFrame));

    // The opening: no gauge in phases 1 and 2, the wipe while 72 < timer < 88.
    const struct { int phase, timer; bool gauge, wipe; } openings[] = {
        {1, 72, false, false}, {1, 73, false, true}, {1, 87, false, true}, {1, 88, false, false},
        {2, 80, false, false}, {3, 80, true, false}, {0, 80, true, false}};
    for (const auto& o : openings) {
        game().flow.phase = o.phase, game().flow.phaseTimer = o.timer;
        shot = Compose();
        SCOPED_TRACE(testing::Message() << "phase " << o.phase << " timer " << o.timer);
        EXPECT_EQ(shot.RegionIs(24, 72, 5, 8, Rgb{255, 239, 99}), o.gauge);
        EXPECT_EQ(shot.At(250, 0) != kBlack || shot.At(250, 110) != kBlack, o.wipe);
        EXPECT_TRUE(shot.RegionIs(150, 60, 4, 7, kLeft));  // still textured after the wipe
    }
    game().flow.phase = 1, game().flow.phaseTimer = 73;  // progress 15: blue edges, white inside
    shot = Compose();
    EXPECT_TRUE(shot.RegionIs(250, 0, 1, 1, Rgb{4, 4, 128}, 3) && shot.RegionIs(250, 239, 1, 1, Rgb{4, 4, 128}, 3));
    EXPECT_TRUE(shot.RegionIs(250, 14, 1, 1, Rgb{123, 123, 128}, 3) && shot.RegionIs(250, 15, 1, 210, kBlack));
    game().flow.phase = 0, world().Hero()->hurtTimer = 0;

    game().fade.level = 0.5f;
    EXPECT_TRUE(Compose().RegionIs(103, 100, 1, 8, Rgb{12, 18, 38}, 1));
    game().fade.level = 1;
    EXPECT_TRUE(Compose().RegionIs(0, 0, 320, 240, kBlack));

    // Video mode 1: the main layer alone from the rectangle texture, no fade.
    game().videoMode = 1;
    shot = Compose();
    EXPECT_TRUE(shot.RegionIs(0, 16, 16, 16, Tile(2)) && shot.RegionIs(64, 16, 8, 16, kBlack));
    EXPECT_TRUE(shot.RegionIs(72, 16, 8, 16, Tile(5), 1) && shot.RegionIs(16, 32, 304, 208, kBlack));
    game().tileMode = 2;  // sparse: the colliding cells only
    shot = Compose();
    EXPECT_TRUE(shot.RegionIs(32, 16, 16, 16, Tile(17)) && shot.RegionIs(0, 16, 32, 16, kBlack));

    // Parallax seen from (480, 360): the view's origin on the main layer is
    // (320, 240), on the half-way layer (160, 120), on a one-screen layer 0.
    game().videoMode = 2, game().fade.level = 0, world().camera = Vector2(480.5f, 360.75f);
    shot = Compose();
    EXPECT_TRUE(shot.RegionIs(304, 224, 16, 16, Tile(18)) && shot.RegionIs(32, 24, 16, 16, Tile(33)));
    EXPECT_TRUE(shot.RegionIs(80, 32, 16, 16, Tile(511)) && shot.RegionIs(208, 80, 16, 16, Tile(3)));
}

// Key 7: outlines over the frame; the frame itself stays as it was.
TEST_F(SceneTest, TheDebugOverlayOutlinesWhatCollides) {
    StageMap& stage = world().stage;
    stage.tileset = world().LoadAnimationSet("Tiles\\Test");
    stage.mainLayer = Layer(40, 25, {{2, 1, 17}, {3, 1, 18}});
    stage.tileMap[std::make_pair(2, 1)] = TileInfo{17, '1'};
    stage.tileMap[std::make_pair(3, 1)] = TileInfo{18, 'A'};
    stage.mainLayer.zones = {CameraZone{100, 200, 100, 150, kZoneLockBand}};
    WritePng(Root() + "/data/img/Enemies/Box.png", TestImage(8, 8));
    WriteFile(Root() + "/data/Objects/Enemies/Box.anim", "8 8 1 2 7 8\nStand 1 0 0\n");
    world().LoadAnimationSet("Enemies\\Box");
    stage.enemyPlacements = {EnemyPlacement{"Box", Vector2(60, 100), false}, EnemyPlacement{"Box", Vector2(80, 100), true}};
    Put("Enemies", "Test\\Solid", 200, 50, 1);
    world().camera = Vector2(160, 120);
    EXPECT_TRUE(Compose().RegionIs(100, 120, 1, 1, kBlack));
    game().overlay = true;
    const Screenshot shot = Compose();
    const struct { int x, y; Rgb colour; } pixels[] = {
        {32, 20, Rgb{128, 128, 128}}, {47, 31, Rgb{128, 128, 128}}, {40, 24, Tile(17)}, {56, 16, Rgb{0, 255, 255}},
        {100, 120, Rgb{255, 0, 255}}, {199, 149, Rgb{255, 0, 255}}, {61, 105, Rgb{255, 255, 0}}, {86, 107, Rgb{128, 128, 0}},
        {200, 53, Rgb{255, 0, 0}}, {203, 53, Pal(1, 1)}, {150, 120, kBlack}};
    for (const auto& p : pixels) EXPECT_TRUE(shot.RegionIs(p.x, p.y, 1, 1, p.colour, 1)) << p.x << ", " << p.y;
    // Paused: two white bars on a dark square in the middle.
    game().paused = true;
    const Screenshot pausedShot = Compose();
    EXPECT_TRUE(pausedShot.RegionIs(152, 110, 5, 20, Rgb{255, 255, 255}) && pausedShot.RegionIs(163, 110, 5, 20, Rgb{255, 255, 255}));
    EXPECT_TRUE(pausedShot.RegionIs(157, 104, 6, 32, kBlack, 1) && pausedShot.RegionIs(144, 104, 8, 8, kBlack, 1));
}

// Sprites of a list drawn in runs: one that overlaps a sprite of another
// look still comes after it; with a palette row of -1 it is drawn as stored.
TEST_F(SceneTest, RunsKeepTheOrderOfOverlappingSprites) {
    world().camera = Vector2(160, 120);
    const struct { float x; int palette; } sprites[] = {{200, 1}, {204, 2}, {206, 1}, {220, 1}, {224, 2}, {226, -1}, {228, 1}};
    for (const auto& s : sprites) Put("Items", "Test\\Solid", s.x, 200, s.palette);
    const Screenshot shot = Compose();
    const struct { int x, w; Rgb colour; } expected[] = {
        {200, 4, Pal(1, 1)}, {204, 2, Pal(2, 1)}, {206, 8, Pal(1, 1)}, {220, 4, Pal(1, 1)}, {224, 2, Pal(2, 1)},
        {226, 2, kRaw}, {228, 8, Pal(1, 1)}};
    for (const auto& e : expected) EXPECT_TRUE(shot.RegionIs(e.x, 200, e.w, 8, e.colour)) << e.x;
}

// Only a cell's opaque box is drawn, mirrored with the rest of the cell; a
// clear cell draws nothing.
TEST_F(SceneTest, ACellShowsItsOpaquePixelsWhereverItsBoxLies) {
    TestImage corner(16, 8, kClearWhite);  // frame 0: columns 1 | 2-3 of rows 2-4; frame 1 clear
    corner.Fill(1, 2, 1, 3, SheetColour(1)), corner.Fill(2, 2, 2, 3, SheetColour(2));
    WritePng(Root() + "/data/img/Test/Corner.png", corner);
    WriteFile(Root() + "/data/Objects/Test/Corner.anim", "8 8 0 0 8 8 Show 2 [0 0] 0\n");
    world().camera = Vector2(160, 120);
    Put("Items", "Test\\Corner", 240, 20, 3);
    Put("Items", "Test\\Corner", 250, 20, 3).direction = -1;
    Put("Items", "Test\\Corner", 260, 20, -1).direction = -1;
    Put("Items", "Test\\Corner", 270, 20, 3, 1);
    const Screenshot shot = Compose();
    const struct { int x, w; Rgb colour; } expected[] = {
        {240, 1, kBlack}, {241, 1, Pal(3, 1)}, {242, 2, Pal(3, 2)}, {244, 10, kBlack}, {254, 2, Pal(3, 2)}, {256, 1, Pal(3, 1)},
        {257, 7, kBlack}, {264, 2, Rgb{32, 0, 0}}, {266, 1, kRaw}, {267, 13, kBlack}};
    for (const auto& e : expected) EXPECT_TRUE(shot.RegionIs(e.x, 22, e.w, 3, e.colour)) << e.x;
    EXPECT_TRUE(shot.RegionIs(240, 20, 40, 2, kBlack) && shot.RegionIs(240, 25, 40, 3, kBlack));
}

// The whole window as presented, rows from the top.
std::vector<Rgb> WindowPixels(int width, int height) {
    std::vector<unsigned char> rgba(size_t(width) * height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<Rgb> pixels(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgba[((size_t(height) - 1 - y) * width + x) * 4];
            pixels[size_t(y) * width + x] = Rgb{p[0], p[1], p[2]};
        }
    return pixels;
}

// A scaled window and fullscreen (the Xvfb screen is 1024 x 768) show the
// frame composed at one pixel per logical pixel, each a square block.
TEST_F(SceneTest, ScaledWindowAndFullscreenShowEveryPixelAsABlock) {
    world().camera = Vector2(160, 120);
    Put("Items", "Test\\Block", 3, 5, 5);
    Put("Enemies", "Test\\Plain", 312, 233, -1);
    game().paused = true;
    const Screenshot logical = Compose();
    GameWindow& window = GlTestContext::Window();
    Settings settings;
    settings.windowScale = 3;
    ASSERT_TRUE(window.Open(settings));
    DrawResources scaled = resources;
    scaled.picture = &window.picture();
    const struct { int width, height, scale, left, top; } rows[] = {{960, 720, 3, 0, 0}, {1024, 768, 3, 32, 24}, {960, 720, 3, 0, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.width << " x " << r.height);
        ASSERT_EQ(SDL_GetVideoSurface()->w, r.width);
        ASSERT_EQ(SDL_GetVideoSurface()->h, r.height);
        ComposeFrame(ViewOf(game()), scaled);
        PresentPicture(*scaled.picture);
        const std::vector<Rgb> shown = WindowPixels(r.width, r.height);
        int wrong = 0;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) {
                const int lx = (x - r.left) / r.scale, ly = (y - r.top) / r.scale;
                const bool inside = x >= r.left && y >= r.top && lx < kViewWidth && ly < kViewHeight;
                if (shown[size_t(y) * r.width + x] != (inside ? logical.At(lx, ly) : kBlack) && wrong++ == 0)
                    ADD_FAILURE() << "window pixel (" << x << ", " << y << ") is " << shown[size_t(y) * r.width + x];
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(shown[size_t(r.top + 3 * 5) * r.width + r.left + 3 * 3 + 2], Pal(5, 1));
        window.ToggleFullscreen();
    }
    EXPECT_TRUE(Compose().RegionIs(152, 110, 5, 20, Rgb{255, 255, 255}));  // composing as before
    settings.windowScale = 1;
    ASSERT_TRUE(window.Open(settings));  // back to the other tests' window
    EXPECT_EQ(SDL_GetVideoSurface()->w, kViewWidth);
}

TEST_F(SceneTest, ProgramsThatDoNotBuild) {
    const std::string head = "#version 120\nuniform sampler2D decal;\nuniform float palIndex;\n";
    const std::string texel = "texture2D(decal, gl_TexCoord[0].st)";
    const struct { const char* file; std::string source, output; bool listing, ready; Rgb colour; } rows[] = {
        {"fPalette.cg", "", "data/gfx/fPalette.cg: loading fragment program: The program file cannot be read.\n", false, false, kRaw},
        // The listing names the file and the file's own line.
        {"fPalette.cg", head + "void C3E3f_texture() { gl_FragColor = vec4(1.0) }\n",
         "data/gfx/fPalette.cg: loading fragment program: The program does not compile.\ndata/gfx/fPalette.cg:4(", true, false, kRaw},
        {"fPalette.cg", head + "void C3E3f_texture();\n",
         "data/gfx/fPalette.cg: linking the programs: The vertex and fragment programs do not link together.\n", true, false, kRaw},
        // Without both samplers the program cannot recolour.
        {"fPalette.cg", head + "void C3E3f_texture() { gl_FragColor = vec4(palIndex, 1.0, " + texel + ".r, 1.0); }\n",
         "data/gfx/fPalette.cg: loading fragment program2: The program uses no parameter \"palette\".\n", false, false, kRaw},
        {"fPalette.cg", "#version 120\nuniform sampler2D decal;\nuniform sampler2D palette;\nvoid C3E3f_texture() {\n"
         "gl_FragColor = texture2D(palette, vec2((floor(" + texel + ".r * 255.0 / 16.0 + 0.5) + 0.5) / 16.0, 2.5 / 32.0)); }\n",
         "data/gfx/fPalette.cg: loading fragment program2: The program uses no parameter \"palIndex\".\n", false, true, Pal(2, 1)},
        // The fragment program recolours without the vertex program.
        {"vPassthrough.cg", "#version 120\nvoid C3E2v_varying() { gl_Position = nonsense; }\n",
         "data/gfx/vPassthrough.cg: loading vertex program: The program does not compile.\ndata/gfx/vPassthrough.cg:2(", true, true, Pal(6, 1)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.output);
        ShippedPrograms(Root());
        if (r.source.empty()) std::remove((Root() + "/data/gfx/" + r.file).c_str());
        else WriteFile(Root() + "/data/gfx/" + r.file, r.source);
        ClearDataPathCache();
        PaletteShader broken;
        testing::internal::CaptureStdout();
        broken.Create();
        // A listing's first line is checked up to the line number; the driver words the rest.
        const std::string out = testing::internal::GetCapturedStdout(), rest = out.substr(std::min(out.size(), r.output.size()));
        EXPECT_EQ(out.substr(0, r.output.size()), r.output);
        EXPECT_EQ(std::count(rest.begin(), rest.end(), '\n'), r.listing ? 1 : 0) << out;
        EXPECT_EQ(broken.Ready(), r.ready);
        GlTestContext::Reset();
        broken.SetPaletteTexture(resources.paletteTexture);
        DrawObject(Put("Items", "Test\\Solid", 0, 0, 6), &broken);
        EXPECT_EQ(Screenshot::Back().At(3, 3), r.colour);
    }
}
