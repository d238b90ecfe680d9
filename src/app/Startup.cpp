#include "app/Startup.h"
#include "core/View.h"

#include <GL/gl.h>
#include <SDL.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "app/Game.h"
#include "app/GameFrame.h"
#include "app/Replay.h"
#include "app/Settings.h"
#include "app/VerticalSync.h"
#include "app/Window.h"
#include "render/Texture.h"
#include "core/DataPath.h"
#include "core/Random.h"
#include "objects/Weapon.h"
#include "stage/StageLoader.h"

namespace {

constexpr int kPaletteRows = 32;
constexpr int kPausedRest = 20;  // ms between two looks at the events while paused
constexpr int kChargeOrbPaletteRow = 5;

bool ReadConfiguration(Game& game, Settings& settings) {
    if (!game.flow.ReadGameConfig(kGameConfigPath)) {
        std::printf("Cannot open configuration file: %s\n", kGameConfigPath);
        return false;
    }
    ReadSettings(kGameConfigPath, settings);
    game.sounds.musicVolume = settings.musicVolume;
    game.sounds.soundVolume = settings.soundVolume;
    game.pauseOnFocusLoss = settings.pauseOnFocusLoss;
    if (!game.bindings.ReadInputConfig(kInputConfigPath)) {
        std::printf("Cannot open configuration file: %s\n", kInputConfigPath);
        return false;
    }
    return true;
}

// SDL with video and joystick, then audio on its own: a machine without a
// sound device still plays, silently.
bool StartSdl(Game& game) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
        std::printf("Cannot start SDL: %s\n", SDL_GetError());
        return false;
    }
    std::atexit(SDL_Quit);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::printf("Cannot open audio (%s): the game runs without sound\n", SDL_GetError());
        return true;
    }
    game.sounds.OpenAudio();
    return true;
}

// Alt+Enter or F11 asked for the other of window and fullscreen.
void ApplyFullscreenToggle(Game& game, Session& session) {
    game.fullscreenToggle = false;
    session.window.ToggleFullscreen();
}

}  // namespace

void CreateHero(Game& game) {
    World& world = game.world;
    GameObject* hero = world.CreateObjectInCategory("Rook", 0, Category::Player);
    hero->dieOnWall = false;
    game.player.normalSheet = hero->anim.Picture();

    game.player.fireSheet = world.LoadAnimationSet("Player\\Rook Fire").Picture();
    hero->gravity = true;
    hero->weapons.push_back(LoadWeapon("Rook Buster"));

    GameObject* orb = world.CreateObjectInCategory("ChargeOrb", 0, Category::PlayerFX);
    orb->dieOnWall = false;
    orb->parent = hero;
    orb->parentOffset = Vector2(8.0f, 16.0f);
    orb->anim.paletteIndex = static_cast<float>(kChargeOrbPaletteRow) / kPaletteRows;
    game.player.chargeOrb = orb;
}

void ReloadStage(Game& game) {
    World& world = game.world;
    game.reloadRequested = false;
    const Vector2 was = world.Hero() ? world.Hero()->position : Vector2();  // if the stage no longer loads
    std::vector<std::string> lists;
    for (const auto& entry : world.lists) lists.push_back(entry.first);
    for (const std::string& list : lists) world.ClearList(list);
    ClearDataPathCache();
    const auto makeTextures = world.animationSets.makeTextures;
    world.animationSets = AnimationSetCache();
    world.animationSets.makeTextures = makeTextures;
    world.messages = MessageMemory();
    game.script.Reset();
    game.player = PlayerState();
    game.cameraState = CameraState();
    game.flow.frozen = false;
    game.flow.pendingHealth = 0.0f;
    world.nextStage.clear();

    CreateHero(game);
    GameObject& hero = *world.Hero();
    hero.position = was;
    world.LoadStage(world.stageName, hero);
    game.player.shownHealth = game.player.previousHealth = hero.health;
    BeginStage(game);
}

