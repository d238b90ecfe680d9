// Sprite and palette sources: their grammar and messages, the checks against
// the descriptions, the PNGs they build, and the demo game's own art.
#include "SheetBuilder.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "SynthText.h"
#include "app/DataPath.h"
#include "support/TestSupport.h"

namespace {

const Rgba kClear{0, 0, 0, 0};

std::string ReadBytes(const std::string& path) {
    std::string text;
    EXPECT_TRUE(ReadTextFile(path, text)) << path;
    return text;
}

// A sheet that must parse; the test fails with the parser's line otherwise.
SpriteSheet Parse(const std::string& text) {
    SpriteSheet sheet;
    SourceError error;
    EXPECT_TRUE(ParseSprite("t.sprite", text, sheet, error)) << error.Text();
    return sheet;
}

const char* kHeader =
    "sheet Test\\Thing   # a comment after a statement\n"
    "mode indexed\n"
    "frame 4 3\n"
    "columns 2\n"
    "legend\n"
    "  k 1\n"
    "  w 7\n"
    "  z 15\n";

// Row y of an indexed image in the legend's letters, '.' for clear.
std::string Row(const Image& image, int y) {
    std::string row;
    for (int x = 0; x < image.width; ++x) {
        const Rgba c = image.Get(x, y);
        row += c == kClear ? '.' : c == IndexedColour(1) ? 'k' : c == IndexedColour(7) ? 'w'
             : c == IndexedColour(15)                    ? 'z' : '?';
    }
    return row;
}

}  // namespace

TEST(SheetBuilder, CellsLegendCopiesFlipsAndPadding) {
    const SpriteSheet sheet = Parse(std::string(kHeader) +
                                    "\n"
                                    "cell            # cell 0\n"
                                    "kw\n"
                                    ".\n"
                                    "kkkz\n"
                                    "cell 3\n"
                                    "# comments and blank lines inside a cell are not rows\n"
                                    "\n"
                                    "...w\n"
                                    "z\n"
                                    "..k\n"
                                    "cell = 0 flip   # the next cell: 4\n"
                                    "cell 1 = 3\n");
    EXPECT_EQ("Test\\Thing", sheet.name);
    EXPECT_EQ(SheetMode::Indexed, sheet.mode);
    EXPECT_EQ(5, sheet.cellCount);
    EXPECT_EQ((Rgba{112, 0, 0, 255}), IndexedColour(7));
    // Two cells a row, three rows as needed for cell 4; short rows padded
    // clear, cell 1 a copy of 3, cell 2 never drawn, cell 4 cell 0 mirrored.
    const char* const rows[] = {"kw.....w", "....z...", "kkkz..k.", ".......w", "....z...",
                                "......k.", "..wk....", "........", "zkkk...."};
    ASSERT_EQ(8, sheet.image.width);
    ASSERT_EQ(9, sheet.image.height);
    for (int y = 0; y < 9; ++y) EXPECT_EQ(rows[y], Row(sheet.image, y)) << "row " << y;
}

TEST(SheetBuilder, RgbaLegendValues) {
    const SpriteSheet sheet = Parse(
        "sheet Health\nmode rgba\nframe 3 2\nrows 3\nlegend\n  r #ff0000\n  h #10203080\n"
        "  c clear\nlegend\n  C #0a0B0c\ncell\nrhc\nC\n");
    ASSERT_EQ(3, sheet.image.width);
    ASSERT_EQ(6, sheet.image.height);
    EXPECT_EQ((Rgba{255, 0, 0, 255}), sheet.image.Get(0, 0));
    EXPECT_EQ((Rgba{0x10, 0x20, 0x30, 0x80}), sheet.image.Get(1, 0));
    EXPECT_EQ(kClear, sheet.image.Get(2, 0));
    EXPECT_EQ((Rgba{10, 11, 12, 255}), sheet.image.Get(0, 1));
    EXPECT_EQ(kClear, sheet.image.Get(1, 5));
}

