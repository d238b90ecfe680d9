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
        shader.SetPaletteTexture(cache.LoadAnimationSet("Palette").texture);
        Fresh();
    }

    // A black back buffer with the game's usual blending.
    void Fresh() {
        GlTestContext::Reset();
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
};

}  // namespace

TEST_F(DrawTest, PositionsTruncateTowardZeroAndEveryDirectionButOneMirrors) {
    // (10.9, -0.5) lands on (10, 0), floor would give y -1; -3.7 lands on -3.
    DrawObject(Make("Test\\Block", 10.9f, -0.5f, 0), &shader);
    DrawObject(Make("Test\\Block", -3.7f, 20.2f, 0), &shader);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(10, 0, 4, 7, PaletteColour(0, 1)));
    EXPECT_TRUE(shot.RegionIs(14, 0, 4, 7, PaletteColour(0, 2)));
    EXPECT_TRUE(shot.RegionIs(10, 7, 8, 1, kBlack));  // the clear row
    EXPECT_TRUE(shot.RegionIs(9, 0, 1, 8, kBlack));
    EXPECT_TRUE(shot.RegionIs(18, 0, 1, 8, kBlack));
    EXPECT_TRUE(shot.RegionIs(0, 20, 1, 7, PaletteColour(0, 1)));
    EXPECT_TRUE(shot.RegionIs(1, 20, 4, 7, PaletteColour(0, 2)));
    EXPECT_TRUE(shot.RegionIs(5, 20, 1, 7, kBlack));

    for (int direction : {1, 0, -1, 2}) {
        Fresh();
        GameObject o = Make("Test\\Block", 40, 40, 0);
        o.direction = direction;
        DrawObject(o, &shader);
        const int left = direction == 1 ? 1 : 2;
        EXPECT_TRUE(Screenshot::Back().RegionIs(40, 40, 4, 7, PaletteColour(0, left)))
            << direction;
        EXPECT_TRUE(Screenshot::Back().RegionIs(44, 40, 4, 7, PaletteColour(0, 3 - left)))
            << direction;
    }
}

TEST_F(DrawTest, PaletteRowFrameOffsetAndFlash) {
    DrawObject(Make("Test\\Block", 0, 0, 5), &shader);
    GameObject offset = Make("Test\\Block", 20, 0, 5);  // frame 1 adds its offset 2
    offset.anim.currentFrame = 1;
    DrawObject(offset, &shader);
    GameObject flash = offset;  // the damage flash is row 10 whatever the palette
    flash.position.x = 40;
    flash.hitFlash = true;
    DrawObject(flash, &shader);
    // A negative palette draws the sheet as stored.
    GameObject raw = Make("Test\\Block", 60, 0, -1);
    raw.anim.currentFrame = 1;
    DrawObject(raw, &shader);
    DrawObject(Make("Test\\Plain", 80, 0, -1), &shader);

    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 4, 7, PaletteColour(5, 1)));
    EXPECT_TRUE(shot.RegionIs(4, 0, 4, 7, PaletteColour(5, 2)));
    EXPECT_TRUE(shot.RegionIs(20, 0, 8, 7, PaletteColour(7, 3)));
    EXPECT_TRUE(shot.RegionIs(40, 0, 8, 7, PaletteColour(10, 3)));
    EXPECT_TRUE(shot.RegionIs(60, 0, 8, 7, Rgb{48, 0, 0}));
    EXPECT_TRUE(shot.RegionIs(80, 0, 4, 7, scene::kPlainLeft));
    EXPECT_TRUE(shot.RegionIs(84, 0, 4, 7, scene::kPlainRight));
    EXPECT_TRUE(shot.RegionIs(0, 7, 100, 1, kBlack));

    Fresh();  // without a shader every sprite draws as stored
    DrawObject(Make("Test\\Block", 0, 0, 5), nullptr);
    EXPECT_TRUE(Screenshot::Back().RegionIs(0, 0, 4, 7, Rgb{16, 0, 0}));
}

