#include "SheetBuilder.h"

#include <SDL.h>
#include <SDL_image.h>
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "app/DataPath.h"
#include "render/AnimationSet.h"
#include "support/TestSupport.h"

namespace {

const Rgba kClear{0, 0, 0, 0};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A sheet that must parse; the test fails with the parser's line otherwise.
SpriteSheet Parse(const std::string& text) {
    SpriteSheet sheet;
    SourceError error;
    EXPECT_TRUE(ParseSprite("t.sprite", text, sheet, error)) << error.Text();
    return sheet;
}

// The parser's complaint about a broken source.
std::string ParseError(const std::string& text) {
    SpriteSheet sheet;
    SourceError error;
    EXPECT_FALSE(ParseSprite("t.sprite", text, sheet, error));
    return error.Text();
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

Rgba Pixel(const Image& image, int x, int y) {
    return image.Get(x, y);
}

// Every regular file under folder whose name ends with suffix.
void FindFiles(const std::string& folder, const std::string& suffix,
               std::vector<std::string>& out) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "/" + name;
        if (entry->d_type == DT_DIR) {
            FindFiles(path, suffix, out);
        } else if (name.size() > suffix.size() &&
                   name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            out.push_back(path);
        }
    }
    closedir(dir);
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
    // Two cells a row, three rows as needed for cell 4.
    ASSERT_EQ(8, sheet.image.width);
    ASSERT_EQ(9, sheet.image.height);

    const Rgba k = IndexedColour(1);
    const Rgba w = IndexedColour(7);
    const Rgba z = IndexedColour(15);
    EXPECT_EQ((Rgba{16, 0, 0, 255}), k);
    EXPECT_EQ((Rgba{112, 0, 0, 255}), w);
    EXPECT_EQ((Rgba{240, 0, 0, 255}), z);

