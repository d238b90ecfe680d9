// kestrion-bench [--quick]: how fast the engine runs the demo, on this
// machine. Not a test: it prints figures, each with its median and 95th
// percentile and as a ratio to a reference measured in the same run.
//   simulation   a frame of the seeded playthrough (both stages), headless;
//                then with 100, 1,000 and 5,000 extra scripted objects in a
//                hostile list (Walkers in "Enemies") and in a neutral one
//                (HealthSm in "Items"); reference: the plain stage's frame
//   drawing      composing and finishing a frame (glFinish), with no extra
//                objects (the reference) and with 1,000 sprites on screen
//   start-up     exec to the first presented frame of the real program;
//                reference: a bare SDL OpenGL window that presents one frame
//   pacing       the real main loop for 10 s: the main thread's and the whole
//                process's processor time, and the spread of frame starts;
//                reference: a bare SDL OpenGL window paced by SDL_Delay
// --quick runs every part with tiny sizes (the CTest smoke run); --part NAME
// (simulation, drawing, start-up or pacing) runs that part alone. Drawing,
// start-up and pacing need a display. Run it from anywhere: it finds the
// demo in the source tree it was built from.
#include <GL/gl.h>
#include <SDL.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/GameFrame.h"
#include "app/InputScript.h"
#include "app/Startup.h"
#include "core/Random.h"
#include "render/FrameComposition.h"
#include "render/Texture.h"

