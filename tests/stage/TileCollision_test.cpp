// The four tile-collision routines, one call per row: collision cells,
// hit box, position, velocity and state in; contact, position, velocity,
// state, animation and sounds out.
#include <gtest/gtest.h>

#include "objects/TileContact.h"
#include "support/TestWorld.h"

namespace {

enum Routine { F, C, R, L };
// State in and out: kSlope (on a slope), kBlockedL / kBlockedR (freeLeft /
// freeRight false), kWall (a wall slide), kDash (dashing at speed 4; walking
// speed is 2.5); in only: kNoGravity, kHero (named "Rook"); out only:
// kFacingLeft.
enum { kSlope = 1, kBlockedL = 2, kBlockedR = 4, kNoGravity = 8, kWall = 16, kDash = 32, kHero = 64, kFacingLeft = 128 };

struct C3 {
    int column, row;
    char state;
};

struct Row {
    const char* name;
    Routine routine;
    std::vector<C3> cells;
    int box[4];  // left, top, right, bottom
    float x, y, vx, vy;
    int airborne, flags;
    bool hit;
    float outX, outY, outVx, outVy;
    int outAirborne, outFlags;
    const char* anim;   // after the call; every probe starts in "Stand" ("Dash" with kDash)
    const char* sound;  // "name channel loops" of each sound requested
};

// clang-format off
#define BOX {24, 22, 40, 60}
const Row kRows[] = {
    // Floor probes step 16 across the box, the last clamped to right - 1.
    {"probe 19 misses column 2", F, {{2, 1, '1'}}, {4, 0, 20, 16}, 11, 0, 0, 1, 0, 0, false, 11, 0, 0, 1, 1, 0, "Stand", ""},
    {"probe 19 meets column 2", F, {{2, 1, '1'}}, {4, 0, 20, 16}, 13, 0, 0, 1, 0, 0, true, 13, 0, 0, 0, 0, 0, "Stand", ""},
    {"probe 5 meets column 0", F, {{0, 1, '1'}}, {4, 0, 20, 16}, 10, 0, 0, 1, 0, 0, true, 10, 0, 0, 0, 0, 0, "Stand", ""},
    {"probe 39 misses column 3", F, {{3, 1, '1'}}, {0, 0, 40, 16}, 7, 0, 0, 1, 0, 0, false, 7, 0, 0, 1, 1, 0, "Stand", ""},
    {"probe 39 meets column 3", F, {{3, 1, '1'}}, {0, 0, 40, 16}, 9, 0, 0, 1, 0, 0, true, 9, 0, 0, 0, 0, 0, "Stand", ""},
    {"only probe 17 sees column 1", F, {{1, 1, '1'}}, {0, 0, 40, 16}, 0, 0, 0, 1, 0, 0, true, 0, 0, 0, 0, 0, 0, "Stand", ""},
    {"floor clamps 20 to 19", F, {{2, 3, '1'}}, {3, 10, 20, 40}, 12, 8, 0, 1, 0, 0, false, 12, 8, 0, 1, 1, 0, "Stand", ""},
    // Feet at 130.5 rest at 128.5; landing clears the slope flag.
    {"lands on solid", F, {{1, 8, '1'}}, BOX, 0, 70, 0, 0.5f, 1, kSlope, true, 0, 68.5f, 0, 0, 0, 0, "Land", ""},
    {"rising never lands", F, {{1, 8, '1'}}, BOX, 0, 70, 0, -0.5f, 0, kSlope, false, 0, 70, 0, -0.5f, 0, 0, "Stand", ""},
    {"free fall", F, {}, BOX, 0, 70, 0, 2, 0, 0, false, 0, 70, 0, 2, 1, 0, "Stand", ""},
    {"moving into free space walks", F, {{1, 8, '1'}}, BOX, 0, 70, 2, 1, 1, 0, true, 0, 68, 2, 0, 0, 0, "Walk", ""},
    {"moving into a wall lands", F, {{1, 8, '1'}}, BOX, 0, 70, 2, 1, 1, kBlockedR, true, 0, 68, 2, 0, 0, kBlockedR, "Land", ""},
    {"moving left into a wall", F, {{1, 8, '1'}}, BOX, 0, 70, -2, 1, 1, kBlockedL, true, 0, 68, -2, 0, 0, kBlockedL, "Land", ""},
    {"moving left, wall on the right", F, {{1, 8, '1'}}, BOX, 0, 70, -2, 1, 1, kBlockedR, true, 0, 68, -2, 0, 0, kBlockedR, "Walk", ""},
    // '7': the slope goes on a row lower; only walkers with gravity follow.
    {"walker follows 7", F, {{1, 8, '7'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 86, 0, 0, 0, kSlope, "Stand", ""},
    {"slope rider follows 7", F, {{1, 8, '7'}}, BOX, 0, 70, 0, 0.25f, 1, kSlope, true, 0, 86, 0, 0, 0, kSlope, "Land", ""},
    {"faller ignores 7", F, {{1, 8, '7'}}, BOX, 0, 70, 0, 0.25f, 1, 0, false, 0, 70, 0, 0.25f, 1, 0, "Stand", ""},
    {"no gravity ignores 7", F, {{1, 8, '7'}}, BOX, 0, 70, 0, 0.25f, 0, kNoGravity, false, 0, 70, 0, 0.25f, 1, 0, "Stand", ""},
    // A solid landing hides left slopes; a right slope only lifts.
    {"solid beats lower slopes", F, {{0, 8, '1'}, {1, 8, 'A'}, {2, 8, '5'}}, {0, 0, 40, 60}, 0, 70, 0, 0.5f, 0, 0, true, 0, 68.5f, 0, 0, 0, 0, "Stand", ""},
    {"higher right slope lifts", F, {{0, 8, '1'}, {1, 8, 'A'}, {2, 8, '2'}, {2, 7, '6'}}, {0, 0, 40, 60}, 0, 70, 0, 0.5f, 0, 0, true, 0, 55.5f, 0, 0, 0, kSlope, "Stand", ""},
    // The right edge (pixel 39: column 2, c = 1) and the left edge (pixel
    // 25: column 1, d = 2) over feet row 8 at 130.25.
    {"right 3", F, {{2, 8, '3'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 83.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"right 3, c below 0", F, {{2, 8, '3'}}, BOX, 0, 70, -12, 0.25f, 0, 0, true, 0, 84.25f, -12, 0, 0, kSlope, "Stand", ""},
    {"right 4", F, {{2, 8, '4'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 79.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"right 5", F, {{2, 8, '5'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 75.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"right 6", F, {{2, 8, '6'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 71.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"right 6, c above 3", F, {{2, 8, '6'}}, BOX, 0, 70, 12, 0.25f, 0, 0, true, 0, 69.25f, 12, 0, 0, kSlope, "Stand", ""},
    {"2 over 3", F, {{2, 8, '2'}, {2, 7, '3'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 67.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"2 over 3, c below 0", F, {{2, 8, '2'}, {2, 7, '3'}}, BOX, 0, 70, -12, 0.25f, 0, 0, true, 0, 68.25f, -12, 0, 0, kSlope, "Stand", ""},
    {"2 over 4", F, {{2, 8, '2'}, {2, 7, '4'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 63.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"2 over 5", F, {{2, 8, '2'}, {2, 7, '5'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 59.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"2 over 6", F, {{2, 8, '2'}, {2, 7, '6'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 55.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"2 over nothing", F, {{2, 8, '2'}}, BOX, 0, 70, 0, 0.25f, 0, 0, false, 0, 70, 0, 0.25f, 1, 0, "Stand", ""},
    {"left A", F, {{1, 8, 'A'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 83.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"left A, d above 3", F, {{1, 8, 'A'}}, BOX, 0, 70, 8, 0.25f, 0, 0, true, 0, 84.25f, 8, 0, 0, kSlope, "Stand", ""},
    {"left B", F, {{1, 8, 'B'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 79.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"left C", F, {{1, 8, 'C'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 75.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"left D", F, {{1, 8, 'D'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 71.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"left D, d below 0", F, {{1, 8, 'D'}}, BOX, 0, 70, -16, 0.25f, 0, 0, true, 0, 69.25f, -16, 0, 0, kSlope, "Stand", ""},
    {"Z over A", F, {{1, 8, 'Z'}, {1, 7, 'A'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 67.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"Z over A, d above 3", F, {{1, 8, 'Z'}, {1, 7, 'A'}}, BOX, 0, 70, 8, 0.25f, 0, 0, true, 0, 68.25f, 8, 0, 0, kSlope, "Stand", ""},
    {"Z over B", F, {{1, 8, 'Z'}, {1, 7, 'B'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 63.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"Z over C", F, {{1, 8, 'Z'}, {1, 7, 'C'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 59.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"Z over D", F, {{1, 8, 'Z'}, {1, 7, 'D'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 55.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"Z over solid", F, {{1, 8, 'Z'}, {1, 7, '1'}}, BOX, 0, 70, 0, 0.25f, 0, 0, true, 0, 67.25f, 0, 0, 0, kSlope, "Stand", ""},
    {"Z over nothing", F, {{1, 8, 'Z'}}, BOX, 0, 70, 0, 0.25f, 0, 0, false, 0, 70, 0, 0.25f, 1, 0, "Stand", ""},
    // 'E' counts only under the left edge, reached from a later probe.
    {"E under the left edge", F, {{0, 8, 'E'}, {1, 8, 'A'}}, {0, 0, 40, 60}, 0, 70, 0, 0.25f, 0, 0, true, 0, 97.25f, 0, 0, 0, kSlope, "Stand", ""},
    // Ceilings: head row (y + ceil(vy) + top) / 16; the probe clamps only past right.
    {"ceiling pushes below", C, {{1, 7, '1'}}, BOX, 0, 100, 0, -3.5f, 0, 0, true, 0, 106, 0, 0, 1, 0, "Stand", ""},
    {"ceiling not while still", C, {{1, 7, '1'}}, BOX, 0, 100, 0, 0, 0, 0, false, 0, 100, 0, 0, 0, 0, "Stand", ""},
    {"ceiling row clear", C, {{1, 7, '1'}}, BOX, 0, 110, 0, -3.5f, 0, 0, false, 0, 110, 0, -3.5f, 0, 0, "Stand", ""},
    {"ceiling probe 20", C, {{2, 5, '1'}}, {3, 10, 20, 40}, 12, 75, 0, -1, 0, 0, true, 12, 70, 0, 0, 1, 0, "Stand", ""},
    // Walls probe rows top + 1, + 16, ... clamped to bottom - 2.
    {"wall row 30 misses row 2", R, {{3, 2, '1'}}, {0, 0, 40, 32}, 0, 1, 8, 0, 0, kBlockedR, false, 0, 1, 8, 0, 0, 0, "Stand", ""},
    {"wall row 30 meets row 2", R, {{3, 2, '1'}}, {0, 0, 40, 32}, 0, 2, 8, 0, 0, 0, true, 7, 2, 0, 0, 0, kBlockedR, "Stand", ""},
    {"right wall touched", R, {{9, 5, '1'}}, BOX, 103, 40, 0, 0, 0, 0, true, 103, 40, 0, 0, 0, kBlockedR, "Stand", ""},
    {"Rook lands off a wall slide", F, {{0, 8, '1'}, {1, 8, '1'}, {2, 8, '1'}}, {0, 0, 40, 60}, 0, 70, 0, 1, 1, kHero | kWall, true, 0, 68, 0, 0, 0, kFacingLeft, "Land", "SE_PL00\\ROOK_CHAKU.WAV 0 0;"},
    {"Rook standing lands silently", F, {{0, 8, '1'}}, {0, 0, 40, 60}, 0, 70, 0, 1, 0, kHero, true, 0, 68, 0, 0, 0, 0, "Stand", ""},
    {"a dash into a right wall ends", R, {{9, 5, '1'}}, BOX, 100, 40, 3, 0, 0, kDash, true, 103, 40, 0, 0, 0, kBlockedR, "DashEnd", "SE_PL00\\ROOK_BRAKE.WAV 0 0;"},
    {"a dash into a left wall ends", L, {{7, 5, '1'}}, BOX, 100, 40, -2.5f, 0, 0, kDash, true, 104, 40, 0, 0, 0, kBlockedL, "DashEnd", "SE_PL00\\ROOK_BRAKE.WAV 0 0;"},
    {"left wall touched", L, {{7, 5, '1'}}, BOX, 100, 40, 0, 0, 0, 0, true, 100, 40, 0, 0, 0, kBlockedL, "Stand", ""},
    {"left wall clear", L, {{7, 5, '1'}}, BOX, 200, 40, -1, 0, 0, kBlockedL, false, 200, 40, -1, 0, 0, 0, "Stand", ""},
    {"left of the map parks at -13", L, {{1, 5, '1'}}, BOX, -5, 40, -2, 0, 0, 0, true, -13, 40, 0, 0, 0, kBlockedL, "Stand", ""},
    {"at x 0 still pushed back", L, {{1, 5, '1'}}, BOX, 0, 40, -2, 0, 0, 0, true, 8, 40, 0, 0, 0, kBlockedL, "Stand", ""},
    {"column 0 from x -20", L, {{0, 5, '1'}}, BOX, -20, 40, -1, 0, 0, 0, true, -13, 40, 0, 0, 0, kBlockedL, "Stand", ""},
};
#undef BOX
// clang-format on

const char* kProbeAnim = "64 64 0 0 0 0\nStand 1 0 0\nLand 1 0 0\nWalk 1 0 0\nDash 1 0 0\nDashEnd 1 0 0\n";

}  // namespace

class TileCollisionTest : public TestWorld {};

TEST_F(TileCollisionTest, OneCallPerRow) {
    EmptyStage(40, 30);
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.name);
        world().stage.tileMap.clear();
        for (const C3& c : r.cells) Cell(c.column, c.row, c.state);
        GameObject o;
        ParseAnimationDescription(kProbeAnim, 64, o.anim);
        o.anim.left = r.box[0], o.anim.top = r.box[1], o.anim.right = r.box[2], o.anim.bottom = r.box[3];
        o.position = Vector2(r.x, r.y), o.velocity = Vector2(r.vx, r.vy);
        o.airborne = r.airborne, o.onSlope = r.flags & kSlope, o.wallState = r.flags & kWall ? 11 : 0;
        o.freeLeft = !(r.flags & kBlockedL), o.freeRight = !(r.flags & kBlockedR), o.gravity = !(r.flags & kNoGravity);
        o.walkSpeed = o.speed = 2.5f;
        if (r.flags & kDash) o.speed = 4.0f, o.dashTimer = 30, o.anim.ChangeAnimation("Dash");
        if (r.flags & kHero) o.name = "Rook";
        sounds.clear();
        bool (*const routines[])(World&, GameObject&) = {CollideFloor, CollideCeiling,
                                                          CollideRightWall, CollideLeftWall};
        EXPECT_EQ(routines[r.routine](world(), o), r.hit);
        EXPECT_EQ(o.position, Vector2(r.outX, r.outY));
        EXPECT_EQ(o.velocity, Vector2(r.outVx, r.outVy));
        EXPECT_EQ(o.airborne, r.outAirborne);
        EXPECT_EQ((o.onSlope ? kSlope : 0) | (o.freeLeft ? 0 : kBlockedL) | (o.freeRight ? 0 : kBlockedR) |
                      (o.wallState ? kWall : 0) | (o.dashTimer || o.speed != 2.5f ? kDash : 0) |
                      (o.direction == -1 ? kFacingLeft : 0),
                  r.outFlags);
        EXPECT_TRUE(o.anim.IsPlaying(r.anim));
        std::string played;
        for (const SoundRequest& s : sounds)
            played += s.name + " " + std::to_string(s.channel) + " " + std::to_string(s.loops) + ";";
        EXPECT_EQ(played, r.sound);
    }
}

// Lookups through the grid, outside its box, after a change, and in a map
// whose box is too large for a grid.
TEST(TileMap, FindsEveryCellAndNothingElse) {
    TileMap map;
    EXPECT_EQ(map.Find(0, 0), nullptr);
    map[{0, 0}] = TileInfo{2, '1'};
    map[{5, 3}] = TileInfo{3, 'A'};
    map[{-2, -1}] = TileInfo{4, 'B'};
    const struct { int column, row, tile; } rows[] = {
        {0, 0, 2}, {5, 3, 3}, {-2, -1, 4}, {1, 0, 0}, {5, 2, 0}, {6, 3, 0}, {-3, -1, 0}, {-2, -2, 0}, {0, 4, 0},
        {-2147483647 - 1, 0, 0}, {2147483647, 3, 0}};
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& r : rows) {
            const TileInfo* cell = map.Find(r.column, r.row);
            EXPECT_EQ(cell ? cell->tile : 0, r.tile) << r.column << ", " << r.row;
        }
        map[{2000000, 0}] = TileInfo{9, '1'};  // the second pass without a grid
    }
    EXPECT_EQ(map.Find(2000000, 0)->tile, 9);
    map.clear();
    EXPECT_EQ(map.Find(0, 0), nullptr);
}
