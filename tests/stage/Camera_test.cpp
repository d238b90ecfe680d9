// The camera step, its zones and the settle, on stages built in memory.
#include <gtest/gtest.h>

#include <vector>

#include "app/Game.h"
#include "stage/Camera.h"
#include "stage/StepLimit.h"

namespace {

CameraZone Zone(int flags, int left, int top, int right, int bottom) {
    CameraZone z;
    z.left = left;
    z.top = top;
    z.right = right;
    z.bottom = bottom;
    z.flags = flags;
    return z;
}

}  // namespace

class CameraTest : public testing::Test {
protected:
    CameraTest() { Stage(200, 100); }

    void Stage(int width, int height) {
        stage().mainLayer = TileLayer();
        stage().mainLayer.width = width;
        stage().mainLayer.height = height;
        stage().mainLayer.tiles.assign(static_cast<size_t>(width) * height, 0);
    }
    void Zones(const std::vector<CameraZone>& zones) { stage().mainLayer.zones = zones; }

    StageMap& stage() { return game.world.stage; }
    void Step() { UpdateCamera(stage(), hero, game.camera, game.cameraState); }

    Game game;
    GameObject hero;
};

TEST_F(CameraTest, FollowsAtEightPixelsAFrame) {
    hero.position = Vector2(100.0f, 500.0f);
    game.camera = Vector2(300.0f, 530.0f);  // inside the band 525 ... 573
    const float xs[] = {292, 284, 276, 268, 260, 252, 244, 236, 228, 220,
                        212, 204, 196, 188, 180, 172, 164, 160, 160};
    for (float x : xs) {
        Step();
        EXPECT_EQ(game.camera.x, x);  // the target 140 lies left of the clamp
        EXPECT_EQ(game.camera.y, 530.0f);
    }

    // Right, and onto a fractional target: whole numbers every step.
    hero.position = Vector2(1000.5f, 500.0f);
    game.camera = Vector2(1030.0f, 530.0f);
    Step();
    EXPECT_EQ(game.camera.x, 1038.0f);
    Step();
    EXPECT_EQ(game.camera.x, 1040.0f);  // trunc(1040.5)
    Step();
    EXPECT_EQ(game.camera.x, 1040.0f);
}

TEST_F(CameraTest, DeadBandWidensOutsideLockedZones) {
    hero.position = Vector2(1000.0f, 500.0f);
    struct Case {
        float startY, endY;
    };
    // Without a zone the band stays narrow: still from hy + 25 to hy + 73.
    const Case narrow[] = {{525, 525}, {573, 573}, {524, 525}, {574, 573}, {300, 308}, {800, 792}};
    for (const Case& c : narrow) {
        game.camera = Vector2(1040.0f, c.startY);
        game.cameraState.zoneLift = 0;
        Step();
        EXPECT_EQ(game.camera.y, c.endY) << c.startY;
        EXPECT_EQ(game.cameraState.zoneLift, 0);
    }

    // In an ordinary zone at full width: still from hy - 23 to hy + 121.
    Zones({Zone(0, 0, 0, 3200, 1600)});
    const Case wide[] = {{477, 477}, {621, 621}, {476, 477}, {622, 621}};
    for (const Case& c : wide) {
        game.camera = Vector2(1040.0f, c.startY);
        game.cameraState.zoneLift = 48;
        Step();
        EXPECT_EQ(game.camera.y, c.endY) << c.startY;
        EXPECT_EQ(game.cameraState.zoneLift, 48);
    }

    // The band grows 2 a frame in an ordinary zone and shrinks in a 0x01 one.
    game.cameraState.zoneLift = 0;
    for (int lift = 2; lift <= 48; lift += 2) {
        Step();
        EXPECT_EQ(game.cameraState.zoneLift, lift);
    }
    Step();
    EXPECT_EQ(game.cameraState.zoneLift, 48);
    Zones({Zone(kZoneLockBand, 0, 0, 3200, 1600)});
    game.cameraState.currentZone = nullptr;
    for (int lift = 46; lift >= 0; lift -= 2) {
        Step();
        EXPECT_EQ(game.cameraState.zoneLift, lift);
    }
    Step();
    EXPECT_EQ(game.cameraState.zoneLift, 0);
}

