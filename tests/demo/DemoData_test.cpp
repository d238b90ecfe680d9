// The demo game's data as properties that any stage, enemy or route must
// have, checked over whatever the game folder holds (game/, or the folder
// KESTRION_GAME_DIR names) through the real engine: the converter, the stage
// loader, the stage flow's drops and spawns, the scripts in a real Lua state.
// Nothing here names the demo's own stages or objects, so what a modder adds
// the way the docs describe is checked the same way and breaks nothing.
// Needs the generated assets (the default build writes them into game/).
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <regex>
#include <set>

#include "SynthText.h"
#include "TmxConverter.h"
#include "core/DataPath.h"
#include "app/Game.h"
#include "app/GameFrame.h"
#include "app/Replay.h"
#include "app/StateLine.h"
#include "app/Startup.h"
#include "objects/Weapon.h"
#include "app/EventPump.h"
#include "core/Random.h"
#include "stage/TileStates.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string Folder() {
    const char* dir = std::getenv("KESTRION_GAME_DIR");
    return dir ? dir : GameDir();
}

std::string Read(const fs::path& path) {
    std::string text;
    return ReadTextFile(path.string(), text) ? text : "(" + path.string() + " cannot be read)";
}

std::vector<fs::path> Files(const std::string& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(Folder() + "/" + folder))
        if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::string> Stages() {
    std::set<std::string> names;
    for (const fs::path& tmx : Files("tiled", ".tmx")) names.insert(tmx.stem().string());
    return names;
}

// Every capture of the regex's first group (and second, joined by a tab),
// with Lua's "\\" read as one backslash.
std::vector<std::string> Captures(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (std::sregex_iterator m(text.begin(), text.end(), re), end; m != end; ++m) {
        std::string s = (*m)[1].str() + (m->size() > 2 ? "\t" + (*m)[2].str() : "");
        for (size_t at = 0; (at = s.find("\\\\", at)) != std::string::npos; ++at) s.erase(at, 1);
        found.push_back(s);
    }
    return found;
}

Vector2 BoxCentre(const GameObject& o) {
    return Vector2((o.anim.left + o.anim.right) / 2.0f, (o.anim.top + o.anim.bottom) / 2.0f);
}

// A game in the game folder as the program starts one, at the start of a
// stage; what it prints is kept for Output().
struct Play {
    ScopedWorkingDirectory cwd{Folder()};
    Game game;
    GameObject* hero = nullptr;
    EventSource events = EventSource::Queue();
    std::vector<SoundRequest> sounds;

    explicit Play(const std::string& stage) {
        testing::internal::CaptureStdout();
        game.sounds.log = &sounds;
        // The configuration files read silently (Output() stays empty).
        EXPECT_TRUE(game.bindings.ReadInputConfig("input.cfg") && game.flow.ReadGameConfig("Data\\game.cfg"));
        CreateHero(game);
        hero = game.world.Hero();
        game.world.LoadStage(stage, *hero);
        BeginStage(game);
    }
    ~Play() { testing::internal::GetCapturedStdout(); }
    std::string Output() {
        const std::string output = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return output;
    }
    bool RunToPhase(int phase) {
        for (int i = 0; i < 1000 && game.flow.phase != phase; ++i) RunGameFrame(game, events);
        return game.flow.phase == phase;
    }
    float Bottom() const { return 16.0f * game.world.stage.mainLayer.height; }
};

}  // namespace

// Each map converts to the stage the build wrote, and the tile states it
// carries in Tiled (a property of each tile of its .tsx) are the game's.
TEST(demo, EveryMapConvertsToTheStageTheGameReads) {
    const std::string out = MakeTempDir("demo-stages") + "/stage.rmap";
    ASSERT_FALSE(Stages().empty());
    for (const fs::path& tmx : Files("tiled", ".tmx")) {
        std::string error;
        ASSERT_TRUE(ConvertTmxFile(tmx.string(), out, error)) << error;
        ScopedWorkingDirectory cwd(Folder());
        const std::string built = ResolveDataPath("Data\\Stages\\" + tmx.stem().string() + ".rmap");
        EXPECT_EQ(Read(out), Read(built)) << tmx << ": not converted by the build";

        const std::string map = Read(tmx), tsx = Read(tmx.parent_path() /
                                                      Captures(map, "source=\"([^\"]+)\"").at(0));
        std::string fromTiled(kTileStateCount, '0');
        for (size_t at = 0; (at = tsx.find("<tile id=\"", at)) != std::string::npos;) {
            const size_t end = tsx.find("</tile>", at), state = tsx.find("\"state\" value=\"", at);
            if (state < end) fromTiled.at(std::stoul(tsx.substr(at + 10))) = tsx[state + 15];
            at = end;
        }
        const TileStateTable states =
            LoadTileStates(Captures(map, "name=\"tileset\" value=\"([^\"]+)\"").at(0));
        EXPECT_EQ(fromTiled.substr(2), std::string(states.begin() + 2, states.end())) << tmx;
    }
}

