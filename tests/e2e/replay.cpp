// kestrion_replay SCRIPT [OUTPUT-DIR]: the real program (start-up, the paced
// main loop, the drawing) run in the working directory on recorded input.
// The script's events (see InputHarness.h for the format) take the place of
// SDL's event queue, rand() is seeded with its seed, and the run ends after
// its last frame with the program's own exit status. A "state" frame prints
// that frame's state line on standard output; a "screenshot" frame saves the
// frame's picture as a PNG in OUTPUT-DIR (the working directory by default).
#include <GL/gl.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/Startup.h"
#include "render/FrameComposition.h"
#include "support/InputHarness.h"
#include "support/TestImage.h"

namespace {

// The frame as ComposeFrame draws it, read back before the swap.
bool SaveScreenshot(const Game& game, const Session& session, const std::string& path) {
    ComposeFrame(game, session.draw);
    glFinish();
    std::vector<unsigned char> rgba(kScreenWidth * kScreenHeight * 4);
    glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    TestImage image(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        const unsigned char* row =
            &rgba[(kScreenHeight - 1 - y) * kScreenWidth * 4];  // GL: bottom first
        for (int x = 0; x < kScreenWidth; ++x) {
            const unsigned char* p = row + x * 4;
            image.At(x, y) =
                (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | 0xFFu;
        }
    }
    std::ofstream out(path, std::ios::binary);
    out << EncodePng(image);
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s SCRIPT [OUTPUT-DIR]\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();
    InputScript script;
    std::string error;
    if (!ParseInputScript(text.str(), script, error)) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], error.c_str());
        return 2;
    }
    const std::string outputDir = argc == 3 ? argv[2] : ".";
    const int length = script.Length();

    std::vector<SoundRequest> sounds;
    bool screenshotsSaved = true;
    ProgramHooks hooks;
    hooks.scriptedEvents = true;
    hooks.seeded = true;
    hooks.seed = script.seed;
    hooks.beforeFrame = [&](Game& game, Session& session, int frame) {
        game.world.sounds.log = &sounds;
        sounds.clear();
        QueueFrameEvents(script, frame, game.bindings, session.events);
    };
    hooks.afterFrame = [&](Game& game, Session& session) {
        const int frame = game.frameCounter;
        auto reports = script.reports.find(frame);
        if (reports != script.reports.end()) {
            for (const ScriptReport& report : reports->second) {
                if (report.kind == "state") {
                    std::printf("%s\n", FormatFrameState(CaptureFrameState(game, sounds)).c_str());
                } else if (!SaveScreenshot(game, session, outputDir + "/" + report.argument)) {
                    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], report.argument.c_str());
                    screenshotsSaved = false;
                }
            }
        }
        return frame < length;
    };
    const int status = RunProgram(hooks);
    return status != 0 ? status : (screenshotsSaved ? 0 : 1);
}
