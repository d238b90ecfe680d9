// The after-image palette: "CopyRook" takes row n of "BluePalette" at age n
// and is drawn additively, so the rows must fade or the ghost stays steady.
#include <gtest/gtest.h>

#include "SheetBuilder.h"
#include "SynthText.h"
#include "support/TestSupport.h"

namespace {

constexpr int kFadeRows = 8;  // CopyRook lives 8 updates: rows 0..7

PaletteSheet LoadBluePalette() {
    const std::string path = GameDir() + "/art/BluePalette.palette";
    std::string text;
    EXPECT_TRUE(ReadTextFile(path, text)) << path;
    PaletteSheet palette;
    SourceError error;
    EXPECT_TRUE(ParsePalette(path, text, palette, error)) << error.Text();
    return palette;
}

int Light(Rgba c) { return c.r + c.g + c.b; }

}  // namespace

TEST(AfterImagePalette, RowZeroIsTheFullGhost) {
    const PaletteSheet palette = LoadBluePalette();
    ASSERT_EQ(16, palette.image.width);
    ASSERT_EQ(32, palette.image.height);
    EXPECT_EQ("BluePalette", palette.name);
    // The outline's dark end and the white's bright end of the ghost ramp.
    EXPECT_EQ((Rgba{0x00, 0x08, 0x18, 255}), palette.image.Get(0, 0));
    EXPECT_EQ((Rgba{0xa0, 0xf0, 0xff, 255}), palette.image.Get(8, 0));
}

TEST(AfterImagePalette, EachRowOfTheFadeIsAnEighthDimmer) {
    const PaletteSheet palette = LoadBluePalette();
    ASSERT_EQ(32, palette.image.height);
    for (int row = 1; row < kFadeRows; ++row) {
        for (int column = 0; column < 16; ++column) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
            const Rgba full = palette.image.Get(column, 0);
            const int left = kFadeRows - row;
            auto fade = [&](int v) { return static_cast<uint8_t>((v * left + 4) / kFadeRows); };
            EXPECT_EQ((Rgba{fade(full.r), fade(full.g), fade(full.b), 255}),
                      palette.image.Get(column, row));
        }
    }
    // Seen as a whole, the white column goes down in every step.
    for (int row = 1; row < kFadeRows; ++row)
        EXPECT_LT(Light(palette.image.Get(8, row)), Light(palette.image.Get(8, row - 1))) << row;
    EXPECT_EQ((Rgba{0x14, 0x1e, 0x20, 255}), palette.image.Get(8, kFadeRows - 1));
}

TEST(AfterImagePalette, RowsPastTheFadeStayFaint) {
    const PaletteSheet palette = LoadBluePalette();
    ASSERT_EQ(32, palette.image.height);
    for (int row = kFadeRows; row < 32; ++row)
        for (int column = 0; column < 16; ++column)
            EXPECT_EQ(palette.image.Get(column, kFadeRows - 1), palette.image.Get(column, row))
                << "row " << row << " column " << column;
}
