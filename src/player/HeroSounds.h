// Hero sounds: every sound of the hero goes through PlayHeroSound, which
// names its files the hero's way.
//
// Channel plan (SoundCache): 0 the hero's movement sounds (muted during a
// stage opening), 1 the cannon and its charge loop, 2 the hero's pain and
// warning voice; -1 any free channel. Unless said otherwise a hero sound
// plays on channel 0, once.
#pragma once

#include <string>

class World;

constexpr int kMovementChannel = 0;  // the hero's movement sounds, muted during a stage opening

// Plays "SE_PL00\ROOK_" + name + ".WAV", or name itself when fullPath is set,
// through the World's sound cache on channel (-1 any free one) with loops
// repeats (-1 until stopped).
void PlayHeroSound(World& world, const std::string& name, int channel = 0, int loops = 0,
                   bool fullPath = false);

// One of the three jump shouts, picked by a draw of 3, on any free channel.
void PlayJumpVoice(World& world);
