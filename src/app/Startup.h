// Startup: the entry function's start-up, main loop and shutdown.
//
// Start-up brings the subsystems up in one fixed order: configuration,
// SDL, audio, the OpenGL window (see Window.h) and its projection, the hero
// "Rook" with its fire-pose sheet, weapon and charge orb, the palette sets,
// the joystick, the opening stage, the vertical-sync probe, the caption and
// the palette shader. Only five failures stop it, each with one line on
// standard output and exit status 1: a data folder (--data) that cannot be
// entered, a configuration file that cannot be opened, an opening stage that
// cannot be loaded (before the window opens), SDL's video that cannot start,
// and a window that cannot open.
// Audio that cannot open leaves the game silent; a missing joystick is
// normal; loaders report their own missing files and start-up goes on.
//
// Shutdown releases only what the entry function owns. Caches, textures,
// sound chunks, the music and the Lua state live until the process exits,
// where SDL_Quit runs.
#pragma once

#include <functional>

#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/ThemeMusic.h"
#include "app/EventPump.h"
#include "app/Window.h"
#include "render/FrameComposition.h"
#include "render/PaletteShader.h"

struct Game;

// What the entry function owns for the run.
struct Session {
    MonotonicClock clock;  // counts from start-up
    FramePacer pacer;
    ThemeMusic music;
    PaletteShader shader;
    GameWindow window;
    DrawResources draw;
    SDL_Joystick* joystick = nullptr;
    EventSource events = EventSource::Sdl();
};

constexpr const char* kGameConfigPath = "Data\\game.cfg";
constexpr const char* kInputConfigPath = "input.cfg";

// Creates the hero "Rook" with its fire-pose sheet, the weapon "Rook Buster"
// and the charge orb, publishes it and hands it to the stage flow. Needs no
// window (textures are made only once the cache has its texture maker).
void CreateHero(Game& game);

// How a run of the program is watched from outside. The game itself runs with
// the defaults; the replay tool feeds recorded input instead of SDL's queue,
// fixes the random seed and looks at every frame.
struct ProgramHooks {
    ProgramOptions options;       // the command line's
    bool scriptedEvents = false;  // the session's events come only from beforeFrame
    bool seeded = false;          // else seeded with the time
    unsigned seed = 0;
    // Before each frame, with the number it will have (the first frame is 1);
    // while the game is paused, before each look at the events, with the same
    // number again.
    std::function<void(Game&, Session&, int frame)> beforeFrame;
    // After each frame's simulation, before its drawing; false ends the run.
    std::function<bool(Game&, Session&)> afterFrame;
};

// The whole program: start-up, the main loop and shutdown; the exit status.
int RunProgram(const ProgramHooks& hooks = ProgramHooks());

// Debug key F5: the current stage afresh from disk, as a modder edits it:
// the data-path lookup, the sprite sets, the tile states and the Lua state
// start empty, every object goes, and the hero is made anew at the stage's
// start, whose opening begins. A stage that no longer loads says why and
// the one loaded before opens again.
void ReloadStage(Game& game);

// False when the game cannot start (its line is printed). seed seeds the
// random draws; options.stage replaces the opening stage.
bool StartGame(Game& game, Session& session, unsigned seed, const ProgramOptions& options = ProgramOptions());

// Runs frames until a quit; see FramePacer for when a frame starts.
void RunMainLoop(Game& game, Session& session, const ProgramHooks& hooks = ProgramHooks());

void ShutDown(Session& session);
