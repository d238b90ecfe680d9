// The after-image palette: "CopyRook" takes row n of "BluePalette" at age n
// and is drawn additively, so the rows must fade or the ghost stays steady.
#include <gtest/gtest.h>

#include <algorithm>

#include "SheetBuilder.h"
#include "SynthText.h"
#include "support/TestSupport.h"

TEST(AfterImagePalette, RowZeroIsTheGhostAndEachLaterRowAnEighthDimmer) {
    const std::string path = GameDir() + "/art/BluePalette.palette";
    std::string text;
    ASSERT_TRUE(ReadTextFile(path, text)) << path;
    PaletteSheet palette;
    SourceError error;
    ASSERT_TRUE(ParsePalette(path, text, palette, error)) << error.Text();
    ASSERT_EQ(32, palette.image.height);
    // The outline's dark end and the white's bright end of the ghost ramp.
    EXPECT_EQ((Rgba{0x00, 0x08, 0x18, 255}), palette.image.Get(0, 0));
    EXPECT_EQ((Rgba{0xa0, 0xf0, 0xff, 255}), palette.image.Get(8, 0));
    EXPECT_EQ((Rgba{0x14, 0x1e, 0x20, 255}), palette.image.Get(8, 7));
    // CopyRook lives 8 updates: rows 1..7 fade, later rows stay at row 7.
    for (int row = 1; row < 32; ++row) {
        const int left = 8 - std::min(row, 7);
        for (int column = 0; column < 16; ++column) {
            const Rgba full = palette.image.Get(column, 0);
            auto fade = [&](int v) { return static_cast<uint8_t>((v * left + 4) / 8); };
            EXPECT_EQ((Rgba{fade(full.r), fade(full.g), fade(full.b), 255}),
                      palette.image.Get(column, row))
                << "row " << row << " column " << column;
        }
    }
}
