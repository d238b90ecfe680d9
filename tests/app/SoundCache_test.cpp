// The sound cache and the theme music on SDL's dummy audio driver, which
// mixes (into nothing) in real time, so sounds stay busy while a test runs.
#include "app/SoundCache.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/ThemeMusic.h"
#include "support/TestSupport.h"

namespace {

// A silent 16-bit stereo 22050 Hz WAV of the given length.
std::string SilentWav(int milliseconds) {
    const uint32_t dataBytes = 22050u * 4u * static_cast<uint32_t>(milliseconds) / 1000u;
    std::string wav;
    auto put = [&wav](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) wav += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    wav += "RIFF";
    put(36 + dataBytes, 4);
    wav += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM, stereo, rate, byte rate, block, bits
    put(2, 2);
    put(22050, 4);
    put(22050 * 4, 4);
    put(4, 2);
    put(16, 2);
    wav += "data";
    put(dataBytes, 4);
    return wav + std::string(dataBytes, '\0');
}

class AudioTest : public testing::Test {
protected:
    AudioTest() : dir_(MakeTempDir("sound")), cwd_(dir_) {}

    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_TRUE(sounds.OpenAudio());
        WriteFile(dir_ + "/data/sfx/SE_PL00/ROOK_JUMP.WAV", SilentWav(2000));
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

}  // namespace

TEST_F(AudioTest, EachNameIsLoadedOnceAsSpelled) {
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_Jump.WAV", 0, 0), 0);
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_Jump.WAV", 0, 0), 0);
    EXPECT_EQ(sounds.loadCount, 1);
    // Another spelling of the same file is its own entry.
    EXPECT_EQ(sounds.PlaySound("se_pl00/rook_jump.wav", 0, 0), 0);
    EXPECT_EQ(sounds.loadCount, 2);
    EXPECT_EQ(Mix_GetChunk(0)->volume, SoundCache::kChunkVolume);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].name, "se_pl00/rook_jump.wav");
}

TEST_F(AudioTest, AMissingSoundIsReportedOnceAndTriedAgain) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_Dash.WAV", 0, 0), -1);
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_Dash.WAV", 0, 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load sound: SE_PL00\\ROOK_Dash.WAV\n");
    EXPECT_EQ(sounds.loadCount, 0);
    EXPECT_FALSE(sounds.ChannelPlaying(0));

    WriteFile(dir_ + "/data/sfx/SE_PL00/ROOK_DASH.WAV", SilentWav(500));
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_Dash.WAV", 0, 0), 0);
    EXPECT_EQ(sounds.loadCount, 1);
    EXPECT_TRUE(sounds.ChannelPlaying(0));

    // A file that is there but is no sound counts as a load and plays nothing.
    WriteFile(dir_ + "/data/sfx/BROKEN.WAV", "RIFF but not really");
    testing::internal::CaptureStdout();
    EXPECT_EQ(sounds.PlaySound("BROKEN.WAV", -1, 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot load sound: BROKEN.WAV\n");
    EXPECT_EQ(sounds.loadCount, 2);
}

TEST_F(AudioTest, ChannelPlanAndMuting) {
    // Any-channel requests use only the unreserved channels 3..7.
    for (int expected = 3; expected <= 7; ++expected)
        EXPECT_EQ(sounds.PlaySound("SE_COM\\LIFEGAGE.WAV", -1, 0), expected);
    EXPECT_EQ(sounds.PlaySound("SE_COM\\LIFEGAGE.WAV", -1, 0), -1) << "all five are busy";
    for (int reserved = 0; reserved < SoundCache::kReservedChannels; ++reserved)
        EXPECT_FALSE(sounds.ChannelPlaying(reserved));

    // A fixed channel cuts off what it was playing: a shot ends the charge loop.
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_JUMP.WAV", 1, -1), 1);
    const Mix_Chunk* loop = Mix_GetChunk(1);
    EXPECT_EQ(sounds.PlaySound("SE_COM\\LIFEGAGE.WAV", 1, 0), 1);
    EXPECT_NE(Mix_GetChunk(1), loop);
    EXPECT_TRUE(sounds.ChannelPlaying(1));

    sounds.SetChannelMute(0, true);
    EXPECT_EQ(Mix_Volume(0, -1), 0);
    EXPECT_EQ(sounds.PlaySound("SE_PL00\\ROOK_JUMP.WAV", 0, 0), 0) << "muted sounds still play";
    sounds.SetChannelMute(0, false);
    EXPECT_EQ(Mix_Volume(0, -1), SoundCache::kUnmutedVolume);
    EXPECT_EQ(Mix_Volume(1, -1), MIX_MAX_VOLUME) << "other channels keep the default";
}

TEST_F(AudioTest, ThemeIsSilentForTenFramesThenHeard) {
    WriteFile(dir_ + "/data/bgm/Brannoc_Theme.mp3", SilentWav(3000));  // the mixer reads the header
    ThemeMusic theme;
    for (int frames = 0; frames < 10; ++frames) theme.Cue(frames, true);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    theme.Cue(10, true);
    EXPECT_EQ(Mix_VolumeMusic(-1), ThemeMusic::kVolume);
    Mix_VolumeMusic(5);
    theme.Cue(10, true);
    theme.Cue(11, true);
    EXPECT_EQ(Mix_VolumeMusic(-1), 5) << "each cue happens once";
}

TEST_F(AudioTest, AMissingThemeLeavesTheGameWithoutMusic) {
    ThemeMusic theme;
    testing::internal::CaptureStdout();
    for (int frames = 0; frames <= 12; ++frames) theme.Cue(frames, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot load music: Data\\bgm\\Brannoc_Theme.mp3\n") << "once";
    EXPECT_FALSE(Mix_PlayingMusic());
}

TEST(SoundCacheWithoutAudio, EveryCallIsSafeAndSilent) {
    const std::string dir = MakeTempDir("silent");
    ScopedWorkingDirectory cwd(dir);
    std::vector<SoundRequest> log;
    SoundCache sounds;
    sounds.log = &log;
    testing::internal::CaptureStdout();
    EXPECT_EQ(sounds.PlaySound("SE_COM\\NA_READY.WAV", -1, 0), -1);
    sounds.SetChannelMute(0, true);
    EXPECT_FALSE(sounds.ChannelPlaying(0));
    ThemeMusic theme;
    theme.Cue(0, false);
    theme.Cue(10, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(sounds.loadCount, 0);
    ASSERT_EQ(log.size(), 1u) << "still logged";
    EXPECT_EQ(log[0].name, "SE_COM\\NA_READY.WAV");
}