TEST(SheetBuilder, ErrorsNameTheFileAndLine) {
    const std::string h = kHeader;  // eight lines
    const std::pair<std::string, const char*> cases[] = {
        {h + "cell\nkq\n.\n.\n", "10: 'q' (column 2) is not in the legend"},
        {h + "cell\nk\nk\ncell\nk\nk\nk\n", "12: cell 0 ends after 2 rows; a cell has 3"},
        {h + "cell\nk\nk\n", "11: cell 0 ends after 2 rows; a cell has 3"},
        {h + "cell\nk\nk\nk\nk\n", "13: cell 0 already has its 3 rows"},
        {h + "cell\nk\nk\nk\ncell = 0\nk\n", "14: cell 1 is a copy and takes no rows"},
        {h + "cell\nkkkkk\n.\n.\n", "10: the row is 5 pixels wide; a cell is 4"},
        {h + "cell\nk k\n.\n.\n", "10: a row of pixels holds no spaces"},
        {h + "cell\nk\nk\nk\ncell 0 = 0\n", "13: cell 0 is drawn twice (first on line 9)"},
        {h + "cell = 2\n", "9: cell 2 is not drawn before this copy"},
        {h + "cell 1 = \n", "9: a copied cell is written 'cell N = M' or 'cell N = M flip'"},
        {h + "cell 1 = 0 mirror\n", "9: after 'cell N = M' only 'flip' may follow"},
        {h + "cell x\n", "9: 'x' is not a cell number"},
        {h + "  k 2\n", "9: 'k' is already in the legend (line 6)"},
        {h + "  q 16\n", "9: an indexed sheet's colour is a palette column 0 to 15, or 'clear'"},
        {h + "  ab 2\n", "9: a legend entry is one character and its colour"},
        {"sheet A\npixels\n", "2: unknown statement 'pixels'"},
        {"sheet A\nmode rgba\nlegend\nframe 0 4\n",
         "4: 'frame' needs a width and a height (1 to 1024 pixels)"},
        {"mode rgba\nlegend\n  r #ff00\n",
         "3: an rgba sheet's colour is #rrggbb, #rrggbbaa or 'clear'"},
        {"sheet A\nlegend\n", "2: 'legend' before 'mode'"},
        {"sheet A\nmode rgba\ncell\n", "3: 'cell' before 'frame'"},
        {"sheet A\nmode rgba\nframe 1 1\ncell\n.\ncolumns 2\n",
         "6: 'columns' after the first cell"},
        {"sheet A\nmode rgba\nframe 1 1\ncolumns 2\nrows 1\ncell 2\n",
         "6: cell 2 lies outside the sheet's 1 rows of 2 cells"},
        {"mode rgba\n", "1: the file ends without a 'sheet' statement"},
        {"sheet A\nmode rgba\nframe 2 2\n", "3: the file ends before its first cell"},
        {"\x01x\n", "1: unknown statement '?x'"},
        {"sheet A\nsheet B\n", "2: a second 'sheet' statement"},
        {"mode palette\n", "1: 'mode' is 'indexed' or 'rgba'"},
    };
    for (const auto& c : cases) {
        SpriteSheet sheet;
        SourceError error;
        EXPECT_FALSE(ParseSprite("t.sprite", c.first, sheet, error)) << c.second;
        EXPECT_EQ(std::string("t.sprite:") + c.second, error.Text());
    }
    SpriteSheet sheet;
    SourceError error;
    EXPECT_FALSE(ParseSprite("t.sprite", "", sheet, error));
    EXPECT_EQ("t.sprite: the file ends without a 'sheet' statement", error.Text());
}

