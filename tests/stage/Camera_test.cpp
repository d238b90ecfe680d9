// The camera: per row a stage, its zones, the hero, the camera and its zone
// state, then a number of camera steps (0: the stage-begin settle) and what
// they leave.
#include <gtest/gtest.h>

#include "render/TileDrawing.h"
#include "support/TestWorld.h"

namespace {

CameraZone Z(int flags, int left, int top, int right, int bottom) { return CameraZone{left, right, top, bottom, flags}; }

const CameraZone kPlain = Z(0, 0, 0, 3200, 1600);
const CameraZone kBand = Z(kZoneLockBand, 0, 0, 3200, 1600);
const CameraZone kNarrow = Z(0, 1000, 100, 2000, 172);
const CameraZone kLockedFar = Z(kZoneLockBand, 0, 5000, 1000, 6000);
const CameraZone kLockedMiddle = Z(kZoneLockBand, 1000, 0, 2000, 1000);
constexpr int kAny = -9;  // not checked

struct Row {
    const char* name;
    std::vector<CameraZone> zones;
    int width, height;  // the stage in tiles
    float hx, hy, cx, cy;
    int previous, lift, steps;  // zone index (-1 none) and band widening before
    float x, y;          // kAny: not checked
    int outLift, zone;  // after; zone -1: none
    const char* message;
};

// clang-format off
const Row kRows[] = {
    {"follows left 8 a frame", {}, 200, 100, 100, 500, 300, 530, -1, 0, 1, 292, 530, 0, -1, ""},
    {"stops at the left clamp", {}, 200, 100, 100, 500, 300, 530, -1, 0, 18, 160, 530, 0, -1, ""},
    {"follows right", {}, 200, 100, 1000.5f, 500, 1030, 530, -1, 0, 1, 1038, 530, 0, -1, ""},
    {"whole numbers", {}, 200, 100, 1000.5f, 500, 1030, 530, -1, 0, 2, 1040, 530, 0, -1, ""},
    // Without a zone the band stays narrow: still from hy + 25 to hy + 73.
    {"above the band", {}, 200, 100, 1000, 500, 1040, 524, -1, 0, 1, 1040, 525, 0, -1, ""},
    {"below the band", {}, 200, 100, 1000, 500, 1040, 574, -1, 0, 1, 1040, 573, 0, -1, ""},
    {"far above", {}, 200, 100, 1000, 500, 1040, 300, -1, 0, 1, 1040, 308, 0, -1, ""},
    {"far below", {}, 200, 100, 1000, 500, 1040, 800, -1, 0, 1, 1040, 792, 0, -1, ""},
    // In a plain zone at full width: still from hy - 23 to hy + 121.
    {"above the wide band", {kPlain}, 200, 100, 1000, 500, 1040, 476, -1, 48, 1, 1040, 477, 48, 0, ""},
    {"below the wide band", {kPlain}, 200, 100, 1000, 500, 1040, 622, -1, 48, 1, 1040, 621, 48, 0, ""},
    {"band grows 2", {kPlain}, 200, 100, 1000, 500, 1040, 530, -1, 0, 1, kAny, kAny, 2, 0, ""},
    {"band grows to 48", {kPlain}, 200, 100, 1000, 500, 1040, 530, -1, 0, 25, kAny, kAny, 48, 0, ""},
    {"band narrows 2", {kBand}, 200, 100, 1000, 500, 1040, 530, -1, 48, 1, kAny, kAny, 46, 0, ""},
    // Zone edges push the view inside them 2 pixels a frame.
    {"left edge", {Z(kZoneLeftEdge, 200, 0, 3200, 1600)}, 200, 100, 200, 500, 240, 530, -1, 0, 1, 242, 530, 2, 0, ""},
    {"left edge reached", {Z(kZoneLeftEdge, 200, 0, 3200, 1600)}, 200, 100, 200, 500, 240, 530, -1, 0, 100, 360, 530, 48, 0, ""},
    {"right edge", {Z(kZoneRightEdge, 0, 0, 1000, 1600)}, 200, 100, 900, 500, 940, 530, -1, 0, 1, 938, 530, 2, 0, ""},
    {"right edge reached", {Z(kZoneRightEdge, 0, 0, 1000, 1600)}, 200, 100, 900, 500, 940, 530, -1, 0, 100, 840, 530, 48, 0, ""},
    {"top edge", {Z(kZoneTopEdge, 0, 400, 3200, 1600)}, 200, 100, 1000, 400, 1040, 440, -1, 0, 1, 1040, 442, 2, 0, ""},
    {"top edge reached", {Z(kZoneTopEdge, 0, 400, 3200, 1600)}, 200, 100, 1000, 400, 1040, 440, -1, 0, 100, 1040, 520, 48, 0, ""},
    {"bottom edge", {Z(kZoneBottomEdge, 0, 0, 3200, 800)}, 200, 100, 1000, 700, 1040, 760, -1, 0, 1, 1040, 758, 2, 0, ""},
    {"bottom edge reached", {Z(kZoneBottomEdge, 0, 0, 3200, 800)}, 200, 100, 1000, 700, 1040, 760, -1, 0, 100, 1040, 680, 48, 0, ""},
    // Edges without their flag hold nothing.
    {"no left or top flag", {Z(0, 200, 400, 3200, 1600)}, 200, 100, 200, 400, 240, 440, -1, 0, 1, 240, 440, 2, 0, ""},
    {"no right or bottom flag", {Z(0, 0, 0, 1000, 800)}, 200, 100, 900, 700, 940, 760, -1, 0, 1, 940, 760, 2, 0, ""},
    // Zone choice: the hero's centre (hx + 40) between the sides, rows hy + 48
    // to hy + 72 inside; 32 pixels of margin after a band-locked zone, which
    // itself wants the whole width (hx + 8 to hx + 72). Out of every zone
    // the camera keeps the one it had.
    {"in the zone", {kNarrow, kLockedFar}, 200, 100, 960, 52, 1000, 500, -1, 0, 1, kAny, kAny, kAny, 0, ""},
    {"left of it", {kNarrow, kLockedFar}, 200, 100, 959, 100, 1000, 500, -1, 0, 1, kAny, kAny, kAny, -1, ""},
    {"above it", {kNarrow, kLockedFar}, 200, 100, 960, 51, 1000, 500, -1, 0, 1, kAny, kAny, kAny, -1, ""},
    {"below it", {kNarrow, kLockedFar}, 200, 100, 960, 100.5f, 1000, 500, -1, 0, 1, kAny, kAny, kAny, -1, ""},
    {"early after a locked zone", {kNarrow, kLockedFar}, 200, 100, 928, 100, 1000, 500, 1, 0, 1, kAny, kAny, kAny, 0, ""},
    {"not earlier", {kNarrow, kLockedFar}, 200, 100, 927, 100, 1000, 500, 1, 0, 1, kAny, kAny, kAny, 1, ""},
    {"late after a locked zone", {kNarrow, kLockedFar}, 200, 100, 1992, 100, 1000, 500, 1, 0, 1, kAny, kAny, kAny, 0, ""},
    {"not later", {kNarrow, kLockedFar}, 200, 100, 1993, 100, 1000, 500, 1, 0, 1, kAny, kAny, kAny, 1, ""},
    {"locked: left edge in", {kLockedMiddle, kPlain}, 200, 100, 992, 100, 1000, 500, 0, 0, 1, kAny, kAny, kAny, 0, ""},
    {"locked: left edge out", {kLockedMiddle, kPlain}, 200, 100, 991, 100, 1000, 500, 0, 0, 1, kAny, kAny, kAny, 1, ""},
    {"locked: right edge in", {kLockedMiddle, kPlain}, 200, 100, 1928, 100, 1000, 500, -1, 0, 1, kAny, kAny, kAny, 0, ""},
    {"locked: right edge out", {kLockedMiddle, kPlain}, 200, 100, 1929, 100, 1000, 500, -1, 0, 1, kAny, kAny, kAny, 1, ""},
    // The stage clamp, in order: a narrow stage takes the right edge, a low
    // one the top edge.
    {"clamp top-left", {}, 40, 30, -500, -500, -460, -450, -1, 0, 1, 160, 120, 0, -1, ""},
    {"clamp bottom-right", {}, 40, 30, 5000, 5000, 5040, 5050, -1, 0, 1, 480, 360, 0, -1, ""},
    {"small stage", {}, 10, 10, 0, 0, 40, 50, -1, 0, 1, 0, 120, 0, -1, ""},
    // The settle starts at hero - (160, 120) and keeps its own zone state.
    {"settle", {kPlain}, 200, 100, 1000, 500, 0, 0, -1, 10, 0, 1040, 495, 48, 0, ""},
    {"settle caught between zones", {Z(kZoneRightEdge, -1000, 0, 1030, 1600), Z(kZoneLockBand | kZoneLeftEdge, 1000, 0, 2000, 1600)},
     200, 100, 1000, 500, 0, 0, -1, 0, 0, 1038, kAny, kAny, kAny, "The camera did not settle after 10000 steps\n"},
};
// clang-format on

}  // namespace

