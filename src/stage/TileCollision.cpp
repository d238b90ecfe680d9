// Tile collision on the 16-pixel grid. The arithmetic is the game's own and
// is kept exactly: floats are truncated toward zero, ints divide and take
// remainders the C way (toward zero, remainder with the sign of the
// dividend), and a float sum is evaluated in float and converted once. The
// probe row or column of a pixel p is p / 16, so pixels -15 ... 15 all probe
// row (or column) 0.
//
// Probes step 16 pixels across the hit box and are clamped to its far edge:
// the floor probes columns left + 1, +16, ... clamped to right - 1 once they
// reach right; the ceiling clamps only past right; the walls probe rows
// top + 1, +16, ... clamped to bottom - 2.
//
// Slopes (floor only): the right-edge family ('3'..'6' rising to the right,
// '2' / '7' continuing in the row above / below) measures the surface under
// the object's right edge, the left-edge family ('A'..'D', 'Z' / 'E') under
// its left edge. A slope may lift any object; it pulls one down only when it
// is already on the ground or a slope and subject to gravity, so falling
// objects are never sucked onto a slope below them.
#include "stage/TileCollision.h"

#include <cmath>

#include "stage/StageMap.h"
#include "stage/TileStates.h"
#include "core/WorldPixels.h"

namespace {

// The object's hit box, edges held to a sane range (they come from data).
struct HitBox {
    int left, top, right, bottom;
};

HitBox BoxOf(const TileBody& o) {
    return HitBox{HitBoxEdge(o.left), HitBoxEdge(o.top), HitBoxEdge(o.right), HitBoxEdge(o.bottom)};
}

// The collision state at (column, row), or 0 where nothing collides.
char StateAt(const StageMap& stage, int column, int row) {
    const TileInfo* cell = stage.CellAt(column, row);
    return cell ? cell->state : 0;
}

bool IsRightFamily(char s) { return s >= kStateRightAbove && s <= kStateRightBelow; }
bool IsLeftFamily(char s) { return (s >= kStateLeft0 && s <= kStateLeft12) || s == kStateLeftAbove; }

int FeetPixel(const TileBody& o) {
    return TruncToInt(o.position.y + o.velocity.y + static_cast<float>(BoxOf(o).bottom));
}

// The surface candidate of a right-edge slope for a probe in row `row`, or
// false when the cells under the right edge do not carry the slope on.
bool RightSlopeCandidate(const StageMap& stage, const TileBody& o, int row, float& yT) {
    const float x = o.position.x;
    const float y = o.position.y;
    const int right = BoxOf(o).right;
    const int a = FeetPixel(o) % 16;
    const int c = (TruncToInt(static_cast<float>(right) + x - 1.0f) % 16 +
                   TruncToInt(o.velocity.x)) / 4;
    yT = y + o.velocity.y - static_cast<float>(a) + 16.0f - static_cast<float>(c);

    const int column = (TruncToInt(x) + right - 1) / 16;
    const char n = StateAt(stage, column, row);
    switch (n) {
        case kStateRight0:
            if (c < 0) yT += static_cast<float>(c);
            return true;
        case kStateRight4: yT -= 4.0f; return true;
        case kStateRight8: yT -= 8.0f; return true;
        case kStateRight12:
            yT -= 12.0f;
            if (c > 3) yT += static_cast<float>(c - 3);
            return true;
        case kStateRightBelow: yT += 16.0f; return true;
        case kStateRightAbove: {
            const char m = StateAt(stage, column, row - 1);
            if (m == 0) return false;
            if (m == kStateRight0) {
                if (c < 0) yT += static_cast<float>(c);
            } else if (m == kStateRight4) {
                yT -= 4.0f;
            } else if (m == kStateRight8) {
                yT -= 8.0f;
            } else if (m == kStateRight12) {
                yT -= 12.0f;
            }
            yT -= 16.0f;
            return true;
        }
        default: return false;
    }
}

// The mirror image for the left-edge family.
bool LeftSlopeCandidate(const StageMap& stage, const TileBody& o, int row, float& yT) {
    const float x = o.position.x;
    const float y = o.position.y;
    const int left = BoxOf(o).left;
    const int a = FeetPixel(o) % 16;
    const int d = (TruncToInt(static_cast<float>(left) + x + 1.0f) % 16 +
                   TruncToInt(o.velocity.x)) / 4;
    yT = y + o.velocity.y - static_cast<float>(a) + 13.0f + static_cast<float>(d);

    const int column = (TruncToInt(x) + left + 1) / 16;
    const char n = StateAt(stage, column, row);
    switch (n) {
        case kStateLeft0:
            if (d > 3) yT -= static_cast<float>(d - 3);
            return true;
        case kStateLeft4: yT -= 4.0f; return true;
        case kStateLeft8: yT -= 8.0f; return true;
        case kStateLeft12:
            yT -= 12.0f;
            if (d < 0) yT -= static_cast<float>(d);
            return true;
        case kStateLeftBelow: yT += 16.0f; return true;
        case kStateLeftAbove: {
            const char m = StateAt(stage, column, row - 1);
            if (m == 0) return false;
            if (m == kStateLeft0) {
                if (d > 3) yT -= static_cast<float>(d - 3);
            } else if (m == kStateLeft4) {
                yT -= 4.0f;
            } else if (m == kStateLeft8) {
                yT -= 8.0f;
            } else if (m == kStateLeft12) {
                yT -= 12.0f;
            }
            yT -= 16.0f;
            return true;
        }
        default: return false;
    }
}

// The wall probes: rows top + 1, +16, ... clamped to bottom - 2, all in one
// column. True when one of them is solid.
bool WallHit(const StageMap& stage, const TileBody& o, int column) {
    const HitBox box = BoxOf(o);
    for (int py = box.top + 1; py < box.bottom + 14; py += 16) {
        if (py > box.bottom - 2) py = box.bottom - 2;
        const int row = (TruncToInt(o.position.y) + py) / 16;
        if (StateAt(stage, column, row) == kStateSolid) return true;
    }
    return false;
}

}  // namespace

