// The application layer: configuration lines and bindings, key names, the
// data-path lookup, frame pacing, and sound effects and music under SDL's
// dummy audio driver.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/DataPath.h"
#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/InputBindings.h"
#include "app/KeyNames.h"
#include "app/Replay.h"
#include "app/Settings.h"
#include "app/Window.h"
#include "app/SoundCache.h"
#include "app/ThemeMusic.h"
#include "app/VerticalSync.h"
#include "player/StageFlow.h"
#include "support/TestSupport.h"

namespace {

using Map = std::map<int, int>;

// Reads text as "Data\game.cfg" and as "input.cfg" in a fresh folder; what
// was printed goes to `printed`.
struct Configs {
    explicit Configs(const std::string& text) {
        const std::string dir = MakeTempDir("cfg");
        WriteFile(dir + "/data/game.cfg", text);
        WriteFile(dir + "/input.cfg", text);
        ScopedWorkingDirectory cwd(dir);
        flow.openingStage = "unset";
        testing::internal::CaptureStdout();
        EXPECT_TRUE(flow.ReadGameConfig("Data\\game.cfg"));
        ReadSettings("Data\\game.cfg", settings);
        EXPECT_TRUE(bindings.ReadInputConfig("input.cfg"));
        printed = testing::internal::GetCapturedStdout();
    }
    StageFlow flow;
    Settings settings;
    InputBindings bindings;
    std::string printed;
};

TEST(Config, LineRules) {
    const std::string longName(400, 'n');
    const std::pair<std::string, std::string> cases[] = {
        {"OpeningStage=Foundry", "Foundry"},  // no final newline
        {";OpeningStage=Commented\n", "unset"},
        {"OpeningStage=  Foundry2 extra words\n", "Foundry2"},
        {"OpeningStage=   \t\n", ""},
        {" OpeningStage=Spaced\nOpeningStage =Spaced\nopeningstage=Lower\n", "unset"},
        {"OpeningStage=First\nOpeningStage=Second\n", "Second"},
        {"OpeningStage=A=B\r\n", "A=B"},  // only the first '=' splits
        {";" + std::string(600, 'x') + "OpeningStage=Spilled\nOpeningStage=Foundry\n", "Foundry"},
        {"OpeningStage=" + longName + "\n", longName},
    };
    for (const auto& c : cases) EXPECT_EQ(Configs(c.first).flow.openingStage, c.second) << c.first;

    ScopedWorkingDirectory cwd(MakeTempDir("nocfg"));
    StageFlow flow;
    EXPECT_FALSE(flow.ReadGameConfig("Data\\game.cfg"));
    InputBindings bindings;
    EXPECT_FALSE(bindings.ReadInputConfig("input.cfg"));
}

TEST(Config, PlayerSettings) {
    const struct { const char* text; int scale, music, sound; bool fullscreen, pause; const char* printed; } rows[] = {
        {"", 1, 100, 100, false, true, ""},
        {"WindowScale=0\nFullscreen=1\nMusicVolume=40\nSoundVolume= 0 \r\nPauseOnFocusLoss=0\n", 0, 40, 0, true, false, ""},
        {"WindowScale=8\nPauseOnFocusLoss=yes\n", 8, 100, 100, false, true,
         "Data\\game.cfg: PauseOnFocusLoss=yes is not 0 or 1 (it stays 1)\n"},
        {"WindowScale=9\nFullscreen=2\n", 1, 100, 100, false, true,
         "Data\\game.cfg: WindowScale=9 is not a whole number from 0 to 8 (it stays 1)\n"
         "Data\\game.cfg: Fullscreen=2 is not 0 or 1 (it stays 0)\n"},
        {"MusicVolume=101\nSoundVolume=-1\n", 1, 100, 100, false, true,
         "Data\\game.cfg: MusicVolume=101 is not a whole number from 0 to 100 (it stays 100)\n"
         "Data\\game.cfg: SoundVolume=-1 is not a whole number from 0 to 100 (it stays 100)\n"},
        {"MusicVolume=30\nMusicVolume=50 loud\nSoundVolume=7.5\n", 1, 30, 100, false, true,
         "Data\\game.cfg: MusicVolume=50 loud is not a whole number from 0 to 100 (it stays 30)\n"
         "Data\\game.cfg: SoundVolume=7.5 is not a whole number from 0 to 100 (it stays 100)\n"},
    };
    for (const auto& r : rows) {
        const Configs c(r.text);
        const Settings& s = c.settings;
        EXPECT_EQ(std::make_tuple(s.windowScale, s.musicVolume, s.soundVolume, s.fullscreen, s.pauseOnFocusLoss),
                  std::make_tuple(r.scale, r.music, r.sound, r.fullscreen, r.pause)) << r.text;
        EXPECT_EQ(c.printed, r.printed);
    }
    EXPECT_EQ(Configs("keymute=m\nkeymute=109\nkeymute=nokey\n").bindings.muteKeys, std::set<int>{SDLK_m});
}

// Scale 0 leaves room for a title bar and panels; SDL may not know the desktop.
TEST(Window, ScaleZeroPicksTheLargestThatFits) {
    const struct { int setting, width, height, scale; } rows[] = {
        {0, 1920, 1080, 4}, {0, 1366, 768, 2}, {0, 1280, 1024, 4}, {0, 3840, 2160, 8}, {0, 7680, 4320, 8},
        {0, 1024, 768, 2}, {0, 640, 480, 1}, {0, 320, 240, 1}, {0, 0, 0, 1}, {3, 640, 480, 3}, {8, 320, 240, 8},
    };
    for (const auto& r : rows)
        EXPECT_EQ(WindowScaleFor(r.setting, r.width, r.height), r.scale) << r.setting << " on " << r.width << " x " << r.height;
    const struct { int width, height, scale, left, top; } pictures[] = {
        {320, 240, 1, 0, 0}, {1920, 1080, 4, 320, 60}, {1024, 768, 3, 32, 24}, {300, 200, 1, -10, -20}};
    for (const auto& p : pictures) {
        const Picture picture = FitPicture(p.width, p.height);
        EXPECT_EQ(std::make_tuple(picture.scale, picture.left, picture.top), std::make_tuple(p.scale, p.left, p.top)) << p.width;
    }
}

TEST(CommandLine, OptionsAndTheirMistakes) {
    const std::string here = std::filesystem::current_path().string();
    const struct { std::vector<const char*> args; int status; const char* stage; std::string record, play; const char* error; } rows[] = {
        {{}, -1, "", "", "", ""},
        {{"--stage", "Foundry2", "--record", "run.txt"}, -1, "Foundry2", here + "/run.txt", "", ""},
        {{"--play", "/tmp/a.txt", "--stage", "A", "--stage", "B"}, -1, "B", "", "/tmp/a.txt", ""},
        {{"--version"}, 0, "", "", "", ""},
        {{"--stage"}, 2, "", "", "", "kestrion: --stage needs a value\n"},
        {{"--play", ""}, 2, "", "", "", "kestrion: --play needs a value\n"},
        {{"--fullscreen"}, 2, "", "", "", "kestrion: unknown option --fullscreen\n"},
    };
    for (const auto& r : rows) {
        std::vector<const char*> argv{"kestrion"};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        const int argc = static_cast<int>(argv.size());
        argv.push_back(nullptr);  // as main receives it
        ProgramOptions options;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(ParseCommandLine(argc, argv.data(), options), r.status) << argc;
        testing::internal::GetCapturedStdout();
        const std::string error = testing::internal::GetCapturedStderr();
        EXPECT_EQ(error.substr(0, error.find('\n') + 1), r.error);
        EXPECT_EQ(std::make_tuple(options.stage, options.record, options.play), std::make_tuple(r.stage, r.record, r.play));
    }
}

// The digest follows every data file but game.cfg (the player's settings);
// a replay is refused with one line when it cannot be played here.
TEST(Replay, DigestAndRefusals) {
    const std::string dir = MakeTempDir("replay");
    ScopedWorkingDirectory cwd(dir);
    EXPECT_EQ(DataDigest(), "");
    WriteFile(dir + "/Data/Stages/A.rmap", "RMAP1");
    WriteFile(dir + "/Data/game.cfg", "WindowScale=2\n");
    ClearDataPathCache();
    const std::string digest = DataDigest();
    EXPECT_EQ(digest.size(), 16u);
    WriteFile(dir + "/Data/game.cfg", "WindowScale=3\n");
    EXPECT_EQ(DataDigest(), digest);
    WriteFile(dir + "/Data/Stages/A.rmap", "RMAP2");
    const std::string changed = DataDigest();
    EXPECT_NE(changed, digest);
    std::filesystem::rename(dir + "/Data/Stages/A.rmap", dir + "/Data/Stages/B.rmap");
    EXPECT_NE(DataDigest(), changed);

    const std::string head = "seed 5\nstage Foundry\ndata " + digest + "\n";
    const struct { const char* name; std::string text, stage, why; } rows[] = {
        {"ok.txt", head + "frame 3 press keypause\nframe 3 focus lost\n", "", ""},
        {"case.txt", head, "foundry", ""},
        {"none.txt", "", "", "Cannot play none.txt: it cannot be read"},
        {"bad.txt", head + "frame 3 focus away\n", "", "Cannot play bad.txt: line 4: expected \"focus lost\" or \"focus gained\": focus away"},
        {"stage.txt", head, "Foundry2", "Cannot play stage.txt: it was recorded in the stage Foundry, not Foundry2"},
        {"data.txt", "data 0123456789abcdef\n", "", "Cannot play data.txt: it was recorded with other game data (data 0123456789abcdef, this game's is " + digest + ")"},
    };
    for (const auto& r : rows) {
        if (!r.text.empty()) WriteFile(dir + "/" + r.name, r.text);
        InputScript script;
        std::string why;
        EXPECT_EQ(LoadReplay(r.name, r.stage, digest, script, why), r.why.empty()) << r.name;
        EXPECT_EQ(why, r.why);
    }
}

TEST(Config, BindingsByNumberOrName) {
    Configs c("keyup=300\nkeydown=301\nkeyleft=302\nkeyright=303\nkeydash=304\nkeyjump=305\n"
              "keyattack1=306\nkeyattack2=307\nkeyprevweapon=308\nkeynextweapon=309\n"
              "joydash=1\njoyjump=2\njoyattack1=3\njoyattack2=4\njoyprevweapon=5\njoynextweapon=6\n");
    EXPECT_EQ(c.bindings.keys, (Map{{300, Up}, {301, Down}, {302, Left}, {303, Right},
                                    {304, Dash}, {305, Jump}, {306, Attack1}, {307, Attack2},
                                    {308, PrevWeapon}, {309, NextWeapon}}));
    EXPECT_EQ(c.bindings.joystickButtons, (Map{{1, Dash}, {2, Jump}, {3, Attack1}, {4, Attack2},
                                               {5, PrevWeapon}, {6, NextWeapon}}));
    // Numbers with signs and trailing words, names in any case, a later line
    // rebinding a key, several keys for one action.
    Configs d("keyjump=Z\nkeyattack1= 120 trailing\nkeydash=+99\nkeyup=273\nkeyleft=276abc\n"
              "keyright=Left Ctrl\nkeyattack2=page   up\nkeyprevweapon=[1]\nkeynextweapon=world 7\n"
              "keydown=z\nkeydown=space ; the fire key\njoyattack1=  7\n keyjump=1\njoystick=1\n");
    EXPECT_EQ(d.bindings.keys, (Map{{SDLK_z, Down}, {120, Attack1}, {99, Dash}, {SDLK_UP, Up},
                                    {276, Left}, {SDLK_LCTRL, Right}, {SDLK_PAGEUP, Attack2},
                                    {SDLK_KP1, PrevWeapon}, {SDLK_WORLD_7, NextWeapon},
                                    {SDLK_SPACE, Down}}));
    EXPECT_EQ(d.bindings.joystickButtons, (Map{{7, Attack1}}));
    EXPECT_EQ(d.bindings.joystick, 1);
    EXPECT_EQ(d.printed, "");

    // Only numbers SDL can report bind: keys 0 to 322, buttons 0 to 255.
    Configs e("keyjump=jumpkey\nkeydash=\njoyjump=z\nkeyup=-1\nkeyleft=323\nkeyright=777777\n"
              "joydash=-1\njoyattack1=256\nkeydown=0\njoyattack2=255\njoystick=-2\n");
    EXPECT_EQ(e.bindings.keys, (Map{{0, Down}}));
    EXPECT_EQ(e.bindings.joystickButtons, (Map{{255, Attack2}}));
    EXPECT_EQ(e.printed,
              "input.cfg: unknown key name \"jumpkey\" (keyjump binds nothing)\n"
              "input.cfg: unknown key name \"\" (keydash binds nothing)\n"
              "input.cfg: \"z\" is not a joystick button number (joyjump binds nothing)\n"
              "input.cfg: key number -1 is outside 0 to 322 (keyup binds nothing)\n"
              "input.cfg: key number 323 is outside 0 to 322 (keyleft binds nothing)\n"
              "input.cfg: key number 777777 is outside 0 to 322 (keyright binds nothing)\n"
              "input.cfg: button number -1 is outside 0 to 255 (joydash binds nothing)\n"
              "input.cfg: button number 256 is outside 0 to 255 (joyattack1 binds nothing)\n"
              "input.cfg: \"-2\" is not a joystick number (joystick stays 0)\n");
}

TEST(KeyNames, SpelledAsSdlSpellsThem) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    int named = 0;
    for (int code = 0; code < SDLK_LAST; ++code) {
        std::string sdlName = SDL_GetKeyName(static_cast<SDLKey>(code));
        if (sdlName == "unknown key") sdlName.clear();
        EXPECT_EQ(KeyName(code), sdlName) << "code " << code;
        if (!sdlName.empty()) {
            EXPECT_EQ(KeyCodeFromName(sdlName), code) << sdlName;
        }
        named += !sdlName.empty();
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(named, 231);
    for (const char* wrong : {"left  ctrl", " left", "", "unknown key"})
        EXPECT_EQ(KeyCodeFromName(wrong), -1) << wrong;
    EXPECT_EQ(KeyName(-1), "");
    EXPECT_EQ(KeyName(SDLK_LAST), "");
}

TEST(DataPath, CaseSeparatorsAndTheCache) {
    const std::string dir = MakeTempDir("paths");
    WriteFile(dir + "/data/Objects/Player/Rook.anim", "anim");
    WriteFile(dir + "/data/Shot.wav", "upper");
    WriteFile(dir + "/data/shot.wav", "lower");
    ScopedWorkingDirectory cwd(dir);
    const std::pair<std::string, std::string> cases[] = {
        {"data/objects/player\\ROOK.ANIM", "data/Objects/Player/Rook.anim"},
        {"DATA//Objects\\\\Player/Rook.anim", "data/Objects/Player/Rook.anim"},
        {"./data/Objects", "./data/Objects"},
        {dir + "/DATA/Objects", dir + "/data/Objects"},
        {"data/shot.wav", "data/shot.wav"},  // an exact match wins
        {"data/Shot.wav", "data/Shot.wav"},
        {"data/missing.cfg", ""},
        {"data/Shot.wav/inside", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveDataPath(c.first), c.second) << c.first;
    std::FILE* file = OpenDataFile("DATA\\OBJECTS\\PLAYER\\rook.anim", "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fgetc(file), 'a');
    std::fclose(file);
    EXPECT_EQ(OpenDataFile("DATA", "r"), nullptr) << "a folder is not opened as a file";

    std::ofstream(dir + "/data/b.txt") << "b";  // behind the cache's back
    EXPECT_EQ(ResolveDataPath("data/B.TXT"), "") << "the listing was read once";
    ClearDataPathCache();
    EXPECT_EQ(ResolveDataPath("data/B.TXT"), "data/b.txt");
}

// Passes of the main loop over fake milliseconds, one a millisecond: when
// frames start.
std::vector<int> FrameStarts(FramePacer& pacer, int threshold, int from, int to) {
    std::vector<int> starts;
    for (int now = from; now < to; ++now)
        if (pacer.StartFrameIfDue(now, threshold)) starts.push_back(now);
    return starts;
}

TEST(FramePacer, FramesStartJustAfterTheThreshold) {
    FramePacer pacer;
    EXPECT_EQ(FrameStarts(pacer, 20, 0, 100), (std::vector<int>{21, 42, 63, 84}));
    pacer.lastFrameTime = 100;
    EXPECT_EQ(pacer.NextFrameAt(20), 121) << "the sleep's deadline";
    EXPECT_FALSE(pacer.StartFrameIfDue(120, 20));
    EXPECT_TRUE(pacer.StartFrameIfDue(195, 20)) << "late: once, nothing caught up";
    EXPECT_FALSE(pacer.StartFrameIfDue(200, 20));
    FramePacer zero, synced;
    EXPECT_EQ(FrameStarts(zero, 0, 0, 4), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(zero.StartFrameIfDue(3, -1)) << "below zero: every pass";
    synced.vsyncPaced = true;
    EXPECT_TRUE(synced.StartFrameIfDue(5, 20));
    EXPECT_TRUE(synced.StartFrameIfDue(5, 20));
    EXPECT_EQ(synced.NextFrameAt(20), 0);
    MonotonicClock clock;
    clock.SleepUntil(-1000, 0);  // long past: returns at once
    EXPECT_TRUE(VerticalSyncPaces(true, 60) && VerticalSyncPaces(true, 50));
    EXPECT_FALSE(VerticalSyncPaces(true, 75) || VerticalSyncPaces(false, 60));
    const char* list = "GLX_ARB_x GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    for (const char* name : {"GLX_MESA_swap_control", "GLX_ARB_x"}) EXPECT_TRUE(HasExtension(list, name));
    for (const char* name : {"GLX_EXT_swap_control", "ARB_x", "GLX_MESA_swap"})
        EXPECT_FALSE(HasExtension(list, name)) << name;
    EXPECT_FALSE(HasExtension(nullptr, "GLX_ARB_x"));
}

std::string SilentWav(int milliseconds) {
    const uint32_t bytes = 22050u * 4u * static_cast<uint32_t>(milliseconds) / 1000u;
    std::string wav;
    auto put = [&wav](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) wav += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    wav += "RIFF";
    put(36 + bytes, 4);
    wav += "WAVEfmt ";
    for (uint32_t v : {16u, 1u | (2u << 16), 22050u, 22050u * 4, 4u | (16u << 16)}) put(v, 4);
    wav += "data";
    put(bytes, 4);
    return wav + std::string(bytes, '\0');
}

class Audio : public testing::Test {
protected:
    Audio() : dir_(MakeTempDir("sound")), cwd_(dir_) {}
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_TRUE(sounds.OpenAudio());
        WriteFile(dir_ + "/data/sfx/SE_COM/LIFEGAGE.WAV", SilentWav(2000));
        sounds.log = &log;
    }
    void TearDown() override {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    std::string dir_;
    ScopedWorkingDirectory cwd_;
    std::vector<SoundRequest> log;
    SoundCache sounds;
};

TEST_F(Audio, SoundsLoadOnceAndKeepToTheirChannels) {
    const char* tick = "SE_COM\\LIFEGAGE.WAV";
    for (int expected = 3; expected <= 7; ++expected) EXPECT_EQ(sounds.PlaySound(tick, -1, 0), expected);
    EXPECT_EQ(sounds.PlaySound(tick, -1, 0), -1) << "all five free channels are busy";
    for (int reserved = 0; reserved < SoundCache::kReservedChannels; ++reserved)
        EXPECT_FALSE(sounds.ChannelPlaying(reserved));
    EXPECT_EQ(sounds.loadCount, 1);
    EXPECT_EQ(sounds.PlaySound("se_com/lifegage.wav", 1, -1), 1) << "another spelling, another load";
    EXPECT_EQ(sounds.loadCount, 2);
    EXPECT_EQ(Mix_GetChunk(1)->volume, SoundCache::kChunkVolume);
    EXPECT_EQ(log.size(), 7u);

    sounds.SetChannelMute(0, true);
    EXPECT_EQ(Mix_Volume(0, -1), 0);
    EXPECT_EQ(sounds.PlaySound(tick, 0, 0), 0) << "muted sounds still play";
    sounds.SetChannelMute(0, false);
    EXPECT_EQ(Mix_Volume(0, -1), SoundCache::kUnmutedVolume);
    EXPECT_EQ(Mix_Volume(1, -1), MIX_MAX_VOLUME) << "other channels keep the default";

    // A missing or broken file: one line, nothing played, tried again later.
    WriteFile(dir_ + "/data/sfx/BROKEN.WAV", "RIFF but not really");
    testing::internal::CaptureStdout();
    EXPECT_EQ(sounds.PlaySound("DASH.WAV", 2, 0), -1);
    EXPECT_EQ(sounds.PlaySound("DASH.WAV", 2, 0), -1);
    EXPECT_EQ(sounds.PlaySound("BROKEN.WAV", 2, 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load sound: DASH.WAV\n  data/sfx/DASH.WAV is missing\n"
              "Cannot load sound: BROKEN.WAV\n  data/sfx/BROKEN.WAV: Unrecognized file type (not WAVE)\n");
    WriteFile(dir_ + "/data/sfx/DASH.WAV", SilentWav(500));
    EXPECT_EQ(sounds.PlaySound("DASH.WAV", 2, 0), 2);
    EXPECT_TRUE(sounds.ChannelPlaying(2));
}

TEST_F(Audio, TheThemeIsSilentForTenFramesThenHeardOnce) {
    ThemeMusic missing;
    testing::internal::CaptureStdout();
    missing.Cue(0, sounds);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load music: Data\\bgm\\Brannoc_Theme.mp3\n  the file is missing\n");
    testing::internal::CaptureStdout();
    for (int frame = 1; frame <= 12; ++frame) missing.Cue(frame, sounds);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "said once";
    WriteFile(dir_ + "/data/bgm/Brannoc_Theme.mp3", SilentWav(3000));  // the mixer reads the header
    ThemeMusic theme;
    theme.Cue(0, sounds);
    EXPECT_TRUE(Mix_PlayingMusic()) << "from the first frame";
    for (int frame = 1; frame < 10; ++frame) theme.Cue(frame, sounds);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    theme.Cue(10, sounds);
    EXPECT_EQ(Mix_VolumeMusic(-1), ThemeMusic::kVolume);
    Mix_VolumeMusic(5);
    theme.Cue(10, sounds);
    theme.Cue(11, sounds);
    EXPECT_EQ(Mix_VolumeMusic(-1), 5) << "each cue happens once";
    // The player's volumes go on top; the mute silences all, playing sounds included.
    sounds.musicVolume = 50, sounds.soundVolume = 25;
    sounds.SetMusicLevel(ThemeMusic::kVolume);
    EXPECT_EQ(Mix_VolumeMusic(-1), 40);
    const int channel = sounds.PlaySound("SE_COM\\LIFEGAGE.WAV", -1, 0);
    EXPECT_EQ(Mix_GetChunk(channel)->volume, SoundCache::kChunkVolume / 4);
    sounds.SetMuted(true);
    EXPECT_EQ(Mix_VolumeMusic(-1) + Mix_GetChunk(channel)->volume, 0);
    sounds.SetMuted(false);
    EXPECT_EQ(Mix_VolumeMusic(-1), 40);
    EXPECT_EQ(Mix_GetChunk(channel)->volume, SoundCache::kChunkVolume / 4);
}

TEST(SoundWithoutAudio, EveryCallIsSafeAndSilent) {
    ScopedWorkingDirectory cwd(MakeTempDir("silent"));
    std::vector<SoundRequest> log;
    SoundCache sounds;
    sounds.log = &log;
    testing::internal::CaptureStdout();
    EXPECT_EQ(sounds.PlaySound("SE_COM\\NA_READY.WAV", -1, 0), -1);
    sounds.SetChannelMute(0, true);
    EXPECT_FALSE(sounds.ChannelPlaying(0));
    ThemeMusic theme;
    theme.Cue(0, sounds);
    theme.Cue(10, sounds);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(log.size(), 1u) << "still logged";
}

}  // namespace
