// Kestrion: start-up, the main loop and shutdown.
#include <cstdio>
#include <memory>

#include "app/Game.h"
#include "app/Startup.h"

int main(int, char**) {
    // Line-buffered, so no diagnostic is lost however the process ends.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    auto game = std::make_unique<Game>();
    Session session;
    if (!StartGame(*game, session)) return 1;
    RunMainLoop(*game, session);
    ShutDown(session);
    return 0;
}
