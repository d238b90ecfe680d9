#include "SheetBuilder.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "core/DataPath.h"
#include "anim/AnimationSet.h"
#include "anim/DescriptionCheck.h"

static_assert(sizeof(Rgba) == 4, "an Image's pixels are handed to libpng as RGBA bytes");

namespace {

// Larger sheets than this are a broken source, not art.
constexpr int kMaxFrameSide = 1024;
constexpr int kMaxSheetSide = 16384;
constexpr int kMaxGridSide = 256;

// ---- Lines and tokens ------------------------------------------------------

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else if (c != '\r') {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string TrimRight(const std::string& s) {
    size_t end = s.size();
    while (end > 0 && IsSpace(s[end - 1])) --end;
    return s.substr(0, end);
}

// A comment is a line whose first visible character is '#', or a '#' standing
// alone after a space; "#f8f8f8" is a colour, not a comment.
std::string StripComment(const std::string& line) {
    size_t first = 0;
    while (first < line.size() && IsSpace(line[first])) ++first;
    if (first == line.size() || line[first] == '#') return "";
    for (size_t i = first + 1; i < line.size(); ++i) {
        if (line[i] == '#' && IsSpace(line[i - 1]) &&
            (i + 1 == line.size() || IsSpace(line[i + 1])))
            return TrimRight(line.substr(0, i));
    }
    return TrimRight(line);
}

std::vector<std::string> Tokens(const std::string& content) {
    std::vector<std::string> tokens;
    std::istringstream in(content);
    std::string token;
    while (in >> token) tokens.push_back(token);
    return tokens;
}

// The text after the first word, trimmed: names may hold spaces ("Player\Rook Fire").
std::string RestAfterFirstWord(const std::string& content) {
    size_t i = 0;
    while (i < content.size() && IsSpace(content[i])) ++i;
    while (i < content.size() && !IsSpace(content[i])) ++i;
    while (i < content.size() && IsSpace(content[i])) ++i;
    return content.substr(i);
}

bool ParseInt(const std::string& token, int low, int high, int& value) {
    if (token.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(token.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#rrggbb" (opaque) or "#rrggbbaa".
bool ParseColour(const std::string& token, Rgba& colour) {
    if ((token.size() != 7 && token.size() != 9) || token[0] != '#') return false;
    uint8_t bytes[4] = {0, 0, 0, 255};
    for (size_t i = 1; i < token.size(); i += 2) {
        int high = HexDigit(token[i]);
        int low = HexDigit(token[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[(i - 1) / 2] = static_cast<uint8_t>(high * 16 + low);
    }
    colour = Rgba{bytes[0], bytes[1], bytes[2], bytes[3]};
    return true;
}

std::string ReadWholeFile(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    if (!ok) return "";
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

// A word from a source, fit to be quoted in a message.
std::string Printable(const std::string& word) {
    std::string out;
    for (char c : word) out += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return out.size() > 40 ? out.substr(0, 40) + "..." : out;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string Slashes(const std::string& name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

// ---- Sprite sources --------------------------------------------------------

struct Cell {
    Image pixels;
    int line = 0;
};

class SpriteParser {
public:
    SpriteParser(const std::string& file, SpriteSheet& sheet, SourceError& error)
        : file_(file), sheet_(sheet), error_(error) {
        legend_['.'] = Rgba();
    }

    bool Run(const std::string& text) {
        const std::vector<std::string> lines = SplitLines(text);
        int number = 0;
        for (const std::string& raw : lines) {
            ++number;
            const std::string content = StripComment(raw);
            if (content.empty()) continue;
            const std::vector<std::string> tokens = Tokens(content);
            const bool statement = IsKeyword(tokens[0]);
            if (openCell_ >= 0) {
                if (statement) {
                    return Fail(number, "cell " + std::to_string(openCell_) + " ends after " +
                                            std::to_string(rowsRead_) + " rows; a cell has " +
                                            std::to_string(sheet_.frameHeight));
                }
                if (!Row(number, content)) return false;
                continue;
            }
            if (statement) {
                inLegend_ = false;
                if (!Statement(number, tokens, content)) return false;
            } else if (inLegend_) {
                if (!LegendEntry(number, tokens)) return false;
            } else if (lastCell_ >= 0) {
                if (lastCellCopied_)
                    return Fail(number, "cell " + std::to_string(lastCell_) +
                                            " is a copy and takes no rows");
                return Fail(number, "cell " + std::to_string(lastCell_) + " already has its " +
                                        std::to_string(sheet_.frameHeight) + " rows");
            } else {
                return Fail(number, "unknown statement '" + Printable(tokens[0]) + "'");
            }
        }
        if (openCell_ >= 0) {
            return Fail(number, "cell " + std::to_string(openCell_) + " ends after " +
                                    std::to_string(rowsRead_) + " rows; a cell has " +
                                    std::to_string(sheet_.frameHeight));
        }
        if (sheet_.name.empty()) return Fail(number, "the file ends without a 'sheet' statement");
        if (cells_.empty()) return Fail(number, "the file ends before its first cell");
        Assemble();
        return true;
    }

private:
    static bool IsKeyword(const std::string& word) {
        return word == "sheet" || word == "mode" || word == "frame" || word == "columns" ||
               word == "rows" || word == "legend" || word == "cell";
    }

    bool Fail(int line, const std::string& message) {
        error_.file = file_;
        error_.line = line;
        error_.message = message;
        return false;
    }

    bool Statement(int line, const std::vector<std::string>& tokens, const std::string& content) {
        const std::string& word = tokens[0];
        const bool cellsStarted = !cells_.empty();
        if (word == "sheet") {
            if (!sheet_.name.empty()) return Fail(line, "a second 'sheet' statement");
            sheet_.name = RestAfterFirstWord(content);
            if (sheet_.name.empty()) return Fail(line, "'sheet' needs the set name");
            sheet_.sheetLine = line;
            return true;
        }
        if (word == "mode") {
            if (haveMode_) return Fail(line, "a second 'mode' statement");
            if (tokens.size() != 2 || (tokens[1] != "indexed" && tokens[1] != "rgba"))
                return Fail(line, "'mode' is 'indexed' or 'rgba'");
            sheet_.mode = tokens[1] == "indexed" ? SheetMode::Indexed : SheetMode::Rgba;
            haveMode_ = true;
            return true;
        }
        if (word == "frame") {
            if (cellsStarted) return Fail(line, "'frame' after the first cell");
            if (tokens.size() != 3 || !ParseInt(tokens[1], 1, kMaxFrameSide, sheet_.frameWidth) ||
                !ParseInt(tokens[2], 1, kMaxFrameSide, sheet_.frameHeight))
                return Fail(line, "'frame' needs a width and a height (1 to 1024 pixels)");
            sheet_.frameLine = line;
            return true;
        }
        if (word == "columns" || word == "rows") {
            if (cellsStarted) return Fail(line, "'" + word + "' after the first cell");
            int value = 0;
            if (tokens.size() != 2 || !ParseInt(tokens[1], 1, kMaxGridSide, value))
                return Fail(line, "'" + word + "' needs a count from 1 to 256");
            (word == "columns" ? sheet_.columns : sheet_.rows) = value;
            return true;
        }
        if (word == "legend") {
            if (tokens.size() != 1) return Fail(line, "'legend' stands alone; its entries follow");
            if (!haveMode_) return Fail(line, "'legend' before 'mode'");
            inLegend_ = true;
            return true;
        }
        return CellStatement(line, tokens);
    }

    bool LegendEntry(int line, const std::vector<std::string>& tokens) {
        if (tokens.size() != 2 || tokens[0].size() != 1)
            return Fail(line, "a legend entry is one character and its colour");
        const char key = tokens[0][0];
        Rgba colour;
        const std::string& value = tokens[1];
        if (value == "clear") {
            colour = Rgba();
        } else if (sheet_.mode == SheetMode::Indexed) {
            int column = 0;
            if (!ParseInt(value, 0, kPaletteColumns - 1, column))
                return Fail(line,
                            "an indexed sheet's colour is a palette column 0 to 15, or 'clear'");
            colour = IndexedColour(column);
        } else if (!ParseColour(value, colour)) {
            return Fail(line, "an rgba sheet's colour is #rrggbb, #rrggbbaa or 'clear'");
        }
        if (defined_.count(key)) {
            return Fail(line, std::string("'") + key + "' is already in the legend (line " +
                                  std::to_string(defined_[key]) + ")");
        }
        defined_[key] = line;
        legend_[key] = colour;
        return true;
    }

    bool CellStatement(int line, const std::vector<std::string>& tokens) {
        if (sheet_.name.empty()) return Fail(line, "'cell' before 'sheet'");
        if (!haveMode_) return Fail(line, "'cell' before 'mode'");
        if (sheet_.frameWidth == 0) return Fail(line, "'cell' before 'frame'");
        if (sheet_.columns * sheet_.frameWidth > kMaxSheetSide)
            return Fail(line, "the sheet would be wider than 16384 pixels");

        size_t at = 1;
        int index = nextCell_;
        if (at < tokens.size() && tokens[at] != "=") {
            if (!ParseInt(tokens[at], 0, INT_MAX, index))
                return Fail(line, "'" + Printable(tokens[at]) + "' is not a cell number");
            ++at;
        }
        int source = -1;
        bool flip = false;
        if (at < tokens.size()) {
            if (tokens[at] != "=" || at + 1 >= tokens.size() ||
                !ParseInt(tokens[at + 1], 0, INT_MAX, source))
                return Fail(line, "a copied cell is written 'cell N = M' or 'cell N = M flip'");
            at += 2;
            if (at < tokens.size()) {
                if (tokens[at] != "flip" || at + 1 != tokens.size())
                    return Fail(line, "after 'cell N = M' only 'flip' may follow");
                flip = true;
            }
        }

        const int gridRow = index / sheet_.columns;
        if (sheet_.rows > 0 && gridRow >= sheet_.rows) {
            return Fail(line, "cell " + std::to_string(index) + " lies outside the sheet's " +
                                  std::to_string(sheet_.rows) + " rows of " +
                                  std::to_string(sheet_.columns) + " cells");
        }
        if (static_cast<long long>(gridRow + 1) * sheet_.frameHeight > kMaxSheetSide)
            return Fail(line, "cell " + std::to_string(index) +
                                  " would make the sheet taller than 16384 pixels");
        auto previous = cells_.find(index);
        if (previous != cells_.end()) {
            return Fail(line, "cell " + std::to_string(index) + " is drawn twice (first on line " +
                                  std::to_string(previous->second.line) + ")");
        }

        Cell cell;
        cell.line = line;
        if (source >= 0) {
            auto copied = cells_.find(source);
            if (copied == cells_.end())
                return Fail(line,
                            "cell " + std::to_string(source) + " is not drawn before this copy");
            cell.pixels = copied->second.pixels;
            if (flip) {
                const Image& from = copied->second.pixels;
                for (int y = 0; y < from.height; ++y)
                    for (int x = 0; x < from.width; ++x)
                        cell.pixels.Set(from.width - 1 - x, y, from.Get(x, y));
            }
        } else {
            cell.pixels.Resize(sheet_.frameWidth, sheet_.frameHeight);
            openCell_ = index;
            rowsRead_ = 0;
        }
        cells_[index] = cell;
        lastCell_ = index;
        lastCellCopied_ = source >= 0;
        nextCell_ = index + 1;
        sheet_.lastCellLine = line;
        return true;
    }

    bool Row(int line, const std::string& content) {
        if (content.find_first_of(" \t") != std::string::npos)
            return Fail(line, "a row of pixels holds no spaces");
        if (static_cast<int>(content.size()) > sheet_.frameWidth) {
            return Fail(line, "the row is " + std::to_string(content.size()) +
                                  " pixels wide; a cell is " + std::to_string(sheet_.frameWidth));
        }
        Image& pixels = cells_[openCell_].pixels;
        for (size_t x = 0; x < content.size(); ++x) {
            auto colour = legend_.find(content[x]);
            if (colour == legend_.end()) {
                return Fail(line, "'" + Printable(std::string(1, content[x])) + "' (column " +
                                      std::to_string(x + 1) + ") is not in the legend");
            }
            pixels.Set(static_cast<int>(x), rowsRead_, colour->second);
        }
        sheet_.lastCellLine = line;
        if (++rowsRead_ == sheet_.frameHeight) openCell_ = -1;
        return true;
    }

    void Assemble() {
        sheet_.cellCount = cells_.rbegin()->first + 1;
        const int gridRows = sheet_.rows > 0
                                 ? sheet_.rows
                                 : (sheet_.cellCount + sheet_.columns - 1) / sheet_.columns;
        sheet_.image.Resize(sheet_.columns * sheet_.frameWidth, gridRows * sheet_.frameHeight);
        for (const auto& entry : cells_) {
            const int left = (entry.first % sheet_.columns) * sheet_.frameWidth;
            const int top = (entry.first / sheet_.columns) * sheet_.frameHeight;
            const Image& pixels = entry.second.pixels;
            for (int y = 0; y < pixels.height; ++y)
                for (int x = 0; x < pixels.width; ++x)
                    sheet_.image.Set(left + x, top + y, pixels.Get(x, y));
        }
    }

    std::string file_;
    SpriteSheet& sheet_;
    SourceError& error_;
    std::map<char, Rgba> legend_;
    std::map<char, int> defined_;  // legend character -> its line
    std::map<int, Cell> cells_;
    bool haveMode_ = false;
    bool inLegend_ = false;
    int openCell_ = -1;  // the cell whose rows are being read
    int rowsRead_ = 0;
    int lastCell_ = -1;
    bool lastCellCopied_ = false;
    int nextCell_ = 0;
};

// ---- Descriptions ----------------------------------------------------------

// ---- PNG -------------------------------------------------------------------

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// Kept apart from its caller so that no object with a destructor lives
// across setjmp.
bool WriteWithLibpng(png_structp png, png_infop info, const Image& image, png_bytep* rows,
                     std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, AppendBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

bool MakeParentFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

}  // namespace

void Image::Resize(int w, int h) {
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * h, Rgba());
}

std::string SourceError::Text() const {
    if (line > 0) return file + ":" + std::to_string(line) + ": " + message;
    return file + ": " + message;
}

bool ParseSprite(const std::string& file, const std::string& text, SpriteSheet& sheet,
                 SourceError& error) {
    sheet = SpriteSheet();
    SpriteParser parser(file, sheet, error);
    return parser.Run(text);
}

bool ParsePalette(const std::string& file, const std::string& text, PaletteSheet& palette,
                  SourceError& error) {
    palette = PaletteSheet();
    palette.image.Resize(kPaletteColumns, kPaletteRows);
    for (Rgba& pixel : palette.image.pixels) pixel = Rgba{0, 0, 0, 255};
    auto fail = [&](int line, const std::string& message) {
        error.file = file;
        error.line = line;
        error.message = message;
        return false;
    };
    std::map<int, int> rowLines;
    int number = 0;
    for (const std::string& raw : SplitLines(text)) {
        ++number;
        const std::string content = StripComment(raw);
        if (content.empty()) continue;
        const std::vector<std::string> tokens = Tokens(content);
        if (tokens[0] == "palette") {
            if (!palette.name.empty()) return fail(number, "a second 'palette' statement");
            palette.name = RestAfterFirstWord(content);
            if (palette.name.empty()) return fail(number, "'palette' needs the set name");
        } else if (tokens[0] == "row") {
            int row = 0;
            if (tokens.size() < 2 || !ParseInt(tokens[1], 0, kPaletteRows - 1, row))
                return fail(number, "'row' needs a row number from 0 to 31");
            if (rowLines.count(row)) {
                return fail(number, "row " + std::to_string(row) +
                                        " is given twice (first on line " +
                                        std::to_string(rowLines[row]) + ")");
            }
            rowLines[row] = number;
            if (tokens.size() - 2 > static_cast<size_t>(kPaletteColumns))
                return fail(number, "a row holds at most 16 colours");
            for (size_t i = 2; i < tokens.size(); ++i) {
                Rgba colour;
                if (tokens[i] == "clear") {
                    colour = Rgba();
                } else if (!ParseColour(tokens[i], colour)) {
                    return fail(number, "'" + Printable(tokens[i]) +
                                            "' is not a colour (#rrggbb, #rrggbbaa or 'clear')");
                }
                palette.image.Set(static_cast<int>(i - 2), row, colour);
            }
        } else {
            return fail(number, "unknown statement '" + Printable(tokens[0]) + "'");
        }
    }
    if (palette.name.empty()) return fail(number, "the file ends without a 'palette' statement");
    return true;
}

bool CheckSheetAgainstDescription(const std::string& file, const SpriteSheet& sheet,
                                  const std::string& descriptionFile,
                                  const std::string& descriptionText, SourceError& error) {
    DescriptionFault fault;
    if (!CheckDescription(descriptionText, fault)) {
        error.file = descriptionFile;
        error.line = fault.line;
        error.message = fault.message;
        return false;
    }
    AnimationSet set;
    ParseAnimationDescription(descriptionText, sheet.image.width, set);
    if (set.frameWidth != sheet.frameWidth || set.frameHeight != sheet.frameHeight) {
        error.file = file;
        error.line = sheet.frameLine;
        error.message = "frames are " + std::to_string(sheet.frameWidth) + " x " +
                        std::to_string(sheet.frameHeight) + " but " + descriptionFile + " says " +
                        std::to_string(set.frameWidth) + " x " + std::to_string(set.frameHeight);
        return false;
    }
    long long frames = 0;
    for (const Animation& animation : set.Animations()) frames += animation.frameCount;
    if (!set.Animations().empty() && frames != sheet.cellCount) {
        error.file = file;
        error.line = sheet.lastCellLine;
        error.message = "the sheet holds " + std::to_string(sheet.cellCount) + " cells but " +
                        descriptionFile + " hands out " + std::to_string(frames) + " frames";
        return false;
    }
    return true;
}

std::vector<uint8_t> EncodePng(const Image& image) {
    std::vector<uint8_t> bytes;
    if (image.width <= 0 || image.height <= 0) return bytes;
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        // libpng only reads the rows it is given.
        rows[y] = const_cast<png_bytep>(
            reinterpret_cast<const png_byte*>(&image.pixels[static_cast<size_t>(y) * image.width]));
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return bytes;
    png_infop info = png_create_info_struct(png);
    const bool written = info && WriteWithLibpng(png, info, image, rows.data(), &bytes);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!written) bytes.clear();
    return bytes;
}

bool WritePng(const std::string& path, const Image& image, std::string& error) {
    const std::vector<uint8_t> bytes = EncodePng(image);
    if (bytes.empty()) {
        error = "cannot encode the image";
        return false;
    }
    if (!MakeParentFolders(path)) {
        error = "cannot create the folders of " + path;
        return false;
    }
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    const bool complete = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !complete || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}

std::string SheetImagePath(const std::string& gameDir, const std::string& setName) {
    return gameDir + "/data/img/" + Slashes(setName) + ".png";
}

std::string SheetDescriptionPath(const std::string& gameDir, const std::string& setName) {
    return gameDir + "/data/objects/" + Slashes(setName) + ".anim";
}

bool BuildSource(const std::string& sourcePath, const std::string& gameDir,
                 std::string& writtenPath, SourceError& error) {
    error = SourceError();
    error.file = sourcePath;
    bool readable = false;
    const std::string text = ReadWholeFile(sourcePath, readable);
    if (!readable) {
        error.message = "cannot be read";
        return false;
    }
    Image image;
    if (EndsWith(sourcePath, ".palette")) {
        PaletteSheet palette;
        if (!ParsePalette(sourcePath, text, palette, error)) return false;
        writtenPath = SheetImagePath(gameDir, palette.name);
        image = palette.image;
    } else if (EndsWith(sourcePath, ".sprite")) {
        SpriteSheet sheet;
        if (!ParseSprite(sourcePath, text, sheet, error)) return false;
        const std::string expected = SheetDescriptionPath(gameDir, sheet.name);
        const std::string found = ResolveDataPath(expected);
        bool described = false;
        const std::string description = found.empty() ? "" : ReadWholeFile(found, described);
        if (!described) {
            error.line = sheet.sheetLine;
            error.message = "no description " + expected + " for the sheet " + sheet.name;
            return false;
        }
        if (!CheckSheetAgainstDescription(sourcePath, sheet, found, description, error))
            return false;
        writtenPath = SheetImagePath(gameDir, sheet.name);
        image = sheet.image;
    } else {
        error.message = "is neither a .sprite nor a .palette source";
        return false;
    }
    std::string failure;
    if (!WritePng(writtenPath, image, failure)) {
        error.line = 0;
        error.message = failure;
        return false;
    }
    return true;
}

Image RenderPreview(const SpriteSheet& sheet, const PaletteSheet* palette, int paletteRow,
                    int scale, Rgba backdrop) {
    if (scale < 1) scale = 1;
    if (paletteRow < 0 || paletteRow >= kPaletteRows) paletteRow = 0;
    const Image& source = sheet.image;
    Image out;
    out.Resize(source.width * scale, source.height * scale);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            // Alternate cells get a slightly darker backdrop so the grid shows.
            Rgba back = backdrop;
            const int cellX = sheet.frameWidth > 0 ? x / sheet.frameWidth : 0;
            const int cellY = sheet.frameHeight > 0 ? y / sheet.frameHeight : 0;
            if ((cellX + cellY) % 2 == 1) {
                back.r = static_cast<uint8_t>(back.r * 7 / 8);
                back.g = static_cast<uint8_t>(back.g * 7 / 8);
                back.b = static_cast<uint8_t>(back.b * 7 / 8);
            }
            Rgba pixel = source.Get(x, y);
            if (pixel.a != 0 && sheet.mode == SheetMode::Indexed) {
                const int column = pixel.r / 16;
                pixel = palette ? palette->image.Get(column, paletteRow)
                                : Rgba{pixel.r, pixel.r, pixel.r, 255};
            }
            const int a = pixel.a;
            Rgba shown{static_cast<uint8_t>((pixel.r * a + back.r * (255 - a)) / 255),
                       static_cast<uint8_t>((pixel.g * a + back.g * (255 - a)) / 255),
                       static_cast<uint8_t>((pixel.b * a + back.b * (255 - a)) / 255), 255};
            for (int sy = 0; sy < scale; ++sy)
                for (int sx = 0; sx < scale; ++sx) out.Set(x * scale + sx, y * scale + sy, shown);
        }
    }
    return out;
}
