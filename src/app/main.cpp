// Kestrion: start-up, the main loop and shutdown.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Startup.h"

int main(int argc, char** argv) {
    // Line-buffered, so no diagnostic is lost however the process ends.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ProgramOptions options;
    const int status = ParseCommandLine(argc, argv, options);
    if (status >= 0) return status;
    ProgramHooks hooks;
    hooks.options = options;
    return RunProgram(hooks);
}
