#include "app/ThemeMusic.h"

#include <SDL_mixer.h>

#include <cstdio>

#include "app/SoundCache.h"
#include "core/DataPath.h"

ThemeMusic::~ThemeMusic() {
    if (music_) Mix_FreeMusic(music_);  // halts it first
}

void ThemeMusic::Cue(int framesRun, SoundCache& sounds) {
    if (!sounds.audioOpen) return;
    if (!started && framesRun == 0) {
        started = true;
        sounds.SetMusicLevel(0);
        const std::string path = ResolveDataPath(kPath);
        music_ = path.empty() ? nullptr : Mix_LoadMUS(path.c_str());
        if (music_) {
            Mix_PlayMusic(music_, -1);
        } else {
            std::printf("Cannot load music: %s\n", kPath);
            std::printf("  %s\n", path.empty() ? "the file is missing" : Mix_GetError());
        }
    }
    if (!heard && framesRun == kFramesBeforeHeard) {
        heard = true;
        if (!music_) return;
        Mix_SetMusicPosition(0.0);
        sounds.SetMusicLevel(kVolume);
    }
}