TEST_F(CameraTest, ZoneEdgesCreepTwoPixelsAFrame) {
    // Each edge moves the view's side in until the centre is half a view inside.
    struct Case {
        CameraZone zone;
        Vector2 hero, camera;
        float step, end;
        bool vertical;
    };
    const Case cases[] = {
        {Zone(kZoneLeftEdge, 200, 0, 3200, 1600), {200, 500}, {240, 530}, 2.0f, 360.0f, false},
        {Zone(kZoneRightEdge, 0, 0, 1000, 1600), {900, 500}, {940, 530}, -2.0f, 840.0f, false},
        {Zone(kZoneTopEdge, 0, 400, 3200, 1600), {1000, 400}, {1040, 440}, 2.0f, 520.0f, true},
        {Zone(kZoneBottomEdge, 0, 0, 3200, 800), {1000, 700}, {1040, 760}, -2.0f, 680.0f, true},
    };
    for (const Case& c : cases) {
        Zones({c.zone});
        game.cameraState = CameraState();
        hero.position = c.hero;
        game.camera = c.camera;
        float expected = c.vertical ? c.camera.y : c.camera.x;
        while (expected != c.end) {
            expected += c.step;
            Step();
            ASSERT_EQ(c.vertical ? game.camera.y : game.camera.x, expected) << c.zone.flags;
        }
        Step();
        Step();
        EXPECT_EQ(c.vertical ? game.camera.y : game.camera.x, c.end) << c.zone.flags;
    }
}

TEST_F(CameraTest, ZoneChoiceAndItsMargins) {
    const CameraZone locked = Zone(kZoneLockBand, 0, 0, 1000, 1000);
    const CameraZone none;
    TileLayer layer;
    layer.zones = {Zone(0, 1000, 100, 2000, 172)};
    const CameraZone& plain = layer.zones[0];

    struct Case {
        float hx, hy;
        const CameraZone* previous;
        bool found;
    };
    const Case cases[] = {
        {960.0f, 52.0f, nullptr, true},     // left 1000 <= hx + 40, top 100 <= hy + 48, bottom 172 >= hy + 72
        {959.0f, 100.0f, nullptr, false},   // hx + 40 = 999: outside
        {959.0f, 100.0f, &none, false},
        {959.0f, 100.0f, &locked, true},    // leaving a 0x01 zone: 32 pixels early
        {928.0f, 100.0f, &locked, true},
        {927.0f, 100.0f, &locked, false},
        {1992.0f, 100.0f, &locked, true},   // and 32 pixels late on the far side
        {1993.0f, 100.0f, &locked, false},
        {960.0f, 51.0f, nullptr, false},    // top 100 > hy + 48
        {960.0f, 100.5f, nullptr, false},   // bottom 172 < hy + 72
    };
    for (const Case& c : cases) {
        hero.position = Vector2(c.hx, c.hy);
        EXPECT_EQ(FindCameraZone(layer, hero, c.previous), c.found ? &plain : nullptr)
            << c.hx << ", " << c.hy;
    }

    // A 0x01 zone wants the hero's whole width inside, with no margin.
    layer.zones = {Zone(kZoneLockBand, 1000, 0, 2000, 1000), Zone(0, 0, 0, 3000, 1000)};
    hero.position = Vector2(992.0f, 100.0f);  // left 1000 <= hx + 8
    EXPECT_EQ(FindCameraZone(layer, hero, &locked), &layer.zones[0]);
    hero.position = Vector2(991.0f, 100.0f);
    EXPECT_EQ(FindCameraZone(layer, hero, &locked), &layer.zones[1]);
    hero.position = Vector2(1928.0f, 100.0f);  // right 2000 >= hx + 72
    EXPECT_EQ(FindCameraZone(layer, hero, nullptr), &layer.zones[0]);
    hero.position = Vector2(1929.0f, 100.0f);
    EXPECT_EQ(FindCameraZone(layer, hero, nullptr), &layer.zones[1]);

    // Out of every zone, the step keeps the zone it had.
    Zones({Zone(kZoneLeftEdge, 1000, 0, 2000, 1000)});
    hero.position = Vector2(1500.0f, 500.0f);
    Step();
    EXPECT_EQ(game.cameraState.currentZone, &stage().mainLayer.zones[0]);
    hero.position = Vector2(2500.0f, 500.0f);
    Step();
    EXPECT_EQ(game.cameraState.currentZone, &stage().mainLayer.zones[0]);
}

