#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

const char* const kUsage =
    "usage: kestrion [--stage NAME] [--data DIR] [--record FILE | --play FILE] [--help] [--version]\n"
    "  --stage NAME  start in the stage data/Stages/NAME.rmap instead of game.cfg's OpeningStage\n"
    "  --data DIR    run the game folder DIR (data/ and input.cfg) instead of the current folder\n"
    "  --record FILE write the run to FILE as it is played, to share or play back\n"
    "  --play FILE   play back the run recorded in FILE; Escape ends it\n"
    "  --help        print this and exit\n"
    "  --version     print the version and exit\n";

int Usage(const char* problem, const char* argument) {
    std::fprintf(stderr, "kestrion: %s%s\n%s", problem, argument, kUsage);
    return 2;
}

}  // namespace

int ParseCommandLine(int argc, const char* const* argv, ProgramOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            std::printf("Kestrion %s: a side-scrolling action platformer.\n%s", kVersion, kUsage);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("Kestrion %s\n", kVersion);
            return 0;
        }
        std::string* value = std::strcmp(arg, "--stage") == 0    ? &options.stage
                             : std::strcmp(arg, "--data") == 0   ? &options.dataDir
                             : std::strcmp(arg, "--record") == 0 ? &options.record
                             : std::strcmp(arg, "--play") == 0   ? &options.play
                                                                 : nullptr;
        if (!value) return Usage("unknown option ", arg);
        if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage(arg, " needs a value");
        *value = argv[++i];
    }
    // A file given relative to where the program started, whatever --data says.
    for (std::string* file : {&options.record, &options.play})
        if (!file->empty() && (*file)[0] != '/') *file = std::filesystem::absolute(*file).string();
    return -1;
}