class CameraTest : public TestWorld {};

TEST_F(CameraTest, Rows) {
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.name);
        EmptyStage(r.width, r.height);
        StageMap& stage = world().stage;
        stage.mainLayer.zones = r.zones;
        const Vector2 hero(r.hx, r.hy);
        world().camera = Vector2(r.cx, r.cy);
        CameraState& state = r.steps ? game().cameraState : game().flow.settleCamera;
        game().cameraState = game().flow.settleCamera = CameraState();
        game().cameraState.zone = r.previous, game().cameraState.stage = stage.serial;
        game().cameraState.zoneLift = r.lift;
        testing::internal::CaptureStdout();
        if (r.steps == 0) SettleCamera(stage, hero, world().camera, state);
        for (int i = 0; i < r.steps; ++i) UpdateCamera(stage, hero, world().camera, state);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), r.message);
        EXPECT_EQ(world().camera.x, r.x == kAny ? world().camera.x : r.x);
        EXPECT_EQ(world().camera.y, r.y == kAny ? world().camera.y : r.y);
        EXPECT_EQ(state.zoneLift, r.outLift == kAny ? state.zoneLift : r.outLift);
        EXPECT_EQ(state.zone, r.zone == kAny ? state.zone : r.zone);
        if (r.steps == 0) {  // the per-frame state is not the settle's
            EXPECT_EQ(game().cameraState.zoneLift, r.lift);
            EXPECT_EQ(game().cameraState.zone, -1);
        }
    }
}

