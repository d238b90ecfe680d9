#include "objects/Weapon.h"

#include "objects/World.h"

// Not built yet: weapons load nothing and fire nothing.
WeaponGroup LoadWeapon(const std::string&) { return WeaponGroup(); }
GameObject* FireWeapon(World&, GameObject&) { return nullptr; }
void SpawnFromOwner(GameObject&, const GameObject&) {}