TEST_F(CameraTest, ClampedToTheStageInOrder) {
    Stage(40, 30);  // 640 x 480
    struct Case {
        float hx, hy, x, y;
    };
    const Case cases[] = {
        {-500.0f, -500.0f, 160.0f, 120.0f},
        {5000.0f, 5000.0f, 480.0f, 360.0f},
    };
    for (const Case& c : cases) {
        hero.position = Vector2(c.hx, c.hy);
        game.camera = Vector2(c.hx + 40.0f, c.hy + 50.0f);
        Step();
        EXPECT_EQ(game.camera, Vector2(c.x, c.y));
    }

    // Narrower than the view: the right clamp wins; lower: the top clamp.
    Stage(10, 10);
    hero.position = Vector2(0.0f, 0.0f);
    game.camera = Vector2(40.0f, 50.0f);
    Step();
    EXPECT_EQ(game.camera, Vector2(0.0f, 120.0f));
}

TEST_F(CameraTest, SettleKeepsItsOwnZoneState) {
    Zones({Zone(0, 0, 0, 3200, 1600)});
    hero.position = Vector2(1000.0f, 500.0f);
    game.cameraState.zoneLift = 10;
    SettleCamera(stage(), hero, game.camera, game.flow.settleCamera);
    // From (840, 380): x follows 8 a step to 1040. y rises 8 a step to meet
    // the band's top (525 - 2 a step as the band widens) at step 15, 495,
    // and stays there inside the widening band.
    EXPECT_EQ(game.camera, Vector2(1040.0f, 495.0f));
    EXPECT_EQ(game.flow.settleCamera.currentZone, &stage().mainLayer.zones[0]);
    EXPECT_EQ(game.flow.settleCamera.zoneLift, 48);
    EXPECT_EQ(game.cameraState.currentZone, nullptr);
    EXPECT_EQ(game.cameraState.zoneLift, 10);
}

TEST_F(CameraTest, SettleGivesUpOnACameraCaughtBetweenZones) {
    // Leaving the 0x01 zone makes the plain zone match (32 pixels early),
    // which makes the 0x01 zone match again: the two edges push the camera
    // back and forth between 1038 and 1040 for ever.
    Zones({Zone(kZoneRightEdge, -1000, 0, 1030, 1600),
           Zone(kZoneLockBand | kZoneLeftEdge, 1000, 0, 2000, 1600)});
    hero.position = Vector2(1000.0f, 500.0f);
    testing::internal::CaptureStdout();
    SettleCamera(stage(), hero, game.camera, game.flow.settleCamera);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The camera did not settle after 10000 steps\n");
    EXPECT_TRUE(game.camera.x == 1038.0f || game.camera.x == 1040.0f) << game.camera.x;
}

TEST(StepLimitTest, CountsToTheCapAndReportsOnce) {
    StepLimit steps("Nothing landed");
    int runs = 0;
    testing::internal::CaptureStdout();
    while (steps.Next()) ++runs;
    EXPECT_FALSE(steps.Next());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Nothing landed after 10000 steps\n");
    EXPECT_EQ(runs, kStepLimit);
    EXPECT_TRUE(steps.Reached());

    StepLimit early("Unused");
    EXPECT_TRUE(early.Next());
    EXPECT_FALSE(early.Reached());
    EXPECT_EQ(early.Steps(), 1);
}
