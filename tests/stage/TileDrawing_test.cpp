// The arithmetic under tile drawing: the visible cell range, a code's sheet
// cell and the parallax centre of a layer. No GL needed.
#include <gtest/gtest.h>

#include "stage/TileDrawing.h"

namespace {

TileLayer Layer(int width, int height) {
    TileLayer layer;
    layer.width = width;
    layer.height = height;
    layer.tiles.assign(static_cast<size_t>(width) * height, 0);
    return layer;
}

void ExpectRange(const TileRange& r, int firstRow, int lastRow, int firstColumn, int lastColumn) {
    EXPECT_EQ(r.firstRow, firstRow);
    EXPECT_EQ(r.lastRow, lastRow);
    EXPECT_EQ(r.firstColumn, firstColumn);
    EXPECT_EQ(r.lastColumn, lastColumn);
}

}  // namespace

TEST(TileDrawingTest, VisibleRangeStaysInsideTheLayer) {
    const TileLayer layer = Layer(100, 50);
    ExpectRange(VisibleTiles(layer, 0, 0), 0, 15, 0, 20);
    ExpectRange(VisibleTiles(layer, 8, 8), 0, 15, 0, 20);       // 21 x 16 cells at most
    ExpectRange(VisibleTiles(layer, 24, 40), 2, 17, 1, 21);
    ExpectRange(VisibleTiles(layer, -5, -5), 0, 14, 0, 19);     // -5 / 16 is 0
    ExpectRange(VisibleTiles(layer, -40, -40), 0, 12, 0, 17);
    ExpectRange(VisibleTiles(layer, 1500, 700), 43, 49, 93, 99);  // clamped at the far edges
    ExpectRange(VisibleTiles(layer, 5000, 5000), 49, 49, 99, 99);

    // A one-screen layer seen from a parallax origin is exactly covered.
    const TileLayer screen = Layer(20, 15);
    ExpectRange(VisibleTiles(screen, 0, 0), 0, 14, 0, 19);

    // No cells: nothing to visit (and no division by a zero width).
    const TileRange none = VisibleTiles(TileLayer(), 0, 0);
    EXPECT_GT(none.firstRow, none.lastRow);
    EXPECT_GT(none.firstColumn, none.lastColumn);
}

TEST(TileDrawingTest, SheetCells) {
    struct Case {
        int code, width, column, row;
    };
    const Case cases[] = {
        {2, 256, 2, 0}, {17, 256, 1, 1}, {511, 256, 15, 31}, {255, 256, 15, 15},
        {17, 128, 1, 2},  // the loader's default before a tileset is read
    };
    for (const Case& c : cases) {
        int column = -1, row = -1;
        ASSERT_TRUE(TileSheetCell(c.code, c.width, column, row));
        EXPECT_EQ(column, c.column) << c.code;
        EXPECT_EQ(row, c.row) << c.code;
    }
    int column = -1, row = -1;
    EXPECT_FALSE(TileSheetCell(17, 0, column, row));  // no tileset image
    EXPECT_FALSE(TileSheetCell(17, 15, column, row));
}

TEST(TileDrawingTest, ParallaxCentres) {
    const TileLayer main = Layer(60, 55);
    const Vector2 camera(1000.0f, 500.0f);

    // One screen stays put; the main layer's size scrolls with the camera.
    EXPECT_EQ(ParallaxCentre(Layer(20, 15), main, camera), Vector2(160.0f, 120.0f));
    EXPECT_EQ(ParallaxCentre(Layer(60, 55), main, camera), Vector2(1000.0f, 500.0f));
    EXPECT_EQ(ParallaxCentre(Layer(60, 55), main, Vector2(300.7f, 200.2f)),
              Vector2(300.0f, 200.0f));
    // Half way: (1000 - 160) / 2 + 160 and (500 - 120) / 2 + 120.
    EXPECT_EQ(ParallaxCentre(Layer(40, 35), main, camera), Vector2(580.0f, 310.0f));
    // Smaller than one screen runs against the camera.
    EXPECT_EQ(ParallaxCentre(Layer(10, 15), main, camera), Vector2(-50.0f, 120.0f));

    // A main layer exactly one screen wide or high gives factor 0 there.
    EXPECT_EQ(ParallaxCentre(Layer(40, 30), Layer(20, 55), camera), Vector2(160.0f, 262.0f));
    EXPECT_EQ(ParallaxCentre(Layer(40, 30), Layer(60, 15), camera), Vector2(580.0f, 120.0f));
    EXPECT_EQ(ParallaxCentre(Layer(40, 30), Layer(20, 15), camera), Vector2(160.0f, 120.0f));
}
