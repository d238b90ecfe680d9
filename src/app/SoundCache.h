// SoundCache: sound effects loaded on first use and kept for the run.
//
// A sound name is a path under "Data\sfx\" in any case and with either
// separator; names are cached exactly as given, so two spellings of one file
// are two entries. A file that cannot be loaded prints "Cannot load sound: N"
// the first time, leaves an empty entry (a later request tries again) and
// plays nothing. Chunks stay loaded for the whole run and are freed only when
// the cache itself goes (the mixer stops any channel still playing one).
// Without open audio every call is a safe no-op (requests are still logged).
//
// Channel plan: 0 the hero's movement sounds, 1 the cannon, 2 the hero's
// voice; 0..2 are reserved, so channel -1 picks a free one of 3..7. A request
// on a fixed channel cuts off whatever that channel was playing.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "objects/SoundOutput.h"

struct Mix_Chunk;

struct SoundRequest {
    std::string name;
    int channel = -1;
    int loops = 0;
};

class SoundCache : public SoundOutput {
public:
    SoundCache() = default;
    ~SoundCache() override;
    SoundCache(const SoundCache&) = delete;
    SoundCache& operator=(const SoundCache&) = delete;

    // Every request, played or not, in order; for tests and the input harness.
    std::vector<SoundRequest>* log = nullptr;

    // Set once Mix_OpenAudio succeeded.
    bool audioOpen = false;

    // Opens the mixer (22050 Hz, signed 16-bit little-endian stereo, 512-sample
    // buffers) and reserves channels 0..2. SDL's audio subsystem must be up.
    // A failure prints one line and leaves the game silent.
    bool OpenAudio();

    // Plays name on channel (-1: any free unreserved one), loops more times
    // (-1: until stopped), at chunk volume 64. Returns the channel used, or -1
    // when nothing plays.
    int PlaySound(const std::string& name, int channel, int loops) override;

    // Channel volume 0 when muted, 100 when not.
    void SetChannelMute(int channel, bool mute) override;
    bool ChannelPlaying(int channel) const override;

    // How many times a sound file was read from disk, for tests of the cache.
    int loadCount = 0;

    // Test hook: channels ChannelPlaying reports busy whatever the mixer says.
    std::set<int> busyForTests;

    // The player's volumes (0 to 100) on top of the design's levels, and the
    // mute key's state; set before the game starts, muted at any time.
    int soundVolume = 100;
    int musicVolume = 100;
    bool Muted() const { return muted_; }
    // Silences (or restores) every sound, playing ones included, and the music.
    void SetMuted(bool muted);
    // Holds (or lets go on) every playing sound and the music, where they are.
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }

    // The music's level as the design sets it (0, or ThemeMusic's volume once
    // it is heard), applied with the music volume and the mute.
    void SetMusicLevel(int level);

    static constexpr int kReservedChannels = 3;
    static constexpr int kChunkVolume = 64;
    static constexpr int kUnmutedVolume = 100;

private:
    Mix_Chunk* Load(const std::string& name);

    // A chunk's volume: the design's, scaled by soundVolume, 0 while muted.
    int ChunkVolume() const;

    std::map<std::string, Mix_Chunk*> chunks_;
    bool muted_ = false;
    bool paused_ = false;
    int musicLevel_ = 0;
    std::map<std::string, bool> reported_;
};