// The cells a view from its top-left world pixel shows: at most 21 x 16,
// always inside the layer; a layer without cells shows none.
TEST_F(CameraTest, VisibleCells) {
    EmptyStage(100, 50);
    const struct { int x, y; const char* range; } rows[] = {
        {0, 0, "0-15 0-20"}, {8, 8, "0-15 0-20"}, {24, 40, "2-17 1-21"}, {-5, -5, "0-14 0-19"}, {-40, 40, "2-17 0-17"},
        {1500, 700, "43-49 93-99"}, {5000, 5000, "49-49 99-99"}};
    auto range = [](const TileRange& t) {
        return std::to_string(t.firstRow) + "-" + std::to_string(t.lastRow) + " " + std::to_string(t.firstColumn) + "-" +
               std::to_string(t.lastColumn);
    };
    for (const auto& r : rows) EXPECT_EQ(range(VisibleTiles(world().stage.mainLayer, r.x, r.y)), r.range) << r.x << ", " << r.y;
    EXPECT_EQ(range(VisibleTiles(TileLayer(), 0, 0)), "0--1 0--1");
    const TileLayer& layer = world().stage.mainLayer;  // cells clamp into the layer both ways
    EXPECT_EQ(layer.ClampedIndex(-1, -1), 0);
    EXPECT_EQ(layer.ClampedIndex(layer.width, layer.height), layer.width * layer.height - 1);
    int column = -1, row = -1;  // a sheet one tile wide still has cells
    EXPECT_TRUE(TileSheetCell(17, 16, column, row) && column == 0 && row == 17 && !TileSheetCell(17, 15, column, row));
}
