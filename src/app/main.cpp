// Kestrion: start-up, the main loop and shutdown.
#include <cstdio>

#include "app/Startup.h"

int main(int, char**) {
    // Line-buffered, so no diagnostic is lost however the process ends.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return RunProgram();
}
