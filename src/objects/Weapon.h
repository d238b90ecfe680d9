// Weapons: a ".weapon" file is a list of levels, each naming the shot object
// to create and overriding its speed, power, palette and wall behaviour.
//
// File: "data/objects/weapons/" + name + ".weapon", whitespace-separated
// tokens. A token starting with the capitals "LVL" starts a level; the next
// token is the shot's object name, and the rest of that line holds keys:
// "Speed" f, "Power" f, "Palette" n or "PaletteIndex" n, "NoWallCollision".
// Negative values mean "keep the shot object's own value".
#pragma once

#include <string>
#include <vector>

class World;
struct GameObject;

struct WeaponDef {
    float power = -1.0f;
    float speed = -1.0f;
    std::string objectName;
    bool wallCollision = true;
    int paletteIndex = -1;
};

struct WeaponGroup {
    std::vector<WeaponDef> levels;  // level 1 first
    std::string name;
};

// Reads the weapon file; a missing file prints
// "Could not locate weapon file: <path>" and gives an empty group.
WeaponGroup LoadWeapon(const std::string& name);

// Creates the shot of the shooter's weaponIndex / weaponLevel from the hero's
// weapon table; null (nothing created) when either is out of range or there
// is no hero.
GameObject* FireWeapon(World& world, GameObject& shooter);

// Places obj level with the owner's vertical centre, centred on the owner's
// leading edge (integer divisions of the frame sizes).
void SpawnFromOwner(GameObject& obj, const GameObject& owner);