TEST(SheetBuilder, Palettes) {
    PaletteSheet palette;
    SourceError error;
    ASSERT_TRUE(ParsePalette("p.palette",
                             "# two rows given, the rest black\npalette Palette\n"
                             "row 0  #000000 #102030 #ffffff80\nrow 31 clear #01020304\n",
                             palette, error))
        << error.Text();
    EXPECT_EQ("Palette", palette.name);
    ASSERT_EQ(16, palette.image.width);
    ASSERT_EQ(32, palette.image.height);
    EXPECT_EQ((Rgba{0x10, 0x20, 0x30, 255}), palette.image.Get(1, 0));
    EXPECT_EQ((Rgba{255, 255, 255, 0x80}), palette.image.Get(2, 0));
    EXPECT_EQ((Rgba{0, 0, 0, 255}), palette.image.Get(3, 0));
    EXPECT_EQ((Rgba{0, 0, 0, 255}), palette.image.Get(5, 17));
    EXPECT_EQ(kClear, palette.image.Get(0, 31));
    EXPECT_EQ((Rgba{1, 2, 3, 4}), palette.image.Get(1, 31));

    std::string seventeen = "row 1";
    for (int i = 0; i < 17; ++i) seventeen += " #000000";
    const std::pair<std::string, const char*> cases[] = {
        {"row 0 #000000\nrow 0\n", "2: row 0 is given twice (first on line 1)"},
        {"row 32 #000000\n", "1: 'row' needs a row number from 0 to 31"},
        {"row 1 #12345\n", "1: '#12345' is not a colour (#rrggbb, #rrggbbaa or 'clear')"},
        {seventeen + "\n", "1: a row holds at most 16 colours"},
        {"colour 1\n", "1: unknown statement 'colour'"},
        {"row 1 #000000\n", "1: the file ends without a 'palette' statement"},
    };
    for (const auto& c : cases) {
        PaletteSheet p;
        EXPECT_FALSE(ParsePalette("p.palette", c.first, p, error)) << c.second;
        EXPECT_EQ(std::string("p.palette:") + c.second, error.Text());
    }
}

TEST(SheetBuilder, DescriptionChecks) {
    const SpriteSheet sheet =
        Parse(std::string(kHeader) + "cell\nk\nk\nk\ncell\nk\nk\nk\ncell = 0\n");
    ASSERT_EQ(3, sheet.cellCount);
    auto check = [&](const std::string& description) {
        SourceError e;
        return CheckSheetAgainstDescription("t.sprite", sheet, "T.anim", description, e)
                   ? std::string("ok")
                   : e.Text();
    };
    EXPECT_EQ("ok", check("4 3 0 0 4 3 A 1 0 0 B 2 [1 1] 1"));
    EXPECT_EQ("ok", check("4 3 0 0 4 3"));  // a tileset: only the frame size is checked
    // Shorter and empty lists, and points with and without y, are well formed.
    EXPECT_EQ("ok", check("4 3 0 0 4 3 A 1 [] {} <> 0 B 2 [3] {1 2} <1.5,2 -3> 1"));
    EXPECT_EQ("t.sprite:3: frames are 4 x 3 but T.anim says 4 x 4", check("4 4 0 0 4 3 A 3 0 0"));
    EXPECT_EQ("t.sprite:17: the sheet holds 3 cells but T.anim hands out 4 frames",
              check("4 3 0 0 4 3 A 1 0 0 B 3 2 0"));
    // The description is read by the loader's rules; a fault there is
    // reported in the description's own file and line.
    EXPECT_EQ(
        "T.anim:1: the header needs left (six numbers: frameWidth frameHeight left top right "
        "bottom)",
        check("4 3 x"));
    // "[1 1 ]": the loader skips the space after two values and takes "]" for the loop frame.
    EXPECT_EQ("T.anim:3: B's delays: more than 2 values, or ']' not right after the last one",
              check("4 3 0 0 4 3\nA 1 0 0\nB 2 [1 1 ] 1"));
    EXPECT_EQ("T.anim:2: B's delays: ']' must follow the last value directly",
              check("4 3 0 0 4 3 A 1 0 0\nB 2 [1 ] 1"));
    EXPECT_EQ("T.anim:1: B's palette offsets: a value or '}' was expected",
              check("4 3 0 0 4 3 A 1 0 0 B 2 1 {0 x} 1"));
    EXPECT_EQ("T.anim:1: B's points: more than 2 values, or '>' not right after the last one",
              check("4 3 0 0 4 3 A 1 0 0 B 2 1 <1,2 3,4 5> 1"));
    EXPECT_EQ("T.anim:1: B: loop frame 2 is outside its 2 frames",
              check("4 3 0 0 4 3 A 1 0 0 B 2 1 2"));
    EXPECT_EQ("T.anim:1: B: the loop frame was expected", check("4 3 0 0 4 3 A 1 0 0 B 2 1"));
    EXPECT_EQ("T.anim:1: B: a frame count from 1 to 4096 was expected",
              check("4 3 0 0 4 3 B 0 1 0"));
}

