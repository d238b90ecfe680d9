// Sprite quads, the wipe, the fade and the life gauge, read back from a real
// GL context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "objects/GameObject.h"
#include "render/AnimationSetCache.h"
#include "render/DrawPrimitives.h"
#include "render/PaletteShader.h"
#include "render/Projection.h"
#include "render/RenderScene.h"

using scene::BlueColour;
using scene::kBlack;
using scene::PaletteColour;

namespace {

class DrawTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        root = scene::Write(MakeTempDir("draw"));
        cwd.reset(new ScopedWorkingDirectory(root));
        cache.uploadTextures = true;
        testing::internal::CaptureStdout();
        shader.Create();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        ASSERT_TRUE(shader.Ready());
        palette = cache.LoadAnimationSet("Palette").texture;
        shader.SetPaletteTexture(palette);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    GameObject Make(const std::string& set, float x, float y, int paletteRow) {
        GameObject o(Vector2(x, y), cache.LoadAnimationSet(set));
        o.anim.SetPaletteRow(paletteRow);
        return o;
    }

    std::string root;
    std::unique_ptr<ScopedWorkingDirectory> cwd;
    AnimationSetCache cache;
    PaletteShader shader;
    unsigned palette = 0;
};

}  // namespace

TEST_F(DrawTest, SpritesLandOnTruncatedPositions) {
    // (10.9, -0.5) truncates toward zero to (10, 0); floor would give y -1.
    DrawObject(Make("Test\\Block", 10.9f, -0.5f, 0), &shader);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(10, 0, 4, 7, PaletteColour(0, 1)));
    EXPECT_TRUE(shot.RegionIs(14, 0, 4, 7, PaletteColour(0, 2)));
    EXPECT_TRUE(shot.RegionIs(10, 7, 8, 1, kBlack));  // the clear row
    EXPECT_TRUE(shot.RegionIs(9, 0, 1, 8, kBlack));
    EXPECT_TRUE(shot.RegionIs(18, 0, 1, 8, kBlack));

    // Negative coordinates truncate toward zero as well: -3.7 is -3.
    GlTestContext::Reset();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawObject(Make("Test\\Block", -3.7f, 20.2f, 0), &shader);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 20, 1, 7, PaletteColour(0, 1)));
    EXPECT_TRUE(shot.RegionIs(1, 20, 4, 7, PaletteColour(0, 2)));
    EXPECT_TRUE(shot.RegionIs(5, 20, 1, 7, kBlack));
}

TEST_F(DrawTest, EveryDirectionButOneMirrors) {
    for (int direction : {1, 0, -1, 2}) {
        GlTestContext::Reset();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        GameObject o = Make("Test\\Block", 40, 40, 0);
        o.direction = direction;
        DrawObject(o, &shader);
        Screenshot shot = Screenshot::Back();
        const bool asStored = direction == 1;
        EXPECT_TRUE(shot.RegionIs(40, 40, 4, 7, PaletteColour(0, asStored ? 1 : 2)))
            << "direction " << direction;
        EXPECT_TRUE(shot.RegionIs(44, 40, 4, 7, PaletteColour(0, asStored ? 2 : 1)))
            << "direction " << direction;
    }
}