bool CollideFloor(const StageMap& stage, TileBody& o) {
    o.touchedDown = false;
    if (o.velocity.y < 0.0f) {
        o.onSlope = false;
        return false;
    }
    bool landed = false;
    bool leftSlopeSeen = false;
    float slopeY = -1.0f;
    const HitBox box = BoxOf(o);
    const int left = box.left;
    const int right = box.right;

    for (int px = left + 1; px < right + 14; px += 16) {
        if (px >= right) px = right - 1;
        const int row = FeetPixel(o) / 16;
        const int column = (TruncToInt(o.position.x) + px) / 16;
        const char state = StateAt(stage, column, row);
        if (state == 0) continue;

        if (state == kStateSolid) {
            if (o.airborne == 1) o.touchedDown = true;
            const int a = FeetPixel(o) % 16;
            o.position.y = o.position.y - static_cast<float>(a) + o.velocity.y;
            o.velocity.y = 0.0f;
            landed = true;
            o.onSlope = false;
            continue;
        }

        float yT;
        if (state == kStateRightBelow) {
            yT = o.position.y + 16.0f;
        } else if (IsRightFamily(state)) {
            if (!RightSlopeCandidate(stage, o, row, yT)) continue;
        } else if (IsLeftFamily(state)) {
            // One left-edge probe a call, and none once a solid tile was met.
            if (leftSlopeSeen || landed) continue;
            leftSlopeSeen = true;
            if (!LeftSlopeCandidate(stage, o, row, yT)) continue;
        } else {
            continue;
        }

        const float y = o.position.y;
        const bool follows = (o.onSlope || o.airborne == 0) && o.gravity;
        if (!(yT <= y || (yT > y && follows))) continue;
        if (o.airborne == 1) o.touchedDown = true;
        slopeY = yT;
    }

    if (slopeY > 0.0f && (!landed || o.position.y > slopeY)) {
        o.position.y = slopeY;
        landed = true;
        o.onSlope = true;
        o.velocity.y = 0.0f;
    }

    if (landed) {
        o.airborne = 0;
        return true;
    }
    o.airborne = 1;
    o.onSlope = false;
    return false;
}

bool CollideCeiling(const StageMap& stage, TileBody& o) {
    if (!(o.velocity.y < 0.0f)) return false;
    const HitBox box = BoxOf(o);
    const int row = (TruncToInt(o.position.y) + TruncToInt(std::ceil(o.velocity.y)) + box.top) / 16;
    bool hit = false;
    for (int px = box.left + 1; px < box.right + 14; px += 16) {
        if (px > box.right) px = box.right - 1;
        const int column = (TruncToInt(o.position.x) + px) / 16;
        if (StateAt(stage, column, row) == kStateSolid) {
            hit = true;
            break;
        }
    }
    if (!hit) return false;

    const int t = TruncToInt(o.position.y + o.velocity.y);
    o.position.y = static_cast<float>(t - t % 16 + 16 - box.top % 16);
    o.velocity.y = 0.0f;
    o.airborne = 1;
    return true;
}

WallContact CollideRightWall(const StageMap& stage, TileBody& o) {
    const int right = BoxOf(o).right;
    const int column = (TruncToInt(o.position.x) + TruncToInt(o.velocity.x) + right + 1) / 16;
    if (!WallHit(stage, o, column)) return WallContact::None;
    if (!(o.velocity.x > 0.0f)) return WallContact::Beside;
    // Right edge just left of the wall.
    o.position.x = static_cast<float>(column * 16 - right - 1);
    o.velocity.x = 0.0f;
    return WallContact::PushedOut;
}

WallContact CollideLeftWall(const StageMap& stage, TileBody& o) {
    const int left = BoxOf(o).left;
    const int column = (TruncToInt(o.position.x) + TruncToInt(std::ceil(o.velocity.x)) + left - 1) / 16;
    if (!WallHit(stage, o, column)) return WallContact::None;
    if (!(o.velocity.x < 0.0f)) return WallContact::Beside;
    // Left edge on the wall's right side; left of the map the body is
    // parked at -13.
    if (o.position.x >= 0.0f)
        o.position.x = static_cast<float>(column * 16 - left + 16);
    else
        o.position.x = -13.0f;
    o.velocity.x = 0.0f;
    return WallContact::PushedOut;
}