TEST(SheetBuilder, BuildsPngsThatLoadBackExactlyAndIdentically) {
    const std::string game = MakeTempDir("sheets");
    WriteFile(game + "/art/Thing.sprite",
              std::string(kHeader) + "cell\nkw\n.\nkkkz\ncell = 0 flip\n");
    WriteFile(game + "/art/Gauge.sprite",
              "sheet Health\nmode rgba\nframe 2 1\nlegend\n  r #c62110\n  h #08d64280\ncell\nrh\n");
    WriteFile(game + "/art/Colours.palette", "palette Palette\nrow 1 #102030 #405060\n");
    WriteFile(game + "/data/OBJECTS/Test/THING.anim", "4 3 12 0 16 3 Stand 1 0 0 Walk 1 0 0\n");
    WriteFile(game + "/data/OBJECTS/Health.anim", "2 1 0 0 2 1");

    std::string written;
    SourceError error;
    ASSERT_TRUE(BuildSource(game + "/art/Thing.sprite", game, written, error)) << error.Text();
    EXPECT_EQ(game + "/data/img/Test/Thing.png", written);
    ASSERT_TRUE(BuildSource(game + "/art/Gauge.sprite", game, written, error)) << error.Text();
    ASSERT_TRUE(BuildSource(game + "/art/Colours.palette", game, written, error)) << error.Text();
    EXPECT_EQ(game + "/data/img/Palette.png", written);

    auto pixel = [](SDL_Surface* s, int x, int y) {
        Uint32 value = 0;
        const Uint8* p =
            static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
        std::memcpy(&value, p, s->format->BytesPerPixel);
        Rgba c;
        SDL_GetRGBA(value, s->format, &c.r, &c.g, &c.b, &c.a);
        return c;
    };
    SDL_Surface* thing = IMG_Load((game + "/data/img/Test/Thing.png").c_str());
    ASSERT_NE(nullptr, thing);
    ASSERT_EQ(8, thing->w);
    ASSERT_EQ(3, thing->h);
    EXPECT_EQ((Rgba{112, 0, 0, 255}), pixel(thing, 1, 0));
    EXPECT_EQ(kClear.a, pixel(thing, 2, 0).a);
    EXPECT_EQ((Rgba{240, 0, 0, 255}), pixel(thing, 4, 2));  // the flipped copy
    SDL_FreeSurface(thing);

    SDL_Surface* gauge = IMG_Load((game + "/data/img/Health.png").c_str());
    ASSERT_NE(nullptr, gauge);
    EXPECT_EQ((Rgba{198, 33, 16, 255}), pixel(gauge, 0, 0));
    EXPECT_EQ((Rgba{8, 214, 66, 128}), pixel(gauge, 1, 0));
    SDL_FreeSurface(gauge);

    SDL_Surface* palette = IMG_Load((game + "/data/img/Palette.png").c_str());
    ASSERT_NE(nullptr, palette);
    EXPECT_EQ((Rgba{0x40, 0x50, 0x60, 255}), pixel(palette, 1, 1));
    EXPECT_EQ((Rgba{0, 0, 0, 255}), pixel(palette, 2, 1));
    SDL_FreeSurface(palette);

    // Two builds of one source give the same bytes, and so does a fresh encoding.
    const std::string first = ReadBytes(game + "/data/img/Test/Thing.png");
    ASSERT_TRUE(BuildSource(game + "/art/Thing.sprite", game, written, error)) << error.Text();
    EXPECT_EQ(first, ReadBytes(game + "/data/img/Test/Thing.png"));
    SpriteSheet sheet;
    ASSERT_TRUE(ParseSprite("x", ReadBytes(game + "/art/Thing.sprite"), sheet, error));
    const std::vector<uint8_t> encoded = EncodePng(sheet.image);
    EXPECT_EQ(first, std::string(encoded.begin(), encoded.end()));
    // No time stamp chunk.
    EXPECT_EQ(std::string::npos, first.find("tIME"));
}

