#include "player/HeroSounds.h"

#include "objects/World.h"

void PlayHeroSound(World& world, const std::string& name, int channel, int loops, bool fullPath) {
    world.PlaySound(fullPath ? name : "SE_PL00\\ROOK_" + name + ".WAV", channel, loops);
}
