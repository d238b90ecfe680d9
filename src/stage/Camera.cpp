#include "stage/Camera.h"

#include <algorithm>

#include "core/View.h"
#include "core/StepLimit.h"
#include "core/WorldPixels.h"

namespace {

constexpr float kFollowSpeed = 8.0f;
constexpr float kZoneEdgeSpeed = 2.0f;
constexpr int kZoneLiftStep = 2;
constexpr float kLockedZoneMargin = 32.0f;

bool Has(const CameraZone& zone, int flag) { return (zone.flags & flag) != 0; }

float F(int v) { return static_cast<float>(v); }

}  // namespace

int FindCameraZone(const TileLayer& mainLayer, const Vector2& hero, const CameraZone* previousZone) {
    const float hx = hero.x;
    const float hy = hero.y;
    const float m = previousZone && Has(*previousZone, kZoneLockBand) ? kLockedZoneMargin : 0.0f;
    for (size_t i = 0; i < mainLayer.zones.size(); ++i) {
        const CameraZone& z = mainLayer.zones[i];
        if (!(F(z.top) <= hy + 48.0f && F(z.bottom) >= hy + 72.0f)) continue;
        if (Has(z, kZoneLockBand)) {
            if (F(z.left) <= hx + 8.0f && F(z.right) >= hx + 72.0f) return static_cast<int>(i);
        } else {
            if (F(z.left) <= hx + 40.0f + m && F(z.right) >= hx + 40.0f - m) return static_cast<int>(i);
        }
    }
    return -1;
}

void UpdateCamera(const StageMap& stage, const Vector2& hero, Vector2& camera, CameraState& state) {
    const float cx = camera.x;
    const float cy = camera.y;
    const float hx = hero.x;
    const float hy = hero.y;

    const std::vector<CameraZone>& zones = stage.mainLayer.zones;
    if (state.stage != stage.serial) {
        state.stage = stage.serial;
        state.zone = -1;
    }
    const CameraZone* previous = state.zone >= 0 ? &zones[state.zone] : nullptr;
    const int found = FindCameraZone(stage.mainLayer, hero, previous);
    if (found >= 0) state.zone = found;
    const CameraZone* zone = state.zone >= 0 ? &zones[state.zone] : nullptr;

    // Horizontal: follow the hero, then the zone's side edges.
    const float tx = hx + 40.0f;
    int nx;
    if (cx < tx)
        nx = TruncToInt(std::min(tx, cx + kFollowSpeed));
    else if (cx > tx)
        nx = TruncToInt(std::max(tx, cx - kFollowSpeed));
    else
        nx = TruncToInt(cx);
    if (zone) {
        if (F(nx - kViewHalfWidth) < F(zone->left) && Has(*zone, kZoneLeftEdge))
            nx = std::max(nx, TruncToInt(std::min(F(zone->left) + F(kViewHalfWidth), cx + kZoneEdgeSpeed)));
        else if (F(zone->right) < F(nx + kViewHalfWidth) && Has(*zone, kZoneRightEdge))
            nx = std::min(nx, TruncToInt(std::max(F(zone->right) - F(kViewHalfWidth), cx - kZoneEdgeSpeed)));
    }
    camera.x = F(nx);

    // The band widens outside 0x01 zones and narrows inside them.
    if (zone) {
        if (Has(*zone, kZoneLockBand) && state.zoneLift >= 1)
            state.zoneLift -= kZoneLiftStep;
        else if (!Has(*zone, kZoneLockBand) && state.zoneLift < kMaxZoneLift)
            state.zoneLift += kZoneLiftStep;
    }

    // Vertical: still while the centre is inside the band, then the zone's
    // top and bottom edges.
    const float bandTop = hy + 25.0f - F(state.zoneLift);
    const float bandBottom = hy + 25.0f + 48.0f + F(state.zoneLift);
    int ny;
    if (bandTop <= cy) {
        if (bandBottom < cy)
            ny = TruncToInt(std::max(bandBottom, cy - kFollowSpeed));
        else
            ny = TruncToInt(cy);
    } else {
        ny = TruncToInt(std::min(bandTop, cy + kFollowSpeed));
    }
    if (zone) {
        if (F(ny - kViewHalfHeight) < F(zone->top) && Has(*zone, kZoneTopEdge))
            ny = std::max(ny, TruncToInt(std::min(F(zone->top) + F(kViewHalfHeight), cy + kZoneEdgeSpeed)));
        else if (F(zone->bottom) < F(ny + kViewHalfHeight) && Has(*zone, kZoneBottomEdge))
            ny = std::min(ny, TruncToInt(std::max(F(zone->bottom) - F(kViewHalfHeight), cy - kZoneEdgeSpeed)));
    }
    camera.y = F(ny);

    // The stage clamp, in this order: for a stage narrower than the view the
    // right edge wins, for one lower than the view the top edge.
    const float stageWidth = F(stage.mainLayer.width) * 16.0f;
    const float stageHeight = F(stage.mainLayer.height) * 16.0f;
    const float halfWidth = F(kViewHalfWidth);
    const float halfHeight = F(kViewHalfHeight);
    if (camera.x < halfWidth) camera.x = halfWidth;
    if (camera.x > stageWidth - halfWidth) camera.x = stageWidth - halfWidth;
    if (camera.y > stageHeight - halfHeight) camera.y = stageHeight - halfHeight;
    if (camera.y < halfHeight) camera.y = halfHeight;
}

void SettleCamera(const StageMap& stage, const Vector2& hero, Vector2& camera,
                  CameraState& settleState) {
    camera = hero - Vector2(F(kViewHalfWidth), F(kViewHalfHeight));
    StepLimit steps("The camera did not settle");
    while (steps.Next()) {
        const Vector2 before = camera;
        UpdateCamera(stage, hero, camera, settleState);
        if (camera == before) break;
    }
}