    // Cell 0 at (0, 0): short rows are padded with clear pixels.
    EXPECT_EQ(k, Pixel(sheet.image, 0, 0));
    EXPECT_EQ(w, Pixel(sheet.image, 1, 0));
    EXPECT_EQ(kClear, Pixel(sheet.image, 2, 0));
    EXPECT_EQ(kClear, Pixel(sheet.image, 0, 1));
    EXPECT_EQ(z, Pixel(sheet.image, 3, 2));
    // Cell 3 at (4, 3).
    EXPECT_EQ(w, Pixel(sheet.image, 7, 3));
    EXPECT_EQ(z, Pixel(sheet.image, 4, 4));
    EXPECT_EQ(k, Pixel(sheet.image, 6, 5));
    // Cell 1 at (4, 0) copies cell 3 as it is.
    EXPECT_EQ(w, Pixel(sheet.image, 7, 0));
    EXPECT_EQ(k, Pixel(sheet.image, 6, 2));
    // Cell 2 was never drawn: clear.
    for (int y = 3; y < 6; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(kClear, Pixel(sheet.image, x, y));
    // Cell 4 at (0, 6) mirrors cell 0 left to right.
    EXPECT_EQ(k, Pixel(sheet.image, 3, 6));
    EXPECT_EQ(w, Pixel(sheet.image, 2, 6));
    EXPECT_EQ(kClear, Pixel(sheet.image, 0, 6));
    EXPECT_EQ(z, Pixel(sheet.image, 0, 8));
    EXPECT_EQ(k, Pixel(sheet.image, 1, 8));
}

TEST(SheetBuilder, RgbaLegendValues) {
    const SpriteSheet sheet = Parse(
        "sheet Health\n"
        "mode rgba\n"
        "frame 3 2\n"
        "rows 3\n"
        "legend\n"
        "  r #ff0000\n"
        "  h #10203080\n"
        "  c clear\n"
        "legend\n"
        "  C #0a0B0c\n"
        "cell\n"
        "rhc\n"
        "C\n");
    ASSERT_EQ(3, sheet.image.width);
    ASSERT_EQ(6, sheet.image.height);
    EXPECT_EQ((Rgba{255, 0, 0, 255}), Pixel(sheet.image, 0, 0));
    EXPECT_EQ((Rgba{0x10, 0x20, 0x30, 0x80}), Pixel(sheet.image, 1, 0));
    EXPECT_EQ(kClear, Pixel(sheet.image, 2, 0));
    EXPECT_EQ((Rgba{10, 11, 12, 255}), Pixel(sheet.image, 0, 1));
    EXPECT_EQ(kClear, Pixel(sheet.image, 1, 5));
}

TEST(SheetBuilder, ErrorsNameTheFileAndLine) {
    const std::string h = kHeader;  // eight lines
    EXPECT_EQ("t.sprite:10: 'q' (column 2) is not in the legend",
              ParseError(h + "cell\nkq\n.\n.\n"));
    // Too few rows: the next statement closes the cell early.
    EXPECT_EQ("t.sprite:12: cell 0 ends after 2 rows; a cell has 3",
              ParseError(h + "cell\nk\nk\ncell\nk\nk\nk\n"));
    // Too few rows at the end of the file.
    EXPECT_EQ("t.sprite:11: cell 0 ends after 2 rows; a cell has 3",
              ParseError(h + "cell\nk\nk\n"));
    // Too many rows.
    EXPECT_EQ("t.sprite:13: cell 0 already has its 3 rows", ParseError(h + "cell\nk\nk\nk\nk\n"));
    EXPECT_EQ("t.sprite:14: cell 1 is a copy and takes no rows",
              ParseError(h + "cell\nk\nk\nk\ncell = 0\nk\n"));
    EXPECT_EQ("t.sprite:10: the row is 5 pixels wide; a cell is 4",
              ParseError(h + "cell\nkkkkk\n.\n.\n"));
    EXPECT_EQ("t.sprite:10: a row of pixels holds no spaces", ParseError(h + "cell\nk k\n.\n.\n"));
    EXPECT_EQ("t.sprite:13: cell 0 is drawn twice (first on line 9)",
              ParseError(h + "cell\nk\nk\nk\ncell 0 = 0\n"));
    EXPECT_EQ("t.sprite:9: cell 2 is not drawn before this copy", ParseError(h + "cell = 2\n"));
    EXPECT_EQ("t.sprite:9: a copied cell is written 'cell N = M' or 'cell N = M flip'",
              ParseError(h + "cell 1 = \n"));
    EXPECT_EQ("t.sprite:9: after 'cell N = M' only 'flip' may follow",
              ParseError(h + "cell 1 = 0 mirror\n"));
    EXPECT_EQ("t.sprite:9: 'x' is not a cell number", ParseError(h + "cell x\n"));
    EXPECT_EQ("t.sprite:9: 'k' is already in the legend (line 6)", ParseError(h + "  k 2\n"));
    EXPECT_EQ("t.sprite:9: an indexed sheet's colour is a palette column 0 to 15, or 'clear'",
              ParseError(h + "  q 16\n"));
    EXPECT_EQ("t.sprite:9: a legend entry is one character and its colour",
              ParseError(h + "  ab 2\n"));
    EXPECT_EQ("t.sprite:2: unknown statement 'pixels'", ParseError("sheet A\npixels\n"));
    EXPECT_EQ("t.sprite:4: 'frame' needs a width and a height (1 to 1024 pixels)",
              ParseError("sheet A\nmode rgba\nlegend\nframe 0 4\n"));
    EXPECT_EQ("t.sprite:3: an rgba sheet's colour is #rrggbb, #rrggbbaa or 'clear'",
              ParseError("mode rgba\nlegend\n  r #ff00\n"));
    EXPECT_EQ("t.sprite:2: 'legend' before 'mode'", ParseError("sheet A\nlegend\n"));
    EXPECT_EQ("t.sprite:3: 'cell' before 'frame'", ParseError("sheet A\nmode rgba\ncell\n"));
    EXPECT_EQ("t.sprite:6: 'columns' after the first cell",
              ParseError("sheet A\nmode rgba\nframe 1 1\ncell\n.\ncolumns 2\n"));
    EXPECT_EQ("t.sprite:6: cell 2 lies outside the sheet's 1 rows of 2 cells",
              ParseError("sheet A\nmode rgba\nframe 1 1\ncolumns 2\nrows 1\ncell 2\n"));
    EXPECT_EQ("t.sprite:1: the file ends without a 'sheet' statement", ParseError("mode rgba\n"));
    EXPECT_EQ("t.sprite:3: the file ends before its first cell",
              ParseError("sheet A\nmode rgba\nframe 2 2\n"));
    EXPECT_EQ("t.sprite: the file ends without a 'sheet' statement", ParseError(""));
    EXPECT_EQ("t.sprite:1: unknown statement '?x'", ParseError("\x01x\n"));
    EXPECT_EQ("t.sprite:2: a second 'sheet' statement", ParseError("sheet A\nsheet B\n"));
    EXPECT_EQ("t.sprite:1: 'mode' is 'indexed' or 'rgba'", ParseError("mode palette\n"));
}

TEST(SheetBuilder, Palettes) {
    PaletteSheet palette;
    SourceError error;
    ASSERT_TRUE(ParsePalette("p.palette",
                             "# two rows given, the rest black\n"
                             "palette Palette\n"
                             "row 0  #000000 #102030 #ffffff80\n"
                             "row 31 clear #01020304\n",
                             palette, error))
        << error.Text();
    EXPECT_EQ("Palette", palette.name);
    ASSERT_EQ(16, palette.image.width);
    ASSERT_EQ(32, palette.image.height);
    EXPECT_EQ((Rgba{0, 0, 0, 255}), palette.image.Get(0, 0));
    EXPECT_EQ((Rgba{0x10, 0x20, 0x30, 255}), palette.image.Get(1, 0));
    EXPECT_EQ((Rgba{255, 255, 255, 0x80}), palette.image.Get(2, 0));
    EXPECT_EQ((Rgba{0, 0, 0, 255}), palette.image.Get(3, 0));
    EXPECT_EQ((Rgba{0, 0, 0, 255}), palette.image.Get(5, 17));
    EXPECT_EQ(kClear, palette.image.Get(0, 31));
    EXPECT_EQ((Rgba{1, 2, 3, 4}), palette.image.Get(1, 31));

    auto failure = [](const std::string& text) {
        PaletteSheet p;
        SourceError e;
        EXPECT_FALSE(ParsePalette("p.palette", text, p, e));
        return e.Text();
    };
    EXPECT_EQ("p.palette:2: row 0 is given twice (first on line 1)",
              failure("row 0 #000000\nrow 0\n"));
    EXPECT_EQ("p.palette:1: 'row' needs a row number from 0 to 31", failure("row 32 #000000\n"));
    EXPECT_EQ("p.palette:1: '#12345' is not a colour (#rrggbb, #rrggbbaa or 'clear')",
              failure("row 1 #12345\n"));
    std::string seventeen = "row 1";
    for (int i = 0; i < 17; ++i) seventeen += " #000000";
    EXPECT_EQ("p.palette:1: a row holds at most 16 colours", failure(seventeen + "\n"));
    EXPECT_EQ("p.palette:1: unknown statement 'colour'", failure("colour 1\n"));
    EXPECT_EQ("p.palette:1: the file ends without a 'palette' statement",
              failure("row 1 #000000\n"));
}

TEST(SheetBuilder, DescriptionChecks) {
    const SpriteSheet sheet =
        Parse(std::string(kHeader) + "cell\nk\nk\nk\ncell\nk\nk\nk\ncell = 0\n");
    ASSERT_EQ(3, sheet.cellCount);
    SourceError error;
    EXPECT_TRUE(CheckSheetAgainstDescription("t.sprite", sheet, "T.anim",
                                             "4 3 0 0 4 3 A 1 0 0 B 2 [1 1] 1", error));
    // A description without animations (a tileset) only has its frame size checked.
    EXPECT_TRUE(CheckSheetAgainstDescription("t.sprite", sheet, "T.anim", "4 3 0 0 4 3", error));

    EXPECT_FALSE(
        CheckSheetAgainstDescription("t.sprite", sheet, "T.anim", "4 4 0 0 4 3 A 3 0 0", error));
    EXPECT_EQ("t.sprite:3: frames are 4 x 3 but T.anim says 4 x 4", error.Text());
    EXPECT_FALSE(CheckSheetAgainstDescription("t.sprite", sheet, "T.anim",
                                              "4 3 0 0 4 3 A 1 0 0 B 3 2 0", error));
    EXPECT_EQ("t.sprite:17: the sheet holds 3 cells but T.anim hands out 4 frames", error.Text());

    // The description itself is read by the loader's rules, and a fault there
    // is reported in the description's own file and line.
    auto descriptionError = [&](const std::string& text) {
        SourceError e;
        EXPECT_FALSE(CheckSheetAgainstDescription("t.sprite", sheet, "T.anim", text, e));
        return e.Text();
    };
    EXPECT_EQ(
        "T.anim:1: the header needs left (six numbers: frameWidth frameHeight left top right "
        "bottom)",
        descriptionError("4 3 x"));
    // "[1 1 ]": the loader skips the space after two values and takes "]" for the loop frame.
    EXPECT_EQ("T.anim:3: B's delays: more than 2 values, or ']' not right after the last one",
              descriptionError("4 3 0 0 4 3\nA 1 0 0\nB 2 [1 1 ] 1"));
    EXPECT_EQ("T.anim:2: B's delays: ']' must follow the last value directly",
              descriptionError("4 3 0 0 4 3 A 1 0 0\nB 2 [1 ] 1"));
    EXPECT_EQ("T.anim:1: B's palette offsets: a value or '}' was expected",
              descriptionError("4 3 0 0 4 3 A 1 0 0 B 2 1 {0 x} 1"));
    EXPECT_EQ("T.anim:1: B's points: more than 2 values, or '>' not right after the last one",
              descriptionError("4 3 0 0 4 3 A 1 0 0 B 2 1 <1,2 3,4 5> 1"));
    EXPECT_EQ("T.anim:1: B: loop frame 2 is outside its 2 frames",
              descriptionError("4 3 0 0 4 3 A 1 0 0 B 2 1 2"));
    EXPECT_EQ("T.anim:1: B: the loop frame was expected",
              descriptionError("4 3 0 0 4 3 A 1 0 0 B 2 1"));
    EXPECT_EQ("T.anim:1: B: a frame count from 1 to 4096 was expected",
              descriptionError("4 3 0 0 4 3 B 0 1 0"));
    // Shorter and empty lists, and points with and without y, are well formed.
    EXPECT_TRUE(CheckSheetAgainstDescription(
        "t.sprite", sheet, "T.anim", "4 3 0 0 4 3 A 1 [] {} <> 0 B 2 [3] {1 2} <1.5,2 -3> 1",
        error))
        << error.Text();
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
    EXPECT_EQ((Rgba{16, 0, 0, 255}), pixel(thing, 0, 0));
    EXPECT_EQ((Rgba{112, 0, 0, 255}), pixel(thing, 1, 0));
    EXPECT_EQ(kClear.a, pixel(thing, 2, 0).a);
    EXPECT_EQ((Rgba{240, 0, 0, 255}), pixel(thing, 3, 2));
    EXPECT_EQ((Rgba{240, 0, 0, 255}), pixel(thing, 4, 2));
    EXPECT_EQ((Rgba{16, 0, 0, 255}), pixel(thing, 7, 0));
    SDL_FreeSurface(thing);

    SDL_Surface* gauge = IMG_Load((game + "/data/img/Health.png").c_str());
    ASSERT_NE(nullptr, gauge);
    EXPECT_EQ((Rgba{198, 33, 16, 255}), pixel(gauge, 0, 0));
    EXPECT_EQ((Rgba{8, 214, 66, 128}), pixel(gauge, 1, 0));
    SDL_FreeSurface(gauge);

    SDL_Surface* palette = IMG_Load((game + "/data/img/Palette.png").c_str());
    ASSERT_NE(nullptr, palette);
    ASSERT_EQ(16, palette->w);
    ASSERT_EQ(32, palette->h);
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
// its description (the build does the same; this keeps it under test).
TEST(SheetBuilder, TheGamesArtMatchesItsDescriptions) {
    std::vector<std::string> sources;
    FindFiles(GameDir() + "/art", ".sprite", sources);
    FindFiles(GameDir() + "/art", ".palette", sources);
    for (const std::string& source : sources) {
        SourceError error;
        const std::string text = ReadBytes(source);
        if (source.find(".palette") != std::string::npos) {
            PaletteSheet palette;
            EXPECT_TRUE(ParsePalette(source, text, palette, error)) << error.Text();
            continue;
        }
        SpriteSheet sheet;
        if (!ParseSprite(source, text, sheet, error)) {
            ADD_FAILURE() << error.Text();
            continue;
        }
        const std::string description =
            ResolveDataPath(SheetDescriptionPath(GameDir(), sheet.name));
        if (description.empty()) {
            ADD_FAILURE() << source << ": no description for " << sheet.name;
            continue;
        }
        EXPECT_TRUE(
            CheckSheetAgainstDescription(source, sheet, description, ReadBytes(description), error))
            << error.Text();
    }
}
