#include "app/SoundCache.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

#include "core/DataPath.h"

SoundCache::~SoundCache() {
    for (auto& entry : chunks_) Mix_FreeChunk(entry.second);
}

bool SoundCache::OpenAudio() {
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 512) != 0) {
        std::printf("Cannot open audio (%s): the game runs without sound\n", Mix_GetError());
        audioOpen = false;
        return false;
    }
    Mix_ReserveChannels(kReservedChannels);
    audioOpen = true;
    return true;
}

Mix_Chunk* SoundCache::Load(const std::string& name) {
    Mix_Chunk* chunk = nullptr;
    const std::string path = ResolveDataPath("Data\\sfx\\" + name);
    if (SDL_RWops* stream = path.empty() ? nullptr : SDL_RWFromFile(path.c_str(), "rb")) {
        ++loadCount;
        chunk = Mix_LoadWAV_RW(stream, 1);  // closes the stream
    }
    if (!chunk && !reported_[name]) {
        reported_[name] = true;
        std::printf("Cannot load sound: %s\n", name.c_str());
        if (path.empty())
            std::printf("  data/sfx/%s is missing\n", ShownPath(name).c_str());
        else
            std::printf("  %s: %s\n", path.c_str(), Mix_GetError());
    }
    chunks_[name] = chunk;
    return chunk;
}

int SoundCache::PlaySound(const std::string& name, int channel, int loops) {
    if (log) log->push_back(SoundRequest{name, channel, loops});
    if (!audioOpen) return -1;
    auto cached = chunks_.find(name);
    Mix_Chunk* chunk = (cached != chunks_.end() && cached->second) ? cached->second : Load(name);
    if (!chunk) return -1;
    Mix_VolumeChunk(chunk, ChunkVolume());
    return Mix_PlayChannelTimed(channel, chunk, loops, -1);
}

int SoundCache::ChunkVolume() const {
    return muted_ ? 0 : kChunkVolume * soundVolume / 100;
}

void SoundCache::SetMuted(bool muted) {
    muted_ = muted;
    if (!audioOpen) return;
    for (auto& entry : chunks_)
        if (entry.second) Mix_VolumeChunk(entry.second, ChunkVolume());
    SetMusicLevel(musicLevel_);
}

void SoundCache::SetPaused(bool paused) {
    paused_ = paused;
    if (!audioOpen) return;
    if (paused) {
        Mix_Pause(-1);
        Mix_PauseMusic();
    } else {
        Mix_Resume(-1);
        Mix_ResumeMusic();
    }
}

void SoundCache::SetMusicLevel(int level) {
    musicLevel_ = level;
    if (audioOpen) Mix_VolumeMusic(muted_ ? 0 : level * musicVolume / 100);
}

void SoundCache::SetChannelMute(int channel, bool mute) {
    if (!audioOpen) return;
    Mix_Volume(channel, mute ? 0 : kUnmutedVolume);
}

bool SoundCache::ChannelPlaying(int channel) const {
    if (busyForTests.count(channel)) return true;
    return audioOpen && Mix_Playing(channel) != 0;
}