TEST_F(DrawTest, TheWorldProjectionFloorsTheCameraAndCategoriesDrawInOrder) {
    SetWorldProjection(170.7f, 130.2f);  // translation (-10, -10)
    DrawObject(Make("Test\\Solid", 15, 12, 0), &shader);
    SetWorldProjection(-0.5f, 0.0f);  // floor -1: translation (161, 120)
    DrawObject(Make("Test\\Solid", 0, 0, 3), &shader);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(5, 2, 8, 8, PaletteColour(0, 1)));
    EXPECT_TRUE(shot.RegionIs(4, 2, 1, 8, kBlack));
    EXPECT_TRUE(shot.RegionIs(161, 120, 8, 8, PaletteColour(3, 1)));
    EXPECT_TRUE(shot.RegionIs(160, 120, 1, 8, kBlack));

    Fresh();
    std::list<GameObject> list;
    list.push_back(Make("Test\\Solid", 100, 100, 1));
    list.push_back(Make("Test\\Solid", 104, 100, 2));  // over the first
    list.push_back(Make("Test\\Solid", 108, 100, 3));
    list.back().visible = false;
    list.push_back(GameObject());  // a set without animations draws nothing
    list.back().position = Vector2(120, 100);
    DrawCategory(list, &shader);
    shot = Screenshot::Back();
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
    const Rgb blue = scene::BlueColour(4, 1);
    EXPECT_TRUE(shot.RegionIs(0, 0, 4, 7, Rgb{100 + blue.r, 50 + blue.g, 20 + blue.b}));
    EXPECT_TRUE(shot.RegionIs(0, 7, 28, 1, Rgb{100, 50, 20}));  // white under zero alpha
    EXPECT_TRUE(shot.RegionIs(20, 0, 4, 7, Rgb{110, 250, 50}));
    EXPECT_TRUE(shot.RegionIs(24, 0, 4, 7, Rgb{255, 150, 25}));
}

TEST_F(DrawTest, WipeBandsAndFadeLeaveTheStateAsFound) {
    // Blue at the edge, white toward the band's inner end, half transparent.
    const Rgb edge{4, 4, 128}, inner{123, 123, 128};
    DrawWipe(15);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(32, 0, 1, 1, edge, 3));
    EXPECT_TRUE(shot.RegionIs(32, 14, 1, 1, inner, 3));
    EXPECT_TRUE(shot.RegionIs(0, 15, 320, 210, kBlack));
    EXPECT_TRUE(shot.RegionIs(32, 239, 1, 1, edge, 3));
    EXPECT_TRUE(shot.RegionIs(32, 225, 1, 1, inner, 3));
    for (int x : {100, 220, 290}) EXPECT_NE(shot.At(x, 0), kBlack) << x;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    Fresh();
    DrawWipe(225);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 320, 105, kBlack));
    EXPECT_TRUE(shot.RegionIs(0, 135, 320, 105, kBlack));
    EXPECT_TRUE(shot.RegionIs(80, 105, 1, 1, edge, 3));
    EXPECT_TRUE(shot.RegionIs(80, 119, 1, 2, inner, 3));
    EXPECT_TRUE(shot.RegionIs(80, 134, 1, 1, edge, 3));

    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawFade(0.5f);
    EXPECT_TRUE(Screenshot::Back().RegionIs(0, 0, 320, 240, Rgb{127, 127, 127}, 1));
    DrawFade(1.0f);
    EXPECT_TRUE(Screenshot::Back().RegionIs(0, 0, 320, 240, kBlack));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);  // white again for the sprites
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
}

TEST_F(DrawTest, LifeGaugeBars) {
    const Rgb red{198, 33, 16}, green{8, 214, 66}, yellow{255, 239, 99};
    const unsigned gauge = cache.LoadAnimationSet("Health").texture;
    auto draw = [&](float health, float shown) {
        Fresh();
        GameObject hero;
        hero.health = health;
        glBindTexture(GL_TEXTURE_2D, gauge);
        DrawLifeGauge(hero, shown);
        return Screenshot::Back();
    };
    Screenshot shot = draw(20, 26.5f);
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
    shot = draw(8, 8);
    EXPECT_TRUE(shot.RegionIs(24, 72, 5, 8, yellow));
    EXPECT_TRUE(shot.RegionIs(24, 46, 5, 26, scene::kGaugeFrame));
    EXPECT_TRUE(draw(8.5f, 8.5f).RegionIs(24, 72, 5, 8, green));
    // Nothing clamps the bar: health 40 reaches y 40, above the frame.
    shot = draw(40, 40);
    EXPECT_TRUE(shot.RegionIs(24, 40, 5, 40, green));
    EXPECT_TRUE(shot.RegionIs(24, 39, 5, 1, kBlack));
    EXPECT_TRUE(shot.RegionIs(15, 40, 9, 6, kBlack));
}
