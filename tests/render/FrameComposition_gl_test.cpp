// Whole frames: the order of the lists and layers, the blend states, and
// what the stage flow and the hero's state hide or add.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/Game.h"
#include "render/FrameComposition.h"
#include "render/PaletteShader.h"
#include "render/RenderScene.h"

using scene::kBlack;
using scene::PaletteColour;

namespace {

class FrameTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        root = scene::Write(MakeTempDir("frame"));
        cwd.reset(new ScopedWorkingDirectory(root));
        World& world = game.world;
        world.animationSets.uploadTextures = true;
        shader.Create();
        ASSERT_TRUE(shader.Ready());
        resources.paletteTexture = world.LoadAnimationSet("Palette").texture;
        resources.bluePaletteTexture = world.LoadAnimationSet("BluePalette").texture;
        resources.healthTexture = world.LoadAnimationSet("Health").texture;
        resources.shader = &shader;

        // One screen of stage: tile 2 in the top-left cell of the main layer,
        // tile 3 in the top-right cell of a foreground layer.
        StageMap& stage = world.stage;
        stage.tileset = world.LoadAnimationSet("Tiles\\Test");
        TileLayer& layer = stage.mainLayer;
        layer.width = 20;
        layer.height = 15;
        layer.tilesetWidth = 256;
        layer.tiles.assign(300, 0);
        layer.tiles[0] = 2;
        TileLayer front = stage.mainLayer;
        front.tiles.assign(300, 0);
        front.tiles[19] = 3;
        stage.foregroundLayers.push_back(front);
        game.camera = Vector2(160, 120);  // world pixels are screen pixels

        hero = Place("Player", "Test\\Solid", 200, 200, 9);
        game.hero = hero;
        hero->health = 20;
        game.player.shownHealth = 20;
    }

    GameObject* Place(const std::string& category, const std::string& set, float x, float y,
                      int paletteRow) {
        ObjectList& list = game.world.List(category);
        list.push_back(GameObject(Vector2(x, y), game.world.LoadAnimationSet(set)));
        list.back().anim.SetPaletteRow(paletteRow);
        return &list.back();
    }

    Screenshot Compose() {
        ComposeFrame(game, resources);
        return Screenshot::Back();
    }

    std::string root;
    std::unique_ptr<ScopedWorkingDirectory> cwd;
    Game game;
    PaletteShader shader;
    DrawResources resources;
    GameObject* hero = nullptr;
};

const Rgb kRed{198, 33, 16};
const Rgb kGreen{8, 214, 66};

}  // namespace

TEST_F(FrameTest, ListsAndLayersDrawInTheirOrder) {
    // A staircase of 8-pixel sprites one pixel apart: pixel 100 + k shows
    // sprite k only if k is drawn after every sprite left of it.
    const char* const order[] = {"Enemies", "PlayerFXBack", "Items",         "Player",
                                 "EnemyFX", "EnemyWeapons", "PlayerWeapons", "PlayerFX"};
    for (int k = 0; k < 8; ++k) {
        GameObject* o = Place(order[k], "Test\\Solid", 100.0f + k, 100, k + 1);
        if (k == 3) {
            hero->position = o->position;  // the hero is the "Player" step
            hero->anim.SetPaletteRow(k + 1);
            game.world.List("Player").pop_back();
        }
    }
    Place("Misc", "Test\\Solid", 200, 50, 1);
    Place("Bogus", "Test\\Solid", 220, 50, 1);
    Place("Enemies", "Test\\Solid", 8, 4, 12);     // over the main layer
    Place("PlayerFX", "Test\\Solid", 300, 4, 13);  // under the foreground layer

    Screenshot shot = Compose();
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(shot.RegionIs(100 + k, 100, 1, 8, PaletteColour(k + 1, 1))) << order[k];
    EXPECT_TRUE(shot.RegionIs(108, 100, 7, 8, PaletteColour(8, 1)));
    EXPECT_TRUE(shot.RegionIs(200, 50, 30, 8, kBlack));  // "Misc" and unknown lists

    EXPECT_TRUE(shot.RegionIs(0, 0, 8, 16, scene::kTileTwo));
    EXPECT_TRUE(shot.RegionIs(8, 4, 8, 8, PaletteColour(12, 1)));
    EXPECT_TRUE(shot.RegionIs(8, 12, 8, 4, scene::kTileTwo));
    EXPECT_TRUE(shot.RegionIs(300, 4, 4, 8, PaletteColour(13, 1)));
    EXPECT_TRUE(shot.RegionIs(304, 0, 16, 16, scene::kTileThree));

    // The gauge in screen coordinates, after everything else.
    EXPECT_TRUE(shot.RegionIs(15, 46, 9, 64, scene::kGaugeFrame));
    EXPECT_TRUE(shot.RegionIs(24, 60, 5, 20, kGreen));
}

