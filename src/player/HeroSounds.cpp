#include "player/HeroSounds.h"

#include <cstdlib>

#include "objects/World.h"
#include "core/Random.h"

void PlayHeroSound(World& world, const std::string& name, int channel, int loops, bool fullPath) {
    world.PlaySound(fullPath ? name : "SE_PL00\\ROOK_" + name + ".WAV", channel, loops);
}

void PlayJumpVoice(World& world) {
    static const char* const kVoices[3] = {"VO_PL00\\ROOK_KIAI1.WAV", "VO_PL00\\ROOK_KIAI2.WAV",
                                           "VO_PL00\\ROOK_KIAI5.WAV"};
    PlayHeroSound(world, kVoices[RandomBelow(3)], -1, 0, true);
}
