// kestrion-replay [--stage NAME] [--data DIR] SCRIPT [OUTPUT-DIR]: the real
// program, with the game's own options (start-up, the main
// loop, the drawing) run in the working directory on recorded input, as fast
// as it draws: nothing in the game counts time but frames.
// The script's events (see app/InputScript.h for the format) take the place of
// SDL's event queue, the random draws are seeded with its seed, and the run ends after
// its last frame with the program's own exit status. A "state" frame prints
// that frame's state line on standard output; a "screenshot" frame saves the
// frame's picture as a PNG in OUTPUT-DIR (the working directory by default),
// a "window" frame saves the whole window as shown (scaled, with any bars),
// and a "pixels" frame prints the colours of a screen rectangle, row by row
// from its top left, as "frame N pixels X,Y WxH RRGGBB RRGGBB ...", an
// "objects" frame the names and positions of one category list's objects, and
// an "expect" frame checks its state line: a value it does not show is
// printed on standard error and the run ends with status 1.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/Startup.h"
#include "app/GameFrame.h"
#include "core/View.h"
#include "SheetBuilder.h"
#include "render/FrameComposition.h"
#include "app/InputScript.h"
#include "app/StateLine.h"

namespace {

// The bottom-left width x height pixels of the back buffer, opaque, rows from the top.
Image ReadBack(int width, int height) {
    glFinish();
    std::vector<unsigned char> rgba(size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    Image image;
    image.Resize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgba[((size_t(height) - 1 - y) * width + x) * 4];  // GL: bottom first
            image.Set(x, y, Rgba{p[0], p[1], p[2], 255});
        }
    return image;
}

// The frame as ComposeFrame draws it, read back before the swap.
Image ReadFrame(const Game& game, const Session& session) {
    ComposeFrame(ViewOf(game), session.draw);
    return ReadBack(kViewWidth, kViewHeight);
}

// The whole window as the frame is shown in it (scaled, with its bars).
Image ReadWindow(const Game& game, Session& session) {
    Picture& picture = session.window.picture();
    ComposeFrame(ViewOf(game), session.draw);
    PresentPicture(picture);
    return ReadBack(picture.windowWidth, picture.windowHeight);
}

std::string PixelsLine(int frame, const Image& image, const ScriptReport& r) {
    char text[32];
    std::snprintf(text, sizeof text, "frame %d pixels %d,%d %dx%d", frame, r.x, r.y, r.width,
                  r.height);
    std::string line = text;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const Rgba c = image.Get(x, y);
            std::snprintf(text, sizeof text, " %02x%02x%02x", c.r, c.g, c.b);
            line += text;
        }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ProgramHooks hooks;
    // The game's own --stage and --data come first; then the script.
    int first = 1;
    while (first + 1 < argc && (std::strcmp(argv[first], "--stage") == 0 || std::strcmp(argv[first], "--data") == 0)) {
        (argv[first][2] == 's' ? hooks.options.stage : hooks.options.dataDir) = argv[first + 1];
        first += 2;
    }
    if (argc - first < 1 || argc - first > 2) {
        std::fprintf(stderr, "usage: %s [--stage NAME] [--data DIR] SCRIPT [OUTPUT-DIR]\n", argv[0]);
        return 2;
    }
    argv += first - 1;
    argc -= first - 1;
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
    // Absolute: --data changes the working directory.
    const std::string outputDir = std::filesystem::absolute(argc == 3 ? argv[2] : ".").string();
    const int length = script.Length();

    std::vector<SoundRequest> sounds;
    bool screenshotsSaved = true;
    bool expectationsMet = true;
    hooks.scriptedEvents = true;
    hooks.seeded = true;
    hooks.seed = script.seed;
    int queued = 0;  // the last frame whose events are queued: paused, a frame is asked for again
    hooks.beforeFrame = [&](Game& game, Session& session, int frame) {
        if (frame == queued) return;
        queued = frame;
        game.frameThreshold = -1;  // every pass of the main loop runs a frame
        game.sounds.log = &sounds;
        sounds.clear();
        QueueFrameEvents(script, frame, game.bindings, session.events);
    };
    hooks.afterFrame = [&](Game& game, Session& session) {
        const int frame = game.frameCounter;
        auto reports = script.reports.find(frame);
        if (reports != script.reports.end()) {
            Image picture;  // read back once, for the frame's first picture report
            for (const ScriptReport& report : reports->second) {
                if (report.kind == "state") {
                    std::printf("%s\n", FormatFrameState(CaptureFrameState(game, sounds)).c_str());
                    continue;
                }
                if (report.kind == "expect") {
                    const FrameState state = CaptureFrameState(game, sounds);
                    const std::string missed = StateMismatch(state, report.argument);
                    if (!missed.empty()) {
                        std::fprintf(stderr, "frame %d: %s of \"%s\" not shown by: %s\n", frame,
                                     missed.c_str(), report.argument.c_str(),
                                     FormatFrameState(state).c_str());
                        expectationsMet = false;
                    }
                    continue;
                }
                if (report.kind == "objects") {
                    std::printf("%s\n", FormatObjectList(game, report.argument).c_str());
                    continue;
                }
                std::string error;
                if (report.kind == "window") {
                    if (!WritePng(outputDir + "/" + report.argument, ReadWindow(game, session), error)) {
                        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
                        screenshotsSaved = false;
                    }
                    continue;
                }
                if (picture.pixels.empty()) picture = ReadFrame(game, session);
                if (report.kind == "pixels") {
                    std::printf("%s\n", PixelsLine(frame, picture, report).c_str());
                } else if (!WritePng(outputDir + "/" + report.argument, picture, error)) {
                    std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
                    screenshotsSaved = false;
                }
            }
        }
        return frame < length;
    };
    const int status = RunProgram(hooks);
    return status != 0 ? status : (screenshotsSaved && expectationsMet ? 0 : 1);
}