bool StartGame(Game& game, Session& session, unsigned seed, const ProgramOptions& options) {
    SeedRandom(seed);
    Settings settings;
    if (!ReadConfiguration(game, settings)) return false;
    if (!options.stage.empty()) game.flow.openingStage = options.stage;
    // A game that cannot load its first stage has nothing to show.
    std::string why;
    if (!StageFileReadable(game.flow.openingStage, why)) {
        std::printf("Cannot start: the opening stage \"%s\" cannot be loaded (%s)\n",
                    game.flow.openingStage.c_str(), why.c_str());
        return false;
    }
    // The Lua state and the script API came up with the Game.
    if (!StartSdl(game) || !session.window.Open(settings)) return false;
    session.draw.picture = &session.window.picture();
    game.world.animationSets.makeTextures = CreateTextures;

    CreateHero(game);
    GameObject& hero = *game.world.Hero();
    session.draw.paletteTexture = game.world.LoadAnimationSet("Palette").texture;
    session.draw.bluePaletteTexture = game.world.LoadAnimationSet("BluePalette").texture;
    hero.position = Vector2(64.0f, 48.0f);

    // Without a joystick the handle stays null and the stick reads centred.
    SDL_JoystickEventState(SDL_ENABLE);
    if (SDL_NumJoysticks() > game.bindings.joystick) session.joystick = SDL_JoystickOpen(game.bindings.joystick);

    game.world.LoadStage(game.flow.openingStage, hero);
    game.player.shownHealth = hero.health;
    game.player.previousHealth = hero.health;
    game.player.pinchPending = false;
    session.draw.healthTexture = game.world.LoadAnimationSet("Health").texture;

    session.pacer.vsyncPaced = EnableVerticalSync();
    glEnable(GL_TEXTURE_2D);
    SetWindowCaption(game, "Kestrion");

    // The palette reaches the shader by name only: it is a 2D texture, and
    // binding that name to GL_TEXTURE_1D as well would just raise a GL error.
    session.shader.Create();
    session.shader.SetPaletteTexture(session.draw.paletteTexture);
    session.draw.shader = &session.shader;

    session.pacer.lastFrameTime = session.clock.Now();
    game.cameraState = CameraState();

    BeginStage(game);

    // Events that came in during start-up are drained; a quit among them is
    // ignored.
    ProcessEvents(game, session.events);
    game.frameCounter = 0;
    // Paced by the clock, the first frame is due a frame period from now: its
    // drawing is rehearsed in that wait, so that it is not held up by the
    // GL's first-use work. Paced by the display, it is due at once.
    if (!session.pacer.vsyncPaced) RehearseFrame(ViewOf(game), session.draw);
    return true;
}

void RunMainLoop(Game& game, Session& session, const ProgramHooks& hooks) {
    bool pauseShown = false;
    while (!game.quit) {
        if (game.paused) {
            // Events only, the frame with its pause sign drawn once, and a
            // rest between looks: a paused game costs next to nothing.
            // Recorded input for the next frame may hold the key that goes on.
            if (hooks.beforeFrame) hooks.beforeFrame(game, session, game.frameCounter + 1);
            if (!RunGameFrame(game, session.events)) return;
            if (game.fullscreenToggle) {
                ApplyFullscreenToggle(game, session);
                pauseShown = false;  // the new window shows nothing yet
            }
            if (!pauseShown && game.paused) DrawFrame(ViewOf(game), session.draw);
            pauseShown = game.paused;
            if (game.paused) session.clock.Sleep(kPausedRest);
            continue;
        }
        pauseShown = false;
        session.music.Cue(game.frameCounter, game.sounds);
        const int now = session.clock.Now();
        if (!session.pacer.StartFrameIfDue(now, game.frameThreshold)) {
            session.clock.SleepUntil(session.pacer.NextFrameAt(game.frameThreshold), FramePacer::kSpinMicroseconds);
            continue;
        }
        if (hooks.beforeFrame) hooks.beforeFrame(game, session, game.frameCounter + 1);
        if (!RunGameFrame(game, session.events)) return;
        if (game.recorder) game.recorder->FrameDone(game);
        if (game.fullscreenToggle) ApplyFullscreenToggle(game, session);
        if (hooks.afterFrame && !hooks.afterFrame(game, session)) return;
        DrawFrame(ViewOf(game), session.draw);
    }
}

int RunProgram(const ProgramHooks& hooks) {
    const std::string& folder = hooks.options.dataDir;
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        std::printf("Cannot open the data folder %s: %s\n", folder.c_str(), std::strerror(errno));
        return 1;
    }
    ProgramHooks run = hooks;
    const ProgramOptions& options = hooks.options;
    const std::string digest = options.play.empty() && options.record.empty() ? "" : DataDigest();
    bool asRecorded = true;
    if (!options.play.empty()) {
        InputScript replay;
        std::string why;
        if (!LoadReplay(options.play, options.stage, digest, replay, why)) {
            std::printf("%s\n", why.c_str());
            return 1;
        }
        PlayReplay(replay, run, asRecorded);
    }
    RunRecorder recorder;
    std::string why;
    if (!options.record.empty() && !recorder.Open(options.record, why)) {
        std::printf("%s\n", why.c_str());
        return 1;
    }
    // The Game is large (the World with its caches and the Lua state): on the heap.
    auto game = std::make_unique<Game>();
    Session session;
    if (run.scriptedEvents) session.events = EventSource::Queue();
    // A recorded seed must read back as a script's "seed N".
    const unsigned seed = run.seeded ? run.seed : static_cast<unsigned>(std::time(nullptr)) & 0x7fffffffu;
    if (!StartGame(*game, session, seed, run.options)) return 1;
    if (!options.record.empty()) {
        recorder.Begin(seed, game->flow.openingStage, digest);
        game->recorder = &recorder;
    }
    RunMainLoop(*game, session, run);
    recorder.Finish();
    game->recorder = nullptr;
    ShutDown(session);
    return asRecorded ? 0 : 1;
}

void ShutDown(Session& session) {
    if (session.joystick) SDL_JoystickClose(session.joystick);
    session.joystick = nullptr;
}