TEST(SheetBuilder, BuildFailures) {
    const std::string game = MakeTempDir("sheet-errors");
    std::string written;
    SourceError error;
    EXPECT_FALSE(BuildSource(game + "/art/None.sprite", game, written, error));
    EXPECT_EQ(game + "/art/None.sprite: cannot be read", error.Text());

    WriteFile(game + "/art/Lonely.sprite",
              "sheet Enemies\\Lonely\nmode indexed\nframe 1 1\ncell\n.\n");
    EXPECT_FALSE(BuildSource(game + "/art/Lonely.sprite", game, written, error));
    EXPECT_EQ(game + "/art/Lonely.sprite:1: no description " + game +
                  "/data/objects/Enemies/Lonely.anim for the sheet Enemies\\Lonely",
              error.Text());

    WriteFile(game + "/data/objects/Enemies/Lonely.anim", "2 1 0 0 1 1 Stand 1 0 0\n");
    EXPECT_FALSE(BuildSource(game + "/art/Lonely.sprite", game, written, error));
    EXPECT_EQ(game + "/art/Lonely.sprite:3: frames are 1 x 1 but " + game +
                  "/data/objects/Enemies/Lonely.anim says 2 x 1",
              error.Text());

    WriteFile(game + "/art/notes.txt", "x");
    EXPECT_FALSE(BuildSource(game + "/art/notes.txt", game, written, error));
    EXPECT_EQ(game + "/art/notes.txt: is neither a .sprite nor a .palette source", error.Text());
}

TEST(SheetBuilder, PreviewColoursThroughThePalette) {
    const SpriteSheet sheet = Parse(std::string(kHeader) + "cell\nkw\n.\n.\ncell\n.\n.\n.\n");
    PaletteSheet palette;
    SourceError error;
    ASSERT_TRUE(ParsePalette("p",
                             "palette P\nrow 3 #000000 #112233 #000000 #000000 #000000 #000000 "
                             "#000000 #445566\n",
                             palette, error));
    const Rgba backdrop{80, 80, 80, 255};
    const Image preview = RenderPreview(sheet, &palette, 3, 2, backdrop);
    ASSERT_EQ(16, preview.width);
    ASSERT_EQ(6, preview.height);
    EXPECT_EQ((Rgba{0x11, 0x22, 0x33, 255}), preview.Get(1, 1));
    EXPECT_EQ((Rgba{0x44, 0x55, 0x66, 255}), preview.Get(2, 0));
    EXPECT_EQ(backdrop, preview.Get(5, 5));
    EXPECT_EQ((Rgba{70, 70, 70, 255}), preview.Get(9, 0));  // the second cell is shaded
}

// The demo game's own sources: every one builds, and each sprite agrees with
// its description.
TEST(SheetBuilder, TheGamesArtMatchesItsDescriptions) {
    namespace fs = std::filesystem;
    int sprites = 0;
    for (const auto& entry : fs::recursive_directory_iterator(GameDir() + "/art")) {
        const std::string source = entry.path().string();
        const std::string extension = entry.path().extension().string();
        if (extension != ".palette" && extension != ".sprite") continue;
        const std::string text = ReadBytes(source);
        SourceError error;
        if (extension == ".palette") {
            PaletteSheet palette;
            EXPECT_TRUE(ParsePalette(source, text, palette, error)) << error.Text();
        } else {
            ++sprites;
            SpriteSheet sheet;
            ASSERT_TRUE(ParseSprite(source, text, sheet, error)) << error.Text();
            const std::string description =
                ResolveDataPath(SheetDescriptionPath(GameDir(), sheet.name));
            ASSERT_FALSE(description.empty()) << source << ": no description for " << sheet.name;
            EXPECT_TRUE(CheckSheetAgainstDescription(source, sheet, description,
                                                     ReadBytes(description), error))
                << error.Text();
        }
    }
    EXPECT_GT(sprites, 10);
}
