// Hero sounds: every sound of the hero goes through PlayHeroSound, which
// names its files the hero's way.
#pragma once

#include <string>

class World;

// Plays "SE_PL00\ROOK_" + name + ".WAV", or name itself when fullPath is set,
// through the World's sound cache on channel (-1 any free one) with loops
// repeats (-1 until stopped).
void PlayHeroSound(World& world, const std::string& name, int channel = 0, int loops = 0,
                   bool fullPath = false);