TEST_F(DrawTest, PaletteRowFrameOffsetAndFlash) {
    GameObject row5 = Make("Test\\Block", 0, 0, 5);
    DrawObject(row5, &shader);

    // Frame 1 adds its palette offset 2: row 7.
    GameObject offset = Make("Test\\Block", 20, 0, 5);
    offset.anim.currentFrame = 1;
    DrawObject(offset, &shader);

    // The damage flash is row 10 whatever the palette and offset.
    GameObject flash = Make("Test\\Block", 40, 0, 5);
    flash.anim.currentFrame = 1;
    flash.hitFlash = true;
    DrawObject(flash, &shader);

    // A negative palette draws the sheet as stored: the raw column codes.
    GameObject plainPath = Make("Test\\Block", 60, 0, -1);
    plainPath.anim.currentFrame = 1;
    DrawObject(plainPath, &shader);
    GameObject trueColour = Make("Test\\Plain", 80, 0, -1);
    DrawObject(trueColour, &shader);

    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 4, 7, PaletteColour(5, 1)));
    EXPECT_TRUE(shot.RegionIs(4, 0, 4, 7, PaletteColour(5, 2)));
    EXPECT_TRUE(shot.RegionIs(20, 0, 8, 7, PaletteColour(7, 3)));
    EXPECT_TRUE(shot.RegionIs(40, 0, 8, 7, PaletteColour(10, 3)));
    EXPECT_TRUE(shot.RegionIs(60, 0, 8, 7, Rgb{48, 0, 0}));
    EXPECT_TRUE(shot.RegionIs(80, 0, 4, 7, scene::kPlainLeft));
    EXPECT_TRUE(shot.RegionIs(84, 0, 4, 7, scene::kPlainRight));
    EXPECT_TRUE(shot.RegionIs(0, 7, 100, 1, kBlack));

    // Without a shader every sprite draws as stored.
    GlTestContext::Reset();
    DrawObject(Make("Test\\Block", 0, 0, 5), nullptr);
    EXPECT_TRUE(Screenshot::Back().RegionIs(0, 0, 4, 7, Rgb{16, 0, 0}));
}

TEST_F(DrawTest, TheWorldProjectionFloorsTheCamera) {
    SetWorldProjection(170.7f, 130.2f);  // translation (-10, -10)
    DrawObject(Make("Test\\Solid", 15, 12, 0), &shader);
    SetWorldProjection(-0.5f, 0.0f);  // floor -1: translation (161, 120)
    DrawObject(Make("Test\\Solid", 0, 0, 3), &shader);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(5, 2, 8, 8, PaletteColour(0, 1)));
    EXPECT_TRUE(shot.RegionIs(4, 2, 1, 8, kBlack));
    EXPECT_TRUE(shot.RegionIs(161, 120, 8, 8, PaletteColour(3, 1)));
    EXPECT_TRUE(shot.RegionIs(160, 120, 1, 8, kBlack));
}

TEST_F(DrawTest, CategoriesDrawVisibleObjectsInListOrder) {
    std::list<GameObject> list;
    list.push_back(Make("Test\\Solid", 100, 100, 1));
    list.push_back(Make("Test\\Solid", 104, 100, 2));  // over the first
    list.push_back(Make("Test\\Solid", 108, 100, 3));
    list.back().visible = false;
    GameObject empty;  // a set without animations draws nothing
    empty.position = Vector2(120, 100);
    list.push_back(empty);
    DrawCategory(list, &shader);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(100, 100, 4, 8, PaletteColour(1, 1)));
    EXPECT_TRUE(shot.RegionIs(104, 100, 8, 8, PaletteColour(2, 1)));
    EXPECT_TRUE(shot.RegionIs(112, 100, 20, 8, kBlack));
}

