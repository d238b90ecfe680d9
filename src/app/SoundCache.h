// SoundCache: sound effects loaded on first use and kept for the run.
//
// A sound name is a path under "Data\sfx\" in any case and with either
// separator; names are cached exactly as given, so two spellings of one file
// are two entries. A file that cannot be loaded prints "Cannot load sound: N"
// the first time, leaves an empty entry (a later request tries again) and
// plays nothing. Without open audio every call is a safe no-op.
//
// Channel plan: 0 the hero's movement sounds, 1 the cannon, 2 the hero's
// voice; 0..2 are reserved, so channel -1 picks a free one of 3..7.
#pragma once

#include <map>
#include <string>
#include <vector>

struct Mix_Chunk;

struct SoundRequest {
    std::string name;
    int channel = -1;
    int loops = 0;
};

class SoundCache {
public:
    // Every request, played or not, in order; for tests and the input harness.
    std::vector<SoundRequest>* log = nullptr;

    // Set once Mix_OpenAudio succeeded.
    bool audioOpen = false;

    void PlaySound(const std::string& name, int channel, int loops);
    void SetChannelMute(int channel, bool mute);
    bool ChannelPlaying(int channel) const;

    // How many times a file was read from disk, for tests of the cache.
    int loadCount = 0;

private:
    std::map<std::string, Mix_Chunk*> chunks_;
    std::map<std::string, bool> reported_;
};