namespace {

const std::string kSource = KESTRION_SOURCE_DIR;
const std::string kGame = kSource + "/game";

double NowMs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Stats {
    double median = 0, p95 = 0;
};

Stats Summarize(std::vector<double> samples) {
    Stats s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    s.median = samples[samples.size() / 2];
    s.p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
    return s;
}

std::string Duration(double ms) {
    char text[32];
    if (ms < 1.0)
        std::snprintf(text, sizeof text, "%.1f us", ms * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f ms", ms);
    return text;
}

void Row(const std::string& what, const Stats& s, double reference) {
    std::printf("  %-46s %10s %10s %8.2f\n", what.c_str(), Duration(s.median).c_str(), Duration(s.p95).c_str(),
                reference > 0 ? s.median / reference : 0.0);
}

void Heading(const char* title, const char* reference) {
    std::printf("\n%s (ratio: to %s)\n  %-46s %10s %10s %8s\n", title, reference, "", "median", "p95", "ratio");
}

// The demo, headless or windowed, at its opening stage as the game starts it.
struct Demo {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    EventSource events = EventSource::Queue();

    explicit Demo(bool textures) {
        if (chdir(kGame.c_str()) != 0) std::perror(kGame.c_str());
        if (textures) game->world.animationSets.makeTextures = CreateTextures;
        game->bindings.ReadInputConfig(kInputConfigPath);
        game->flow.ReadGameConfig(kGameConfigPath);
        SeedRandom(7);
        CreateHero(*game);
        game->world.LoadStage(game->flow.openingStage, *game->world.Hero());
        game->player.shownHealth = game->player.previousHealth = game->world.Hero()->health;
        BeginStage(*game);
    }
    // Runs frames until the hero takes input.
    void Open() {
        for (int i = 0; i < 1000 && !game->flow.inputEnabled; ++i) RunGameFrame(*game, events);
    }
    double TimedFrame() {
        const double start = NowMs();
        RunGameFrame(*game, events);
        return NowMs() - start;
    }
    // count objects of the type in the category, standing on the hero's
    // floor ahead of him, where they stay in view.
    void Crowd(const std::string& type, Category category, int count) {
        World& world = game->world;
        const GameObject& hero = *world.Hero();
        const float floor = hero.position.y + hero.anim.frameHeight;
        for (int i = 0; i < count; ++i) {
            GameObject* o = world.CreateObjectInCategory(type, 0, category);
            if (!o) return;
            // As the stage's own enemies come: falling onto the floor below.
            o->position = Vector2(hero.position.x + 40 + static_cast<float>((i * 37) % 100),
                                  floor - o->anim.frameHeight - 8);
            o->dieOnWall = false;
            o->gravity = true;
            o->airborne = 1;
        }
    }
};

InputScript Playthrough() {
    std::ifstream file(kSource + "/tests/e2e/scripts/playthrough.txt");
    std::stringstream text;
    text << file.rdbuf();
    InputScript script;
    std::string error;
    if (!ParseInputScript(text.str(), script, error)) std::fprintf(stderr, "playthrough: %s\n", error.c_str());
    return script;
}

// The playthrough's frames, by stage; the median frame of the first stage.
double Simulation(bool quick) {
    Heading("Simulation, one frame headless", "the Foundry frame of the playthrough");
    Demo demo(false);
    const InputScript script = Playthrough();
    SeedRandom(script.seed);
    std::map<std::string, std::vector<double>> frames;
    const int length = quick ? 300 : script.Length();
    for (int frame = 1; frame <= length; ++frame) {
        QueueFrameEvents(script, frame, demo.game->bindings, demo.events);
        const double ms = demo.TimedFrame();
        frames[demo.game->world.stageName].push_back(ms);
    }
    const double reference = Summarize(frames["Foundry"]).median;
    for (const auto& stage : frames)
        Row(stage.first + " (" + std::to_string(stage.second.size()) + " frames)", Summarize(stage.second), reference);

    const int counts[] = {100, 1000, 5000};
    const struct { const char* type; Category category; const char* list; } kinds[] = {
        {"Walker", Category::Enemies, "Enemies"}, {"HealthSm", Category::Items, "Items"}};
    for (const auto& kind : kinds)
        for (int count : counts) {
            Demo crowded(false);
            crowded.Open();
            crowded.Crowd(kind.type, kind.category, quick ? count / 100 : count);
            std::vector<double> samples;
            for (int i = 0; i < (quick ? 5 : 200); ++i) {
                crowded.game->world.Hero()->noCollide = true;  // a crowd's touch would end the run
                samples.push_back(crowded.TimedFrame());
            }
            char what[96];
            std::snprintf(what, sizeof what, "+%d %s in %s (%zu left)", quick ? count / 100 : count, kind.type,
                          kind.list, crowded.game->world.List(kind.list).size());
            Row(what, Summarize(samples), reference);
        }
    return reference;
}

void Drawing(bool quick) {
    Heading("Drawing, compose and glFinish", "the same frame without extra objects");
    GameWindow window;
    if (!window.Open(Settings())) return;
    std::printf("  (GL: %s, %s)\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    glEnable(GL_TEXTURE_2D);
    Demo demo(true);
    PaletteShader shader;
    shader.Create();
    DrawResources resources;
    resources.paletteTexture = demo.game->world.LoadAnimationSet("Palette").texture;
    resources.bluePaletteTexture = demo.game->world.LoadAnimationSet("BluePalette").texture;
    resources.healthTexture = demo.game->world.LoadAnimationSet("Health").texture;
    shader.SetPaletteTexture(resources.paletteTexture);
    resources.shader = &shader;
    demo.Open();
    const int reps = quick ? 3 : 300;
    auto timeFrames = [&] {
        std::vector<double> samples;
        for (int i = 0; i < reps; ++i) {
            const double start = NowMs();
            ComposeFrame(ViewOf(*demo.game), resources);
            glFinish();
            samples.push_back(NowMs() - start);
        }
        return Summarize(samples);
    };
    const Stats plain = timeFrames();
    Row("the stage after its opening", plain, plain.median);
    const int sprites = quick ? 10 : 1000;
    World& world = demo.game->world;
    const char* sheets[] = {"Enemies\\Walker", "Enemies\\Hopper", "Enemies\\Turret"};
    for (int mixed = 0; mixed < 2; ++mixed) {
        world.List("Enemies").clear();
        for (int i = 0; i < sprites; ++i) {
            const Vector2 at(world.camera.x - 160 + static_cast<float>((i * 37) % 300),
                             world.camera.y - 120 + static_cast<float>((i * 53) % 220));
            world.List("Enemies").push_back(GameObject(at, world.LoadAnimationSet(sheets[mixed ? i % 3 : 0])));
        }
        Row(std::to_string(sprites) + (mixed ? " sprites, three sheets in turn" : " sprites, one sheet"), timeFrames(),
            plain.median);
    }
}

// Milliseconds from fork to each line the child writes on standard output
// (its last once its first frame is presented); empty when it wrote none.
std::vector<double> RunChild(const std::vector<std::string>& args) {
    std::vector<double> lines;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return lines;
    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    char byte = 0;
    while (read(pipeEnds[0], &byte, 1) == 1)
        if (byte == '\n') lines.push_back(NowMs() - start);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return lines;
}

// Tells the parent the first frame is on screen and leaves at once: the
// shutdown is not part of the figure.
[[noreturn]] void Presented() {
    std::fputs("presented\n", stdout);
    std::fflush(stdout);
    _exit(0);
}

std::string SelfFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    path[n] = '\0';
    std::string self = path;
    return self.substr(0, self.rfind('/'));
}

void StartUp(bool quick) {
    Heading("Start-up, exec to the first presented frame", "a bare SDL OpenGL window");
    const std::string self = SelfFolder() + "/kestrion-bench";
    std::vector<double> bare, due, game;
    for (int i = 0; i < (quick ? 1 : 10); ++i) {
        const std::vector<double> window = RunChild({self, "--bare-window"});
        const std::vector<double> program = RunChild({self, "--first-frame"});
        if (window.size() != 1 || program.size() != 2) {
            std::printf("  a start failed (no display?)\n");
            return;
        }
        bare.push_back(window[0]);
        due.push_back(program[0]);
        game.push_back(program[1]);
    }
    const Stats reference = Summarize(bare);
    Row("bare SDL OpenGL window", reference, reference.median);
    Row("Kestrion, its first frame due", Summarize(due), reference.median);
    Row("Kestrion", Summarize(game), reference.median);
}

// The real program from its start: the first frame waits its turn as in
// play (a frame period after start-up); the second runs as soon as the
// first is presented, and there the child leaves.
int FirstFrame() {
    ProgramHooks hooks;
    hooks.options.dataDir = kGame;
    hooks.beforeFrame = [](Game&, Session&, int frame) {
        if (frame == 2) Presented();
        std::puts("due");  // the first frame's turn has come
        std::fflush(stdout);
    };
    hooks.afterFrame = [](Game& game, Session&) {
        game.frameThreshold = -1;
        return true;
    };
    return RunProgram(hooks);
}

double ThreadCpuMs(int who) {
    rusage use;
    getrusage(who, &use);
    return (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
}

void PacedReport(const char* what, double seconds, double mainCpu, double allCpu, std::vector<double> starts) {
    std::vector<double> intervals;
    for (size_t i = 1; i < starts.size(); ++i) intervals.push_back(starts[i] - starts[i - 1]);
    const Stats s = Summarize(intervals);
    double mean = 0, spread = 0;
    for (double v : intervals) mean += v / intervals.size();
    for (double v : intervals) spread += (v - mean) * (v - mean) / intervals.size();
    std::printf("  %-34s main thread %5.1f%%  process %5.1f%%  frame start every %5.2f ms (p95 %5.2f, sd %4.2f)\n",
                what, mainCpu / (seconds * 10), allCpu / (seconds * 10), s.median, s.p95, std::sqrt(spread));
}

// The bare reference: a window cleared and presented every 21 ms.
void BareLoop(double seconds) {
    if (!SDL_SetVideoMode(kViewWidth, kViewHeight, 0, SDL_OPENGL | SDL_DOUBLEBUF)) return;
    std::vector<double> starts;
    const double begin = NowMs(), mainBefore = ThreadCpuMs(RUSAGE_THREAD), allBefore = ThreadCpuMs(RUSAGE_SELF);
    while (NowMs() - begin < seconds * 1e3) {
        starts.push_back(NowMs());
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapBuffers();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        const double next = starts.back() + 21.0 - NowMs();
        if (next > 0) SDL_Delay(static_cast<Uint32>(next));
    }
    PacedReport("bare window, SDL_Delay", seconds, ThreadCpuMs(RUSAGE_THREAD) - mainBefore,
                ThreadCpuMs(RUSAGE_SELF) - allBefore, starts);
}

void Pacing(bool quick) {
    const double seconds = quick ? 0.5 : 10.0;
    std::printf("\nPacing, %.1f s of the running game (processor time as a share of one core)\n", seconds);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
    BareLoop(seconds);
    ProgramHooks hooks;
    hooks.options.dataDir = kGame;
    hooks.seeded = true;
    std::vector<double> starts;
    double begin = 0, mainBefore = 0, allBefore = 0;
    hooks.afterFrame = [&](Game&, Session&) {
        const double now = NowMs();
        if (starts.empty()) begin = now, mainBefore = ThreadCpuMs(RUSAGE_THREAD), allBefore = ThreadCpuMs(RUSAGE_SELF);
        starts.push_back(now);
        return now - begin < seconds * 1e3;
    };
    RunProgram(hooks);
    PacedReport("Kestrion", seconds, ThreadCpuMs(RUSAGE_THREAD) - mainBefore, ThreadCpuMs(RUSAGE_SELF) - allBefore,
                starts);
}

// The machine, for the figures' sake.
void Machine() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line, model = "unknown";
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    std::printf("Kestrion %s benchmark: %s, %ld cores\n", kVersion, model.c_str(), sysconf(_SC_NPROCESSORS_ONLN));
}

int BareWindow() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(kViewWidth, kViewHeight, 0, SDL_OPENGL | SDL_DOUBLEBUF)) return 1;
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    SDL_GL_SwapBuffers();
    Presented();
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    bool quick = false;
    std::string part;
    const char* const kParts[] = {"simulation", "drawing", "start-up", "pacing"};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--bare-window") == 0) return BareWindow();
        if (std::strcmp(argv[i], "--first-frame") == 0) return FirstFrame();
        if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else if (std::strcmp(argv[i], "--part") == 0 && i + 1 < argc &&
                   std::count(std::begin(kParts), std::end(kParts), std::string(argv[i + 1]))) {
            part = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--quick] [--part simulation|drawing|start-up|pacing]\n", argv[0]);
            return 2;
        }
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Machine();
    auto runs = [&part](const char* name) { return part.empty() || part == name; };
    if (runs("simulation")) Simulation(quick);
    if (part == "simulation") return 0;
    if (!std::getenv("DISPLAY")) {
        std::printf("\nNo display: drawing, start-up and pacing are left out.\n");
        return 0;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    if (runs("drawing")) Drawing(quick);
    if (runs("start-up")) StartUp(quick);
    if (runs("pacing")) Pacing(quick);
    return 0;
}
