// ThemeMusic: the one piece of music, "Data\bgm\Brannoc_Theme.mp3", looping
// for the whole run. It starts silently before the first frame and is heard
// from its beginning, at volume 80, once ten frames have run (the first frames
// stutter while everything warms up). Each cue happens once; the music is
// never stopped or changed, and freed only when its owner goes at the end of
// the run. A missing theme prints one line and the game runs without music.
#pragma once

#include <SDL_mixer.h>

class SoundCache;

class ThemeMusic {
public:
    ThemeMusic() = default;
    ~ThemeMusic();
    ThemeMusic(const ThemeMusic&) = delete;
    ThemeMusic& operator=(const ThemeMusic&) = delete;

    static constexpr const char* kPath = "Data\\bgm\\Brannoc_Theme.mp3";
    static constexpr int kFramesBeforeHeard = 10;
    static constexpr int kVolume = 80;

    // Run at the top of every pass of the main loop with the frames run so
    // far; the levels go through sounds (its volumes and mute).
    void Cue(int framesRun, SoundCache& sounds);

    bool started = false;
    bool heard = false;

private:
    Mix_Music* music_ = nullptr;
};