TEST(demo, EveryStageBeginsOnGroundAndLeadsOnlyToStagesThatExist) {
    int routes = 0;
    for (const std::string& name : Stages()) {
        SCOPED_TRACE(name);
        Play play(name);
        World& world = play.game.world;
        GameObject& hero = *play.hero;
        EXPECT_EQ(name, world.stageName);
        EXPECT_EQ(1u, Stages().count(play.game.flow.openingStage));
        std::set<int> bound;  // the keys a player cannot do without
        for (const auto& key : play.game.bindings.keys) bound.insert(key.second);
        for (Action action : {Left, Right, Jump, Attack1, Dash}) EXPECT_TRUE(bound.count(action)) << action;
        EXPECT_EQ(0, hero.airborne);
        EXPECT_LE(hero.position.y + hero.anim.bottom, play.Bottom());
        EXPECT_TRUE(play.RunToPhase(0)) << "the opening ends with the hero beamed down";

        // The hero touches one of each type placed here: a touch that fades
        // to another stage (an exit gate) names one that exists.
        std::set<std::string> types;
        for (const EnemyPlacement& placement : world.stage.enemyPlacements)
            types.insert(placement.typeName);
        for (const std::string& type : types) {
            hero.hurtTimer = 0;
            GameObject& o = *world.CreateObjectInCategory(type, 0, "Enemies");
            o.position = hero.position + BoxCentre(hero) - BoxCentre(o);
            o.dieOnWall = false;
            world.UpdateAllObjects();
            if (world.nextStage.empty()) continue;
            EXPECT_EQ(1u, Stages().count(world.nextStage))
                << type << " leads to " << world.nextStage;
            ++routes;
            world.nextStage.clear();
        }
        world.ClearList("Enemies");

        // Each placement spawned as the camera's approach spawns it: dropped
        // by the stage flow onto the ground below it, inside the stage.
        for (const EnemyPlacement& placement : world.stage.enemyPlacements) {
            play.game.world.camera = placement.position;
            play.game.flow.spawner.camera = placement.position + Vector2(0.0f, 1000.0f);
            SpawnEnemies(play.game.world, play.game.flow.spawner);
            EXPECT_TRUE(placement.spawned) << placement.typeName << " never appears";
        }
        for (const GameObject& enemy : world.List("Enemies")) {
            EXPECT_EQ(0, enemy.airborne) << enemy.name << " at " << enemy.position.x;
            EXPECT_LE(enemy.position.y + enemy.anim.bottom, play.Bottom()) << enemy.name;
        }
        EXPECT_EQ("", play.Output());
        for (const SoundRequest& sound : play.sounds)
            EXPECT_NE("", ResolveDataPath("Data\\sfx\\" + sound.name)) << sound.name;
    }
    EXPECT_TRUE(Stages().size() < 2 || routes > 0) << "no stage leads to another";
}

