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
#include "core/Messages.h"
#include "objects/World.h"

namespace {

const size_t kMaxLevelLine = 255;

bool IsLevelMarker(const std::string& token) { return token.compare(0, 3, "LVL") == 0; }

// The keys of a level line; stops at the first value that is not a number.
// What went wrong, or "".
std::string ParseLevelKeys(const std::string& line, WeaponDef& level) {
    std::istringstream in(line);
    std::string key, problem;
    while (in >> key) {
        // Into temporaries: a value that does not read leaves the default.
        float number = 0.0f;
        int row = 0;
        bool read = true;
        if (key == "Speed") {
            if ((read = static_cast<bool>(in >> number))) level.speed = number;
        } else if (key == "Power") {
            if ((read = static_cast<bool>(in >> number))) level.power = number;
        } else if (key == "Palette" || key == "PaletteIndex") {
            if ((read = static_cast<bool>(in >> row))) level.paletteIndex = row;
        } else if (key == "NoWallCollision") {
            level.wallCollision = false;
        } else if (problem.empty()) {
            problem = "\"" + key + "\" is skipped: the keys are Speed, Power, Palette and NoWallCollision";
        }
        if (!read) return key + " needs a number; the rest of the line is ignored";
    }
    return problem;
}

}  // namespace

WeaponGroup LoadWeapon(const std::string& name) {
    const std::string path = "data/objects/weapons/" + name + ".weapon";
    std::string text;
    if (!ReadDataFile(path, text)) {
        std::printf("Could not locate weapon file: %s\n", path.c_str());
        return WeaponGroup();
    }
    std::istringstream in(text);
    const std::string found = ResolveDataPath(path);

    WeaponGroup group;
    group.name = name;
    std::string token;
    while (in >> token) {
        if (!IsLevelMarker(token)) continue;
        const size_t at = in.good() ? static_cast<size_t>(in.tellg()) : text.size();
        const std::string where = found + ":" + std::to_string(LineAt(text, at)) + ": ";
        WeaponDef level;
        if (!(in >> level.objectName)) {  // a marker with no shot name ends the file
            std::printf("%s%s has no shot name; the file is read no further\n", where.c_str(), token.c_str());
            break;
        }
        std::string line;
        std::getline(in, line);
        if (line.size() > kMaxLevelLine) line.resize(kMaxLevelLine);
        const std::string problem = ParseLevelKeys(line, level);
        if (!problem.empty()) std::printf("%s%s\n", where.c_str(), problem.c_str());
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
