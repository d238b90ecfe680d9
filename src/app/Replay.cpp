#include "app/Replay.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "app/Game.h"
#include "app/StateLine.h"
#include "app/Startup.h"
#include "core/DataPath.h"

namespace fs = std::filesystem;

namespace {

// 64-bit FNV-1a: small, stable across machines, and enough to tell data apart.
struct Fnv {
    unsigned long long hash = 14695981039346656037ULL;
    void Add(const char* bytes, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            hash ^= static_cast<unsigned char>(bytes[i]);
            hash *= 1099511628211ULL;
        }
    }
    void Add(const std::string& text) { Add(text.data(), text.size() + 1); }  // with its NUL, as a separator
};

}  // namespace

std::string DataDigest() {
    const std::string folder = ResolveDataPath("data");
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) return "";
    std::vector<std::pair<std::string, std::string>> files;  // lower-case relative path, path on disk
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const std::string relative = LowerCase(fs::relative(it->path(), folder, error).generic_string());
        if (relative != "game.cfg") files.emplace_back(relative, it->path().string());
    }
    std::sort(files.begin(), files.end());
    Fnv fnv;
    for (const auto& file : files) {
        fnv.Add(file.first);
        std::ifstream in(file.second, std::ios::binary);
        char buffer[8192];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) fnv.Add(buffer, static_cast<size_t>(in.gcount()));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", fnv.hash);
    return text;
}

RunRecorder::~RunRecorder() { Finish(); }

bool RunRecorder::Open(const std::string& path, std::string& why) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) why = "Cannot record the run to " + path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void RunRecorder::Begin(unsigned seed, const std::string& stage, const std::string& digest) {
    if (!file_) return;
    std::fprintf(file_, "# A Kestrion run: kestrion --play FILE plays it back.\nseed %u\nstage %s\n", seed, stage.c_str());
    if (!digest.empty()) std::fprintf(file_, "data %s\n", digest.c_str());
    std::fflush(file_);
}

void RunRecorder::Event(int frame, const std::string& text) {
    if (!file_ || text.empty()) return;
    std::fprintf(file_, "frame %d %s\n", frame, text.c_str());
    std::fflush(file_);
}

void RunRecorder::FrameDone(const Game& game) {
    if (!file_ || game.frameCounter == frames_) return;
    frames_ = game.frameCounter;
    expect_ = StateExpectation(game);
}

void RunRecorder::Finish() {
    if (!file_) return;
    if (frames_ > 0) std::fprintf(file_, "frames %d\nframe %d expect %s\n", frames_, frames_, expect_.c_str());
    std::fclose(file_);
    file_ = nullptr;
}

std::string StateExpectation(const Game& game) {
    std::istringstream line(FormatFrameState(CaptureFrameState(game, {})));
    std::string word, expectation;
    int section = 0;  // the hero, the lists ("NAME SIZE" pairs), the sounds, the stage flow
    bool listName = true;
    line >> word >> word;  // "frame N"
    while (line >> word) {
        if (word == "|") {
            ++section;
            continue;
        }
        if (section == 2) continue;
        if (section == 1) {
            if (listName) word = "#" + word;
            listName = !listName;
        }
        expectation += (expectation.empty() ? "" : " ") + word;
    }
    return expectation;
}

bool LoadReplay(const std::string& path, const std::string& stageOption, const std::string& digest,
                InputScript& script, std::string& why) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!file) {
        why = "Cannot play " + path + ": it cannot be read";
    } else if (!ParseInputScript(text.str(), script, error)) {
        why = "Cannot play " + path + ": " + error;
    } else if (!script.stage.empty() && !stageOption.empty() && LowerCase(script.stage) != LowerCase(stageOption)) {
        why = "Cannot play " + path + ": it was recorded in the stage " + script.stage + ", not " + stageOption;
    } else if (!script.data.empty() && script.data != digest) {
        why = "Cannot play " + path + ": it was recorded with other game data (data " + script.data +
              ", this game's is " + (digest.empty() ? std::string("missing") : digest) + ")";
    }
    return why.empty();
}

void PlayReplay(const InputScript& given, ProgramHooks& hooks, bool& asRecorded) {
    auto script = std::make_shared<const InputScript>(given);
    hooks.scriptedEvents = true;
    hooks.seeded = true;
    hooks.seed = script->seed;
    if (!script->stage.empty()) hooks.options.stage = script->stage;
    auto queued = std::make_shared<int>(0);  // paused, the main loop asks for a frame again
    hooks.beforeFrame = [script, queued](Game& game, Session& session, int frame) {
        // The watcher's own keys: leave, or switch the window; nothing else
        // reaches the game.
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT || (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE))
                game.quit = true;
            else if (IsFullscreenToggle(event))
                game.fullscreenToggle = true;
        }
        if (frame == *queued) return;
        *queued = frame;
        QueueFrameEvents(*script, frame, game.bindings, session.events);
    };
    hooks.afterFrame = [script, &asRecorded](Game& game, Session&) {
        const int frame = game.frameCounter;
        auto reports = script->reports.find(frame);
        if (reports != script->reports.end()) {
            for (const ScriptReport& report : reports->second) {
                if (report.kind != "expect") continue;
                const std::string missed = StateMismatch(CaptureFrameState(game, {}), report.argument);
                if (missed.empty()) continue;
                std::printf("The replay went another way: at frame %d %s is not as recorded (%s)\n", frame,
                            missed.c_str(), FormatFrameState(CaptureFrameState(game, {})).c_str());
                asRecorded = false;
            }
        }
        if (frame < script->Length()) return true;
        if (asRecorded) std::printf("The replay ended as recorded after %d frames.\n", frame);
        return false;
    };
}