TEST_F(FrameTest, AfterImagesAddTheBluePaletteThenDrawingReturnsToNormal) {
    Place("Enemies", "Test\\Solid", 40, 150, 1);
    Place("PlayerBGFX", "Test\\Block", 40, 150, 4);
    Place("Items", "Test\\Solid", 44, 150, 2);
    Screenshot shot = Compose();
    const Rgb enemy = PaletteColour(1, 1);
    const Rgb blue = scene::BlueColour(4, 1);
    EXPECT_TRUE(
        shot.RegionIs(40, 150, 4, 7, Rgb{enemy.r + blue.r, enemy.g + blue.g, enemy.b + blue.b}));
    EXPECT_TRUE(shot.RegionIs(40, 157, 4, 1, enemy));  // the clear row adds nothing
    EXPECT_TRUE(shot.RegionIs(44, 150, 8, 8, PaletteColour(2, 1)));
}

TEST_F(FrameTest, TheHeroVanishesAfterHurtTimer108AndTheSwapShowsTheFrame) {
    hero->hurtTimer = 108;
    EXPECT_TRUE(Compose().RegionIs(200, 200, 8, 8, PaletteColour(9, 1)));
    hero->hurtTimer = 109;
    Screenshot shot = Compose();
    EXPECT_TRUE(shot.RegionIs(200, 200, 8, 8, kBlack));
    EXPECT_TRUE(shot.RegionIs(24, 60, 5, 20, kGreen));  // the gauge stays

    hero->hurtTimer = 0;
    DrawFrame(game, resources);
    shot = Screenshot::Window();
    EXPECT_TRUE(shot.RegionIs(200, 200, 8, 8, PaletteColour(9, 1)));
    EXPECT_TRUE(shot.RegionIs(0, 0, 16, 16, scene::kTileTwo));
    resources.shader = nullptr;  // without a shader sprites draw as stored
    EXPECT_TRUE(Compose().RegionIs(200, 200, 8, 8, Rgb{16, 0, 0}));
}

TEST_F(FrameTest, TheOpeningHidesTheGaugeAndShowsTheWipe) {
    game.player.shownHealth = 24;
    Place("PlayerFX", "Test\\Plain", 150, 60, -1);
    struct Case {
        int phase;
        int timer;
        bool gauge;
        bool wipe;
    };
    const Case cases[] = {{0, 80, true, false},  {1, 50, false, false}, {1, 72, false, false},
                          {1, 73, false, true},  {1, 87, false, true},  {1, 88, false, false},
                          {2, 80, false, false}, {3, 80, true, false}};
    for (const Case& c : cases) {
        game.flow.phase = c.phase;
        game.flow.phaseTimer = c.timer;
        Screenshot shot = Compose();
        SCOPED_TRACE(testing::Message() << "phase " << c.phase << " timer " << c.timer);
        EXPECT_EQ(shot.RegionIs(24, 56, 5, 4, kRed), c.gauge);
        EXPECT_EQ(shot.RegionIs(15, 46, 9, 64, scene::kGaugeFrame), c.gauge);
        if (!c.gauge) {
            EXPECT_TRUE(shot.RegionIs(15, 46, 64, 50, kBlack));
        }
        // Progress 15 colours the view's edges, progress 225 its middle.
        const bool wiped = shot.At(80, 0) != kBlack || shot.At(80, 110) != kBlack;
        EXPECT_EQ(wiped, c.wipe);
        // Unshaded effects after the wipe are still textured.
        EXPECT_TRUE(shot.RegionIs(150, 60, 4, 7, scene::kPlainLeft));
        EXPECT_TRUE(shot.RegionIs(154, 60, 4, 7, scene::kPlainRight));
    }
}

TEST_F(FrameTest, TheFadeCoversEverything) {
    game.fade.level = 0.5f;
    Screenshot shot = Compose();
    const Rgb hero9 = PaletteColour(9, 1);
    EXPECT_TRUE(shot.RegionIs(200, 200, 8, 8, Rgb{hero9.r / 2, hero9.g / 2, hero9.b / 2}, 1));
    EXPECT_TRUE(shot.RegionIs(24, 60, 5, 20, Rgb{4, 107, 33}, 1));
    EXPECT_TRUE(shot.RegionIs(0, 0, 16, 16, Rgb{0, 45, 90}, 1));
    game.fade.level = 1.0f;
    EXPECT_TRUE(Compose().RegionIs(0, 0, 320, 240, kBlack));
}

TEST_F(FrameTest, DebugViewShowsTheMainLayerAlone) {
    Place("Enemies", "Test\\Solid", 4, 4, 1);
    game.fade.level = 1.0f;
    game.videoMode = 1;
    Screenshot shot = Compose();
    EXPECT_TRUE(shot.RegionIs(0, 0, 16, 16, scene::kTileTwo));  // no enemy, no fade
    EXPECT_TRUE(shot.RegionIs(16, 0, 304, 240, kBlack));        // no hero, gauge, foreground
    game.tileMode = 2;  // sparse: only colliding cells, and this stage has none
    EXPECT_TRUE(Compose().RegionIs(0, 0, 320, 240, kBlack));

    game.videoMode = 2;  // back to the full drawing on the next frame
    game.fade.level = 0;
    shot = Compose();
    EXPECT_TRUE(shot.RegionIs(4, 4, 8, 8, PaletteColour(1, 1)));
    EXPECT_TRUE(shot.RegionIs(304, 0, 16, 16, scene::kTileThree));
}
