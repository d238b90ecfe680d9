// kestrion-sheet: builds sprite sheets and palettes from their text sources.
//
//   kestrion-sheet --out GAME_DIR SOURCE...
//       Each ".sprite" or ".palette" source becomes GAME_DIR/data/img/<set>.png;
//       a sprite is first checked against GAME_DIR/data/objects/<set>.anim.
//   kestrion-sheet --preview OUT.png [--palette FILE.palette] [--row N]
//                  [--scale N] SOURCE.sprite
//       Writes a scaled-up look at one sheet, coloured through a palette row.
//
// The first fault ends the run with one line "file:line: message" on standard
// error and exit status 1; a wrong command line exits with 2.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SheetBuilder.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: kestrion-sheet --out GAME_DIR SOURCE...\n"
                 "       kestrion-sheet --preview OUT.png [--palette FILE.palette] [--row N] "
                 "[--scale N] SOURCE.sprite\n");
    return 2;
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream contents;
    contents << in.rdbuf();
    text = contents.str();
    return true;
}

bool ParseCount(const char* text, int low, int high, int& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

int Preview(const std::string& outPath, const std::string& palettePath, int row, int scale,
            const std::string& sourcePath) {
    std::string text;
    if (!ReadText(sourcePath, text)) {
        std::fprintf(stderr, "%s: cannot be read\n", sourcePath.c_str());
        return 1;
    }
    SourceError error;
    SpriteSheet sheet;
    if (!ParseSprite(sourcePath, text, sheet, error)) {
        std::fprintf(stderr, "%s\n", error.Text().c_str());
        return 1;
    }
    PaletteSheet palette;
    if (!palettePath.empty()) {
        if (!ReadText(palettePath, text)) {
            std::fprintf(stderr, "%s: cannot be read\n", palettePath.c_str());
            return 1;
        }
        if (!ParsePalette(palettePath, text, palette, error)) {
            std::fprintf(stderr, "%s\n", error.Text().c_str());
            return 1;
        }
    }
    const Image preview = RenderPreview(sheet, palettePath.empty() ? nullptr : &palette, row, scale,
                                        Rgba{72, 88, 112, 255});
    std::string failure;
    if (!WritePng(outPath, preview, failure)) {
        std::fprintf(stderr, "%s: %s\n", outPath.c_str(), failure.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir;
    std::string previewPath;
    std::string palettePath;
    int row = 0;
    int scale = 4;
    std::vector<std::string> sources;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue) {
            outDir = argv[++i];
        } else if (arg == "--preview" && hasValue) {
            previewPath = argv[++i];
        } else if (arg == "--palette" && hasValue) {
            palettePath = argv[++i];
        } else if (arg == "--row" && hasValue) {
            if (!ParseCount(argv[++i], 0, kPaletteRows - 1, row)) return Usage();
        } else if (arg == "--scale" && hasValue) {
            if (!ParseCount(argv[++i], 1, 16, scale)) return Usage();
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            sources.push_back(arg);
        }
    }
    if (sources.empty()) return Usage();

    if (!previewPath.empty()) {
        if (sources.size() != 1 || !outDir.empty()) return Usage();
        return Preview(previewPath, palettePath, row, scale, sources[0]);
    }
    if (outDir.empty()) return Usage();
    for (const std::string& source : sources) {
        std::string written;
        SourceError error;
        if (!BuildSource(source, outDir, written, error)) {
            std::fprintf(stderr, "%s\n", error.Text().c_str());
            return 1;
        }
    }
    return 0;
}
