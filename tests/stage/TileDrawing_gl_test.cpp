// Tile layers drawn for real and read back: placement under the camera,
// codes 0 and 1 never drawn, the alpha cut-out with blending off, parallax
// layers, and both debug views from the rectangle texture.
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <memory>

#include "render/AnimationSetCache.h"
#include "stage/TileDrawing.h"
#include "support/GlTestContext.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace {

// Every tile of the test sheet is one colour made from its code.
Rgb TileColour(int code) { return Rgb{(code % 16) * 16 + 8, (code / 16) * 8 + 4, 128}; }

uint32_t Packed(const Rgb& c) {
    return (uint32_t(c.r) << 24) | (uint32_t(c.g) << 16) | (uint32_t(c.b) << 8);
}

const Rgb kBlack{0, 0, 0};

class TileDrawingGlTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        root_ = MakeTempDir("tiles-gl");
        TestImage sheet(256, 512);
        for (int code = 0; code < 512; ++code)
            sheet.Fill((code % 16) * 16, (code / 16) * 16, 16, 16, Packed(TileColour(code)) | 0xFF);
        // Tile 5: the left half clear, the right half half transparent.
        sheet.Fill(5 * 16, 0, 8, 16, 0);
        sheet.Fill(5 * 16 + 8, 0, 8, 16, Packed(TileColour(5)) | 0x80);
        WritePng(root_ + "/data/img/Tiles/Pixel.png", sheet);
        WriteFile(root_ + "/data/Objects/Tiles/Pixel.anim", "16 16 0 0 16 16\n");
        ScopedWorkingDirectory cwd(root_);
        cache_.uploadTextures = true;
        stage_.tileset = cache_.LoadAnimationSet("Tiles\\Pixel");
        ASSERT_NE(stage_.tileset.texture, 0u);

        // Main layer 60 x 40: a few tiles near the top-left corner.
        stage_.mainLayer = Layer(60, 40);
        Set(stage_.mainLayer, 0, 0, 2);
        Set(stage_.mainLayer, 1, 0, 1);  // the start code: never drawn
        Set(stage_.mainLayer, 3, 1, 17);
        Set(stage_.mainLayer, 4, 2, 511);
        Set(stage_.mainLayer, 5, 2, 5);
        stage_.tileMap[std::make_pair(3, 1)] = TileInfo{17, '1'};

        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, stage_.tileset.texture);
    }

    void TearDown() override {
        glDisable(GL_TEXTURE_RECTANGLE_ARB);
        glEnable(GL_TEXTURE_2D);
    }

    static TileLayer Layer(int width, int height) {
        TileLayer layer;
        layer.width = width;
        layer.height = height;
        layer.tilesetWidth = 256;
        layer.tiles.assign(static_cast<size_t>(width) * height, 0);
        return layer;
    }
    static void Set(TileLayer& layer, int column, int row, int code) {
        layer.tiles[row * layer.width + column] = code;
    }

    std::string root_;
    AnimationSetCache cache_;
    StageMap stage_;
};

}  // namespace

TEST_F(TileDrawingGlTest, MainLayerUnderTheCamera) {
    // The projection floors the camera: the view's left-top world pixel is (10, 5).
    glEnable(GL_BLEND);  // tiles are drawn with blending off whatever came before
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawMainLayer(stage_, Vector2(170.5f, 125.75f));
    const Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 6, 11, TileColour(2)));
    EXPECT_TRUE(shot.RegionIs(6, 0, 16, 11, kBlack));  // code 1 and code 0
    EXPECT_TRUE(shot.RegionIs(38, 11, 16, 16, TileColour(17)));
    EXPECT_TRUE(shot.RegionIs(54, 27, 16, 16, TileColour(511)));
    EXPECT_TRUE(shot.RegionIs(70, 27, 8, 16, kBlack));            // alpha 0: cut out
    EXPECT_TRUE(shot.RegionIs(78, 27, 8, 16, TileColour(5), 1));  // alpha 128: full colour
    EXPECT_EQ(shot.At(37, 11), kBlack);
    EXPECT_EQ(shot.At(54, 26), kBlack);
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(TileDrawingGlTest, ParallaxLayers) {
    const Vector2 camera(500.0f, 300.0f);  // view origin (340, 180) on the main layer

    // One screen: fixed to the view.
    TileLayer screen = Layer(20, 15);
    Set(screen, 0, 0, 2);
    Set(screen, 19, 14, 17);
    // Half way across (40 wide: factor 0.5), all the way down (40 high: 1):
    // origin (170, 180).
    TileLayer half = Layer(40, 40);
    Set(half, 12, 13, 33);
    stage_.backgroundLayers = {screen, half};

    // The main layer's size: scrolls with the camera.
    TileLayer front = Layer(60, 40);
    Set(front, 33, 20, 511);
    stage_.foregroundLayers = {front};

    DrawBackgroundLayers(stage_, camera);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 16, 16, TileColour(2)));
    EXPECT_TRUE(shot.RegionIs(304, 224, 16, 16, TileColour(17)));
    EXPECT_TRUE(shot.RegionIs(22, 28, 16, 16, TileColour(33)));  // (192 - 170, 208 - 180)
    EXPECT_EQ(shot.At(188, 140), kBlack);

    DrawForegroundLayers(stage_, camera);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(188, 140, 16, 16, TileColour(511)));  // (528 - 340, 320 - 180)
    EXPECT_TRUE(shot.RegionIs(0, 0, 16, 16, TileColour(2)));
}

TEST_F(TileDrawingGlTest, DebugViewsFromTheRectangleTexture) {
    const Vector2 camera(170.5f, 125.75f);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);

    DrawMainLayerDebugDense(stage_, camera);
    Screenshot shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(0, 0, 6, 11, TileColour(2)));
    EXPECT_TRUE(shot.RegionIs(6, 0, 16, 11, kBlack));
    EXPECT_TRUE(shot.RegionIs(38, 11, 16, 16, TileColour(17)));
    EXPECT_TRUE(shot.RegionIs(54, 27, 16, 16, TileColour(511)));
    EXPECT_TRUE(shot.RegionIs(70, 27, 8, 16, kBlack));  // no alpha test, no blending: clear is black
    EXPECT_TRUE(shot.RegionIs(78, 27, 8, 16, TileColour(5), 1));

    // Sparse: only the cells that collide.
    glClear(GL_COLOR_BUFFER_BIT);
    DrawMainLayerDebugSparse(stage_, camera);
    shot = Screenshot::Back();
    EXPECT_TRUE(shot.RegionIs(38, 11, 16, 16, TileColour(17)));
    EXPECT_TRUE(shot.RegionIs(0, 0, 6, 11, kBlack));
    EXPECT_TRUE(shot.RegionIs(54, 27, 32, 16, kBlack));
}
