// Settings: the player's choices in "Data\game.cfg", beside OpeningStage.
// Each one left out keeps the game as designed.
//   WindowScale=0..8     the window, in whole multiples of 320 x 240; 0 picks
//                        the largest that fits the desktop
//   Fullscreen=0|1       start in fullscreen (Alt+Enter and F11 toggle it)
//   MusicVolume=0..100   the music, on top of the design's level
//   SoundVolume=0..100   the sound effects, on top of the design's levels
//   PauseOnFocusLoss=0|1 whether the game pauses when its window loses focus
#pragma once

#include <string>

constexpr int kLargestWindowScale = 8;

struct Settings {
    int windowScale = 1;  // 0: the largest that fits
    bool fullscreen = false;
    int musicVolume = 100;
    int soundVolume = 100;
    bool pauseOnFocusLoss = true;
};

// Reads the settings from the configuration file at path (a missing file is
// reported by its other reader). A value that is not a whole number in range
// prints one line naming the entry and keeps the default.
void ReadSettings(const std::string& path, Settings& settings);
