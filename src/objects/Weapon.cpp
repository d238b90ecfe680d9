// Weapons: loading ".weapon" files, firing one level, and the spawn placement
// shared by every object that is fired or spawned from another.
//
// The weapon table is always the hero's (the first object of "Player"); the
// shooter only names an entry and a 1-based level in it. A number outside the
// table creates nothing.
#include "objects/Weapon.h"

#include <cstdio>
#include <sstream>

#include "core/DataPath.h"
#include "objects/World.h"

namespace {

const size_t kMaxLevelLine = 255;

bool IsLevelMarker(const std::string& token) { return token.compare(0, 3, "LVL") == 0; }

// The keys of a level line; stops at the first value that is not a number.
void ParseLevelKeys(const std::string& line, WeaponDef& level) {
    std::istringstream in(line);
    std::string key;
    while (in >> key) {
        // Into temporaries: a value that does not read leaves the default.
        float number = 0.0f;
        int row = 0;
        if (key == "Speed") {
            if (!(in >> number)) return;
            level.speed = number;
        } else if (key == "Power") {
            if (!(in >> number)) return;
            level.power = number;
        } else if (key == "Palette" || key == "PaletteIndex") {
            if (!(in >> row)) return;
            level.paletteIndex = row;
        } else if (key == "NoWallCollision") {
            level.wallCollision = false;
        }
    }
}

std::string ReadAll(std::FILE* file) {
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    return text;
}

}  // namespace

WeaponGroup LoadWeapon(const std::string& name) {
    const std::string path = "data/objects/weapons/" + name + ".weapon";
    std::FILE* file = OpenDataFile(path, "rb");
    if (!file) {
        std::printf("Could not locate weapon file: %s\n", path.c_str());
        return WeaponGroup();
    }
    std::istringstream in(ReadAll(file));
    std::fclose(file);

    WeaponGroup group;
    group.name = name;
    std::string token;
    while (in >> token) {
        if (!IsLevelMarker(token)) continue;
        WeaponDef level;
        if (!(in >> level.objectName)) break;  // a marker with no shot name ends the file
        std::string line;
        std::getline(in, line);
        if (line.size() > kMaxLevelLine) line.resize(kMaxLevelLine);
        ParseLevelKeys(line, level);
        group.levels.push_back(level);
    }
    return group;
}

GameObject* FireWeapon(World& world, GameObject& shooter) {
    ObjectList& players = world.List(Category::Player);
    if (players.empty()) return nullptr;
    const std::vector<WeaponGroup>& weapons = players.front().weapons;
    if (shooter.weaponIndex < 0 || shooter.weaponIndex >= static_cast<int>(weapons.size()))
        return nullptr;
    const WeaponGroup& group = weapons[shooter.weaponIndex];
    if (shooter.weaponLevel < 1 || shooter.weaponLevel > static_cast<int>(group.levels.size()))
        return nullptr;
    // A copy: the shot's Create hook runs before the level has been applied.
    const WeaponDef level = group.levels[shooter.weaponLevel - 1];

    GameObject& shot = *world.CreateObjectInCategory(level.objectName, 0, "PlayerWeapons");
    SpawnFromOwner(shot, shooter);
    shot.direction = shooter.direction;
    if (level.paletteIndex >= 0) shot.anim.paletteIndex = static_cast<float>(level.paletteIndex) / 32.0f;
    if (level.power >= 0.0f) {
        shot.health = level.power;
        shot.power = level.power;
    }
    if (level.speed >= 0.0f) shot.velocity.x = level.speed;
    if (!level.wallCollision) shot.dieOnWall = false;
    shot.velocity.x = -static_cast<float>(shot.direction) * shot.velocity.x;
    shot.position -= shot.velocity;
    return &shot;
}

void SpawnFromOwner(GameObject& obj, const GameObject& owner) {
    // In 64 bits: a script may set any direction, and the product must not overflow.
    const long long halfWidth = owner.anim.frameWidth / 2;
    const long long dx = (halfWidth - halfWidth * owner.direction) - obj.anim.frameWidth / 2;
    const long long dy = owner.anim.frameHeight / 2 - obj.anim.frameHeight / 2;
    obj.position = owner.position + Vector2(static_cast<float>(dx), static_cast<float>(dy));
}
