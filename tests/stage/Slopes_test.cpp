// Walking both slope families up and down, one pixel a frame, and checking
// the feet against the surface the tile states describe at every step.
//
// The test ground, in rows 9 (pixels 144-159) and 10 (160-175):
//
//   column  0..3   4 5 6 7   8..15    16 17 18 19   20..31
//   row 9   .      3 4 5 6   1 ... 1  D  C  B  A    .
//   row 10  1      2 2 2 2   1 ... 1  Z  Z  Z  Z    1
//
// A right-edge tile of rise k has its surface at 160 - k - (p % 16) / 4 under
// the right edge pixel p; a left-edge tile at 157 - k + (p % 16) / 4 under the
// pixel inside its left edge. The slope is read from the tile under the edge
// before the move, so at tile crossings the feet lag one pixel for one frame:
// the walks list exactly those frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "stage/StageTestData.h"
#include "stage/TileCollision.h"

using stagetest::StageTest;

namespace {

// The surface under pixel column p as the layout above describes it.
int SurfaceAt(int p, bool rightEdge) {
    const int column = p / 16;
    const int within = p % 16;
    if (column >= 4 && column <= 7) {
        // Under the right edge the slope is measured; elsewhere the object
        // only stands on it through its right edge.
        const int rise = (column - 4) * 4;
        return rightEdge ? 160 - rise - within / 4 : 176;
    }
    if (column >= 8 && column <= 15) return 144;
    if (column >= 16 && column <= 19) {
        const int rise = (19 - column) * 4;
        return rightEdge ? 176 : 157 - rise + within / 4;
    }
    return 160;
}

}  // namespace

class SlopeWalkTest : public StageTest {
protected:
    SlopeWalkTest() {
        EmptyStage(32, 15);
        for (int column = 0; column < 32; ++column) {
            if (column >= 8 && column <= 15) {
                Cell(column, 9, '1');
                Cell(column, 10, '1');
            } else if (column >= 4 && column <= 7) {
                Cell(column, 9, static_cast<char>('3' + column - 4));
                Cell(column, 10, '2');
            } else if (column >= 16 && column <= 19) {
                Cell(column, 9, static_cast<char>('D' - (column - 16)));
                Cell(column, 10, 'Z');
            } else {
                Cell(column, 10, '1');
            }
        }
    }

    // One object update as the game runs it: gravity, the four collision
    // routines, then the move.
    void Step(GameObject& o) {
        if (o.gravity && o.velocity.y < 6.0f) o.velocity.y += 0.25f;
        CollideFloor(world(), o);
        CollideCeiling(world(), o);
        CollideRightWall(world(), o);
        CollideLeftWall(world(), o);
        o.position += o.velocity;
    }

    // The feet the surface asks for: the higher of what lies under the two
    // edges (the box is 16 pixels wide, so its probes are its edges).
    static int ExpectedFeet(const GameObject& o) {
        const int x = static_cast<int>(o.position.x);
        return std::min(SurfaceAt(x + o.anim.left + 1, false),
                        SurfaceAt(x + o.anim.right - 1, true));
    }

    // Walks from startX at vx until x reaches endX; every step's feet
    // (whole pixels) must match the surface, and the fraction gravity
    // leaves stays below one pixel. Returns the steps where they differ.
    std::string Walk(float startX, float vx, float endX) {
        GameObject& o = Box(startX, 0.0f);
        o.gravity = true;
        o.position.y = static_cast<float>(ExpectedFeet(o) - o.anim.bottom);
        std::string report;
        for (int step = 0; vx > 0 ? o.position.x < endX : o.position.x > endX; ++step) {
            o.velocity.x = vx;
            Step(o);
            const float feet = o.position.y + o.anim.bottom;
            const int expected = ExpectedFeet(o);
            if (static_cast<int>(feet) != expected || o.airborne != 0)
                report += "x " + std::to_string(static_cast<int>(o.position.x)) + ": feet " +
                          std::to_string(static_cast<int>(feet)) + ", surface " +
                          std::to_string(expected) + (o.airborne ? " (airborne)" : "") + "\n";
        }
        return report;
    }
};

TEST_F(SlopeWalkTest, RightEdgeFamilyUpAndDown) {
    // Right edge from column 2 (x + 39 = 32) to column 10 and back, walking
    // and at dash speed (which reaches into the next tile, so only the
    // plateau's edges lag).
    EXPECT_EQ(Walk(-7.0f, 1.0f, 121.0f), "x 89: feet 145, surface 144\n");
    EXPECT_EQ(Walk(121.0f, -1.0f, -7.0f),
              "x 88: feet 144, surface 145\n"
              "x 72: feet 148, surface 149\n"
              "x 56: feet 152, surface 153\n"
              "x 40: feet 156, surface 157\n");
    EXPECT_EQ(Walk(-7.0f, 4.0f, 121.0f), "x 89: feet 145, surface 144\n");
    EXPECT_EQ(Walk(121.0f, -4.0f, -7.0f), "x 85: feet 144, surface 145\n");
}

TEST_F(SlopeWalkTest, LeftEdgeFamilyDownAndUp) {
    // Left edge (x + 25) from column 13 to column 22 and back.
    EXPECT_EQ(Walk(183.0f, 1.0f, 327.0f), "x 231: feet 144, surface 145\n");
    EXPECT_EQ(Walk(327.0f, -1.0f, 183.0f),
              "x 278: feet 157, surface 156\n"
              "x 262: feet 153, surface 152\n"
              "x 246: feet 149, surface 148\n"
              "x 230: feet 145, surface 144\n");
    EXPECT_EQ(Walk(183.0f, 4.0f, 327.0f), "x 231: feet 144, surface 145\n");
    EXPECT_EQ(Walk(327.0f, -4.0f, 183.0f), "x 227: feet 145, surface 144\n");
}
