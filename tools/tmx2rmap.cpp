// kestrion-tmx2rmap: converts one stage drawn in Tiled into the game's stage file.
//
//   kestrion-tmx2rmap in.tmx out.rmap
//
// Prints nothing on success but warnings (StageWarnings.h), one line each on
// standard error; a fault is one line on standard error and a non-zero
// exit, and out.rmap is then left as it was.
#include <cstdio>
#include <string>

#include "StageWarnings.h"
#include "SynthText.h"
#include "TmxConverter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrion-tmx2rmap in.tmx out.rmap\n");
        return 2;
    }
    std::string error, text;
    RmapStage stage;
    if (!ConvertTmxFile(argv[1], argv[2], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (ReadTextFile(argv[1], text) && ParseTmx(argv[1], text, stage, error))
        for (const std::string& warning : StageWarnings(argv[1], argv[2], stage))
            std::fprintf(stderr, "%s\n", warning.c_str());
    return 0;
}
