// A small data tree for the pixel tests: the real palette programs, palette
// images with a known colour in every cell, and tiny sheets of known pixels.
//
//   Palette      16 x 32, row n column c = PaletteColour(n, c)
//   BluePalette  16 x 32, row n column c = BlueColour(n, c)
//   Test\Block   indexed, two 8 x 8 frames: frame 0 columns 0-3 palette
//                column 1, 4-7 column 2; frame 1 all column 3 with palette
//                offset 2; row 7 of both clear (white under zero alpha)
//   Test\Solid   indexed, one 8 x 8 frame of palette column 1
//   Test\Plain   true colour 8 x 8: columns 0-3 kPlainLeft, 4-7 kPlainRight,
//                row 7 clear
//   Health       64 x 64 of kGaugeFrame
//   Tiles\Test   256 x 512 tileset: tile 2 kTileTwo, tile 3 kTileThree
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "support/GlTestContext.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace scene {

inline Rgb PaletteColour(int row, int column) {
    return Rgb{16 * column + 8, 8 * row + 4, 77};
}
inline Rgb BlueColour(int row, int column) {
    return Rgb{0, 4 * column + 2, 8 * row + 6};
}

const Rgb kPlainLeft{10, 200, 30};
const Rgb kPlainRight{250, 100, 5};
const Rgb kGaugeFrame{50, 60, 70};
const Rgb kTileTwo{0, 90, 180};
const Rgb kTileThree{90, 0, 180};
const Rgb kBlack{0, 0, 0};

inline uint32_t Opaque(const Rgb& c) {
    return (static_cast<uint32_t>(c.r) << 24) | (static_cast<uint32_t>(c.g) << 16) |
           (static_cast<uint32_t>(c.b) << 8) | 0xFFu;
}

// Clear, but with a colour under the zero alpha.
const uint32_t kClearWhite = 0xFFFFFF00u;

inline std::string ReadSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WritePalette(const std::string& root, const std::string& name,
                         Rgb (*colour)(int, int)) {
    TestImage image(16, 32);
    for (int row = 0; row < 32; ++row)
        for (int column = 0; column < 16; ++column)
            image.At(column, row) = Opaque(colour(row, column));
    WritePng(root + "/data/img/" + name + ".png", image);
    WriteFile(root + "/data/objects/" + name + ".anim", "16 32 0 0 16 32 Palette 1 0 0\n");
}

// Writes the whole tree under root and returns root.
inline std::string Write(const std::string& root) {
    const std::string gfx = SourceDir() + "/game/data/gfx/";
    WriteFile(root + "/data/gfx/vPassthrough.cg", ReadSource(gfx + "vPassthrough.cg"));
    WriteFile(root + "/data/gfx/fPalette.cg", ReadSource(gfx + "fPalette.cg"));
    WritePalette(root, "Palette", PaletteColour);
    WritePalette(root, "BluePalette", BlueColour);

    TestImage block(16, 8);
    block.Fill(0, 0, 4, 7, IndexedColour(1));
    block.Fill(4, 0, 4, 7, IndexedColour(2));
    block.Fill(8, 0, 8, 7, IndexedColour(3));
    block.Fill(0, 7, 16, 1, kClearWhite);
    WritePng(root + "/data/img/Test/Block.png", block);
    WriteFile(root + "/data/objects/Test/Block.anim", "8 8 0 0 8 8 Show 2 [0 0] {0 2} 0\n");

    WritePng(root + "/data/img/Test/Solid.png", TestImage(8, 8, IndexedColour(1)));
    WriteFile(root + "/data/objects/Test/Solid.anim", "8 8 0 0 8 8 Show 1 0 0\n");

    TestImage plain(8, 8);
    plain.Fill(0, 0, 4, 7, Opaque(kPlainLeft));
    plain.Fill(4, 0, 4, 7, Opaque(kPlainRight));
    plain.Fill(0, 7, 8, 1, kClearWhite);
    WritePng(root + "/data/img/Test/Plain.png", plain);
    WriteFile(root + "/data/objects/Test/Plain.anim", "8 8 0 0 8 8 Show 1 0 0\n");

    WritePng(root + "/data/img/Health.png", TestImage(64, 64, Opaque(kGaugeFrame)));
    WriteFile(root + "/data/objects/Health.anim", "64 64 0 0 64 64 Gauge 1 0 0\n");

    TestImage tiles(256, 512);
    tiles.Fill(32, 0, 16, 16, Opaque(kTileTwo));
    tiles.Fill(48, 0, 16, 16, Opaque(kTileThree));
    WritePng(root + "/data/img/Tiles/Test.png", tiles);
    WriteFile(root + "/data/objects/Tiles/Test.anim", "16 16 0 0 16 16\n");
    return root;
}

}  // namespace scene
