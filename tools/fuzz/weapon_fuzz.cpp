// ".weapon" files, then every level fired (and one past each end) by a
// muzzle of the hero.
#include "FuzzTarget.h"
#include "objects/Weapon.h"
#include "objects/World.h"

const char* const kSeedEndings[] = {".weapon", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Put("data/objects/weapons/Fuzz.weapon", fuzz::Text(data, size));
    World world;
    GameObject* hero = world.CreateObjectInCategory("Rook", 0, Category::Player);
    hero->weapons.push_back(LoadWeapon("Fuzz"));
    GameObject* muzzle = world.CreateObjectInCategory("Muzzle", 0, Category::PlayerFX);
    muzzle->weaponIndex = 0;
    const int levels = static_cast<int>(hero->weapons[0].levels.size());
    for (int level = 0; level <= levels + 1; ++level) {
        muzzle->weaponLevel = level;
        muzzle->direction = level % 2 ? 1 : -1;
        FireWeapon(world, *muzzle);
    }
    return 0;
}