TEST_F(DrawTest, AdditiveBluePaletteLeavesClearTexelsAlone) {
    glClearColor(100 / 255.0f, 50 / 255.0f, 20 / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    shader.SetPaletteTexture(cache.LoadAnimationSet("BluePalette").texture);
    glBlendFunc(GL_ONE, GL_ONE);
    DrawObject(Make("Test\\Block", 0, 0, 4), &shader);
    DrawObject(Make("Test\\Plain", 20, 0, -1), &shader);
    Screenshot shot = Screenshot::Back();
    const Rgb blue = BlueColour(4, 1);
    EXPECT_TRUE(shot.RegionIs(0, 0, 4, 7, Rgb{100 + blue.r, 50 + blue.g, 20 + blue.b}));
    // The clear rows hid white under zero alpha; nothing is added there.
    EXPECT_TRUE(shot.RegionIs(0, 7, 28, 1, Rgb{100, 50, 20}));
    EXPECT_TRUE(shot.RegionIs(20, 0, 4, 7, Rgb{110, 250, 50}));
    EXPECT_TRUE(shot.RegionIs(24, 0, 4, 7, Rgb{255, 150, 25}));
}

TEST_F(DrawTest, WipeBandsGrowFromTheEdgesAndThinOut) {
    DrawWipe(15);
    Screenshot shot = Screenshot::Back();
    // Blue at the edge, white toward the band's inner end, half transparent
    // over black.
    EXPECT_TRUE(shot.RegionIs(32, 0, 1, 1, Rgb{4, 4, 128}, 3));
    EXPECT_TRUE(shot.RegionIs(32, 14, 1, 1, Rgb{123, 123, 128}, 3));
    EXPECT_TRUE(shot.RegionIs(0, 15, 320, 210, kBlack));
    EXPECT_TRUE(shot.RegionIs(32, 239, 1, 1, Rgb{4, 4, 128}, 3));
    EXPECT_TRUE(shot.RegionIs(32, 225, 1, 1, Rgb{123, 123, 128}, 3));
    for (int x : {32, 100, 160, 220, 290}) {
        EXPECT_NE(shot.At(x, 0), kBlack) << x;
        EXPECT_NE(shot.At(x, 14), kBlack) << x;
        EXPECT_NE(shot.At(x, 225), kBlack) << x;
    }
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    GlTestContext::Reset();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawWipe(225);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 320, 105, kBlack));
    EXPECT_TRUE(shot.RegionIs(0, 135, 320, 105, kBlack));
    EXPECT_TRUE(shot.RegionIs(80, 105, 1, 1, Rgb{4, 4, 128}, 3));
    EXPECT_TRUE(shot.RegionIs(80, 119, 1, 2, Rgb{123, 123, 128}, 3));
    EXPECT_TRUE(shot.RegionIs(80, 134, 1, 1, Rgb{4, 4, 128}, 3));
}

TEST_F(DrawTest, FadeDarkensTheWholeView) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawFade(0.5f);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 320, 240, Rgb{127, 127, 127}, 1));
    DrawFade(1.0f);
    EXPECT_TRUE(Screenshot::Back().RegionIs(0, 0, 320, 240, kBlack));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
}

TEST_F(DrawTest, LifeGaugeBars) {
    const Rgb red{198, 33, 16};
    const Rgb green{8, 214, 66};
    const Rgb yellow{255, 239, 99};
    const unsigned gauge = cache.LoadAnimationSet("Health").texture;
    GameObject hero;

    hero.health = 20;
    glBindTexture(GL_TEXTURE_2D, gauge);
    DrawLifeGauge(hero, 26.5f);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(15, 46, 9, 64, scene::kGaugeFrame));
    EXPECT_TRUE(shot.RegionIs(29, 46, 50, 64, scene::kGaugeFrame));
    EXPECT_TRUE(shot.RegionIs(24, 46, 5, 7, scene::kGaugeFrame));
    EXPECT_TRUE(shot.RegionIs(24, 53, 5, 7, red));  // trunc(80 - 26.5) = 53
    EXPECT_TRUE(shot.RegionIs(24, 60, 5, 20, green));
    EXPECT_TRUE(shot.RegionIs(24, 80, 5, 30, scene::kGaugeFrame));
    EXPECT_TRUE(shot.RegionIs(79, 46, 1, 64, kBlack));
    EXPECT_TRUE(shot.RegionIs(15, 110, 64, 1, kBlack));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    // At 8 or less the bar turns yellow.
    GlTestContext::Reset();
    hero.health = 8;
    glBindTexture(GL_TEXTURE_2D, gauge);
    DrawLifeGauge(hero, 8);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(24, 72, 5, 8, yellow));
    EXPECT_TRUE(shot.RegionIs(24, 46, 5, 26, scene::kGaugeFrame));
    GlTestContext::Reset();
    hero.health = 8.5f;
    glBindTexture(GL_TEXTURE_2D, gauge);
    DrawLifeGauge(hero, 8.5f);
    EXPECT_TRUE(Screenshot::Back().RegionIs(24, 72, 5, 8, green));

    // Nothing clamps the bar: health 40 reaches y 40, above the frame.
    GlTestContext::Reset();
    hero.health = 40;
    glBindTexture(GL_TEXTURE_2D, gauge);
    DrawLifeGauge(hero, 40);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(24, 40, 5, 40, green));
    EXPECT_TRUE(shot.RegionIs(24, 39, 5, 1, kBlack));
    EXPECT_TRUE(shot.RegionIs(15, 40, 9, 6, kBlack));
}
