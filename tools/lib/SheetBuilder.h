// SheetBuilder: sprite sheets and palettes drawn as text, turned into PNG.
//
// A ".sprite" source draws the cells of one sheet with a legend of one
// character per colour; a ".palette" source lists the rows of a 16 x 32
// palette image (docs/art-sources.md describes both). The parsers stop at the
// first fault and report it as one line, "file:line: message"; nothing here
// throws. Indexed sheets store palette column c as the colour (16 c, 0, 0)
// with alpha 255, which the palette shader reads back from the red channel.
// PNG output is deterministic: 8-bit RGBA, fixed compression level and
// filters, no time or text chunks, so a source always gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kPaletteColumns = 16;
constexpr int kPaletteRows = 32;

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// The stored colour of palette column c (0..15) in an indexed sheet.
inline Rgba IndexedColour(int column) {
    return Rgba{static_cast<uint8_t>(16 * column), 0, 0, 255};
}

// Row-major RGBA pixels; a new image is transparent black.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    void Resize(int w, int h);
    Rgba Get(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, Rgba c) { pixels[static_cast<size_t>(y) * width + x] = c; }
};

struct SourceError {
    std::string file;
    int line = 0;  // 0: the fault belongs to the file as a whole
    std::string message;

    std::string Text() const;  // "file:line: message" (or "file: message")
};

enum class SheetMode { Indexed, Rgba };

// A parsed ".sprite" source with its assembled sheet image.
struct SpriteSheet {
    std::string name;  // the set name, e.g. "Player\Rook"
    SheetMode mode = SheetMode::Indexed;
    int frameWidth = 0;
    int frameHeight = 0;
    int columns = 1;
    int rows = 0;       // as written; 0 when the sheet is as tall as its cells need
    int cellCount = 0;  // highest cell index drawn, plus one
    int sheetLine = 0;  // where the statements are, for messages
    int frameLine = 0;
    int lastCellLine = 0;
    Image image;
};

struct PaletteSheet {
    std::string name;  // e.g. "Palette"
    Image image;       // 16 x 32
};

bool ParseSprite(const std::string& file, const std::string& text, SpriteSheet& sheet,
                 SourceError& error);
bool ParsePalette(const std::string& file, const std::string& text, PaletteSheet& palette,
                  SourceError& error);

// Checks a sheet against the text of its ".anim" description: the same frame
// size, and, when the description has animations, exactly one cell for every
// frame it hands out. A description without animations (a tileset, the life
// gauge) is only checked for its frame size.
bool CheckSheetAgainstDescription(const std::string& file, const SpriteSheet& sheet,
                                  const std::string& descriptionFile,
                                  const std::string& descriptionText, SourceError& error);

// The PNG bytes of an image; empty when libpng fails.
std::vector<uint8_t> EncodePng(const Image& image);

// Writes the PNG through a temporary file renamed into place, creating the
// parent folders, so a reader never sees half a sheet.
bool WritePng(const std::string& path, const Image& image, std::string& error);

// Where a set's sheet and description live under a game folder:
// gameDir/data/img/<name>.png and gameDir/data/objects/<name>.anim, with the
// set name's "\" turned into "/".
std::string SheetImagePath(const std::string& gameDir, const std::string& setName);
std::string SheetDescriptionPath(const std::string& gameDir, const std::string& setName);

// Builds one source file (".sprite" or ".palette") into gameDir: parse, check
// a sprite against its description, write the PNG. writtenPath receives the
// image's path.
bool BuildSource(const std::string& sourcePath, const std::string& gameDir,
                 std::string& writtenPath, SourceError& error);

// A look at a sheet for people: every pixel scaled up, indexed pixels coloured
// through one row of a palette, on a plain backdrop that shows what is clear.
Image RenderPreview(const SpriteSheet& sheet, const PaletteSheet* palette, int paletteRow,
                    int scale, Rgba backdrop);
