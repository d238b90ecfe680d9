#include "app/SoundCache.h"

// Not built yet: silent.
void SoundCache::PlaySound(const std::string& name, int channel, int loops) {
    if (log) log->push_back(SoundRequest{name, channel, loops});
}
void SoundCache::SetChannelMute(int, bool) {}
bool SoundCache::ChannelPlaying(int) const { return false; }