TEST(demo, EverySheetSoundAndStageTheDataNamesIsThere) {
    // What scripts name as literals: objects ("name\tcategory"), sets, sounds, stages.
    const char* const patterns[4] = {R"(CreateObject\([^,"]*,\s*"([^"]+)\"\s*,\s*"([^"]+)\")",
                                     R"(SetTexture\([^,"]*,\s*"([^"]+)\")",
                                     R"(PlaySound\(\s*"([^"]+)\")",
                                     R"(FadeToStage\(\s*"([^"]+)\")"};
    std::set<std::string> named[4];
    for (const fs::path& lua : Files("data", ".lua"))
        for (int kind = 0; kind < 4; ++kind)
            for (const std::string& name : Captures(Read(lua), patterns[kind]))
                named[kind].insert(name);
    ScopedWorkingDirectory cwd(Folder());
    for (const fs::path& weapon : Files("data", ".weapon"))  // its shots
        for (const WeaponDef& level : LoadWeapon(weapon.stem().string()).levels)
            named[0].insert(level.objectName + "\tPlayerWeapons");

    Game game;
    testing::internal::CaptureStdout();
    for (const std::string& o : named[0]) {
        const size_t tab = o.find('\t');
        const GameObject* made =
            game.world.CreateObjectInCategory(o.substr(0, tab), 0, o.substr(tab + 1));
        EXPECT_GT(made->anim.imageSize.x, 0.0f) << o << ": no sheet";
    }
    for (const std::string& set : named[1])
        EXPECT_GT(game.world.LoadAnimationSet(set).imageSize.x, 0.0f) << set << ": no sheet";
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    for (const std::string& sound : named[2])
        EXPECT_NE("", ResolveDataPath("Data\\sfx\\" + sound)) << sound;
    for (const std::string& stage : named[3]) EXPECT_EQ(1u, Stages().count(stage)) << stage;
    EXPECT_FALSE(named[0].empty() || named[2].empty());
}

namespace {

long ResidentKilobytes() {
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm && std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    if (statm) std::fclose(statm);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

size_t ObjectCount(const World& world) {
    size_t n = 0;
    for (const auto& list : world.lists) n += list.second.size();
    return n;
}

}  // namespace

// Every stage played by random keys (seeded) for KESTRION_SOAK_FRAMES frames,
// 10,000 unless set (the full soak: 100,000): nothing printed (no script
// error, no missing file), and after the first tenth neither the objects nor
// the resident memory keep growing.
TEST(demo, EveryStageSoaksUnderRandomKeys) {
    const char* setting = std::getenv("KESTRION_SOAK_FRAMES");
    const int frames = setting ? std::atoi(setting) : 10000;
    for (const std::string& name : Stages()) {
        SCOPED_TRACE(name);
        Play play(name);
        std::vector<int> keys;
        for (const auto& bound : play.game.bindings.keys) keys.push_back(bound.first);
        std::mt19937 random(12345);
        SeedRandom(678);
        size_t settledObjects = 0, peakObjects = 0;
        long settledMemory = 0;
        for (int frame = 1; frame <= frames; ++frame) {
            if (random() % 6 == 0) play.events.PushKey(keys[random() % keys.size()], random() % 2);
            RunGameFrame(play.game, play.events);
            if (frame <= frames / 10) {
                settledObjects = std::max(settledObjects, ObjectCount(play.game.world));
                settledMemory = ResidentKilobytes();
            } else {
                peakObjects = std::max(peakObjects, ObjectCount(play.game.world));
            }
        }
        const std::string printed = play.Output();
        std::fputs(printed.c_str(), stderr);  // the capture would swallow the failure's own text
        EXPECT_TRUE(printed.empty());
        EXPECT_LE(peakObjects, settledObjects + 32) << "objects pile up";
#if !defined(__SANITIZE_ADDRESS__)  // its quarantine holds freed memory on purpose
        EXPECT_LE(ResidentKilobytes() - settledMemory, 4096) << "memory grows";
#endif
        std::fprintf(stderr, "%s: %d frames, objects %zu then at most %zu, resident %ld then %ld kB\n",
                     name.c_str(), frames, settledObjects, peakObjects, settledMemory, ResidentKilobytes());
    }
}

namespace {

// The hero, the stage flow and every object list, as text.
std::string EndState(const Game& game) {
    std::string state = FormatFrameState(CaptureFrameState(game, {}));
    for (const auto& list : game.world.lists) state += "\n" + FormatObjectList(game, list.first);
    return state;
}

}  // namespace

// A run on random keys (seeded), with pauses, the mute key, the hat, the
// stick, a lost focus and a stage reload, recorded as the game takes it, then
// played back from the file: it ends in the same state, object for object.
TEST(demo, ARecordedRunPlaysBackToTheSameEnd) {
    const std::string file = MakeTempDir("replay") + "/run.txt";
    constexpr int kFrames = 1500, kBeforeReload = 900;  // a reload starts the stage afresh
    for (const std::string& name : Stages()) {
        SCOPED_TRACE(name);
        std::string recorded, before, printed;
        {
            Play live(name);
            RunRecorder recorder;
            std::string why;
            if (!recorder.Open(file, why)) break;  // checked below, where a failure is seen
            recorder.Begin(678, name, DataDigest());
            live.game.recorder = &recorder;
            std::vector<int> keys;
            for (const auto& bound : live.game.bindings.keys) keys.push_back(bound.first);
            keys.insert(keys.end(), live.game.bindings.pauseKeys.begin(), live.game.bindings.pauseKeys.end());
            keys.push_back(*live.game.bindings.muteKeys.begin());
            std::mt19937 random(2024);
            SeedRandom(678);
            auto keyOf = [&](Action action) {
                for (const auto& bound : live.game.bindings.keys)
                    if (bound.second == action) return bound.first;
                return 0;
            };
            const int pause = *live.game.bindings.pauseKeys.begin();
            // First a fixed scene: right held into a pause, released while
            // paused, and a jump pressed in the frame after going on.
            const std::map<int, std::pair<int, bool>> scene = {
                {300, {keyOf(Right), true}}, {310, {pause, true}},        {311, {keyOf(Right), false}},
                {312, {pause, true}},        {313, {keyOf(Jump), true}},   {330, {keyOf(Jump), false}},
                {1000, {SDLK_F5, true}}};
            for (int pass = 1; live.game.frameCounter < kFrames; ++pass) {
                auto fixed = scene.find(pass);
                if (fixed != scene.end()) live.events.PushKey(fixed->second.first, fixed->second.second);
                // Now and then a few events at once, a pause key among them.
                for (int n = pass > 340 && random() % 24 == 0 ? 1 + random() % 3 : 0; n > 0; --n) {
                    const unsigned pick = random() % 40;
                    if (pick == 0) live.events.PushFocus(false);
                    else if (pick < 3) live.events.PushJoystickHat(random() % 16);
                    else if (pick < 5) live.events.PushJoystickAxis(0, static_cast<int>(random() % 65536) - 32768);
                    else live.events.PushKey(keys[random() % keys.size()], random() % 2);
                }
                const bool paused = live.game.paused;
                RunGameFrame(live.game, live.events);
                if (paused) continue;
                recorder.FrameDone(live.game);
                if (live.game.frameCounter == kBeforeReload) before = EndState(live.game);
            }
            recorder.Finish();
            recorded = EndState(live.game);
            printed = live.Output();
        }
        EXPECT_EQ(printed, "");
        std::string text, why;
        ReadDataFile(file, text);
        for (const char* used : {"press keypause", "press keymute", "hat ", "stick ", "focus lost", "press f5"})
            EXPECT_NE(text.find(used), std::string::npos) << used << " was never recorded";
        InputScript script;
        ScopedWorkingDirectory cwd(Folder());
        ASSERT_TRUE(LoadReplay(file, "", DataDigest(), script, why)) << why;
        ASSERT_EQ(std::make_tuple(script.seed, script.stage, script.Length()), std::make_tuple(678u, name, kFrames));
        std::string playedBefore, played, missed;
        {
            Play replay(name);
            SeedRandom(script.seed);
            for (int queued = 0; replay.game.frameCounter < script.Length();) {
                if (replay.game.frameCounter + 1 != queued)
                    QueueFrameEvents(script, queued = replay.game.frameCounter + 1, replay.game.bindings, replay.events);
                const bool paused = replay.game.paused;
                RunGameFrame(replay.game, replay.events);
                if (!paused && replay.game.frameCounter == kBeforeReload) playedBefore = EndState(replay.game);
            }
            played = EndState(replay.game);
            missed = StateMismatch(CaptureFrameState(replay.game, {}), script.reports[kFrames].at(0).argument);
        }
        // Compared once the capture of the game's output has ended, which would swallow the failure.
        EXPECT_EQ(playedBefore, before);
        EXPECT_EQ(played, recorded);
        EXPECT_EQ(missed, "");
    }
}
