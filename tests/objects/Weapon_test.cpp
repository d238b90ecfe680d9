// Weapon files, firing a level and the spawn placement.
#include <gtest/gtest.h>

#include "objects/ObjectTestData.h"
#include "objects/Weapon.h"

using objtest::DataTree;

namespace {

void ExpectLevel(const WeaponDef& level, const std::string& name, float power, float speed,
                 int palette, bool wallCollision) {
    EXPECT_EQ(name, level.objectName);
    EXPECT_EQ(power, level.power) << name;
    EXPECT_EQ(speed, level.speed) << name;
    EXPECT_EQ(palette, level.paletteIndex) << name;
    EXPECT_EQ(wallCollision, level.wallCollision) << name;
}

}  // namespace

TEST(Weapon, LevelLinesReadTheirKeysInAnyOrder) {
    DataTree tree("weapon-lines");
    tree.File("weapons/Gun.weapon",
              "A weapon file: words before a marker are skipped.\n"
              "LVL1 Pea\n"
              "LVL2 Bean Speed 5 Power 2 Palette 3\n"
              "LVL3 Blast NoWallCollision PaletteIndex 0 Power 4.5 Speed 7.25 extra words\n"
              "LVL Bare Speed 1\n"
              "LV NotALevel Speed 9\n"
              "lvl4 NotALevelEither\n"
              "LVLX Odd Power 9 Speed fast Palette 2\n"
              "LVL9 Tail Palette 2.5 Power 3\n");
    const WeaponGroup gun = LoadWeapon("Gun");
    EXPECT_EQ("Gun", gun.name);
    ASSERT_EQ(6u, gun.levels.size());
    ExpectLevel(gun.levels[0], "Pea", -1.0f, -1.0f, -1, true);  // the defaults
    ExpectLevel(gun.levels[1], "Bean", 2.0f, 5.0f, 3, true);
    ExpectLevel(gun.levels[2], "Blast", 4.5f, 7.25f, 0, false);
    ExpectLevel(gun.levels[3], "Bare", -1.0f, 1.0f, -1, true);   // exactly "LVL" counts
    ExpectLevel(gun.levels[4], "Odd", 9.0f, -1.0f, -1, true);    // stops at "fast"
    // An integer key reads the integer part; the rest is a word that is skipped.
    ExpectLevel(gun.levels[5], "Tail", 3.0f, -1.0f, 2, true);
}

TEST(Weapon, LevelLineLayoutEdges) {
    DataTree tree("weapon-edges");
    // The name may sit on the next line (tokens); keys are read from the rest
    // of the name's line only, up to 255 characters.
    const std::string longLine = "LVL1 Long Power 2" + std::string(250, ' ') + "Speed 3\n";
    ASSERT_GT(longLine.size(), 256u);
    tree.File("weapons/Edge.weapon", longLine +
                                         "LVL2\nSplit Speed 6\n"
                                         "Power 8\n"
                                         "LVL3");  // a marker with no name ends the file
    const WeaponGroup edge = LoadWeapon("Edge");
    ASSERT_EQ(2u, edge.levels.size());
    ExpectLevel(edge.levels[0], "Long", 2.0f, -1.0f, -1, true);  // "Speed 3" was cut off
    ExpectLevel(edge.levels[1], "Split", -1.0f, 6.0f, -1, true);  // "Power 8" is another line

    testing::internal::CaptureStdout();
    const WeaponGroup missing = LoadWeapon("Nothing");
    std::fflush(stdout);
    EXPECT_EQ("Could not locate weapon file: data/objects/weapons/Nothing.weapon\n",
              testing::internal::GetCapturedStdout());
    EXPECT_TRUE(missing.levels.empty());
    EXPECT_EQ("", missing.name);

    // The path is looked up without regard to case.
    tree.File("weapons/CASE.WEAPON", "LVL1 Found");
    ASSERT_EQ(1u, LoadWeapon("case").levels.size());
}

TEST(Weapon, SpawnFromOwnerCentresOnTheLeadingEdge) {
    GameObject owner;
    owner.anim.frameWidth = 64;
    owner.anim.frameHeight = 64;
    owner.position = Vector2(100.0f, 50.0f);
    GameObject shot;
    shot.anim.frameWidth = 16;
    shot.anim.frameHeight = 8;

    SpawnFromOwner(shot, owner);  // direction +1: the owner's left edge
    EXPECT_EQ(Vector2(92.0f, 78.0f), shot.position);
    owner.direction = -1;  // the right edge, at 2 x (64 / 2)
    SpawnFromOwner(shot, owner);
    EXPECT_EQ(Vector2(156.0f, 78.0f), shot.position);

    // Odd sizes halve with truncation.
    owner.anim.frameWidth = 33;
    owner.anim.frameHeight = 31;
    shot.anim.frameWidth = 15;
    shot.anim.frameHeight = 7;
    SpawnFromOwner(shot, owner);  // (16 + 16) - 7, 15 - 3
    EXPECT_EQ(Vector2(125.0f, 62.0f), shot.position);
    owner.direction = 1;
    SpawnFromOwner(shot, owner);  // 0 - 7
    EXPECT_EQ(Vector2(93.0f, 62.0f), shot.position);

    // Any direction a script sets is safe.
    owner.direction = std::numeric_limits<int>::min();
    SpawnFromOwner(shot, owner);
    EXPECT_FLOAT_EQ(100.0f + 16.0f + 16.0f * 2147483648.0f - 7.0f, shot.position.x);
}

namespace {

// A hero with "Gun" loaded, and a muzzle that fires it.
struct Range {
    DataTree tree{"weapon-fire"};
    GameObject* hero = nullptr;
    GameObject* muzzle = nullptr;

    Range() {
        tree.Set("Player/Hero", "64 64 24 22 40 60 Stand 1 0 0");
        tree.Set("Player/Pea", "16 8 2 2 14 6 Fly 1 0 0");
        tree.Set("Player/Bean", "16 8 2 2 14 6 Fly 1 0 0");
        tree.Set("Effects/Muzzle", "32 32 0 0 32 32 Stand 1 0 0");
        tree.File("weapons/Gun.weapon",
                  "LVL1 Pea\n"
                  "LVL2 Bean Speed 4 Power 2 Palette 0\n"
                  "LVL3 Bean Speed 6 Power 0 Palette 5 NoWallCollision\n");
        hero = tree.world().CreateObjectInCategory("Hero", 0, "Player");
        tree.game().hero = hero;
        hero->weapons.push_back(LoadWeapon("Gun"));
        muzzle = tree.world().CreateObjectInCategory("Muzzle", 2, "PlayerFX");
        muzzle->position = Vector2(200.0f, 100.0f);
        muzzle->weaponIndex = 0;
    }

    GameObject* Fire(int level, int direction) {
        muzzle->weaponLevel = level;
        muzzle->direction = direction;
        return FireWeapon(tree.world(), *muzzle);
    }
};

}  // namespace

TEST(Weapon, FireWeaponAppliesTheLevelOverTheShotsOwnValues) {
    Range range;
    // Level 1 names only the shot: it keeps its own values.
    GameObject* pea = range.Fire(1, 1);
    ASSERT_NE(nullptr, pea);
    EXPECT_EQ("Pea", pea->name);
    EXPECT_EQ(&range.tree.world().List("PlayerWeapons").back(), pea);
    EXPECT_EQ(20.0f, pea->health);
    EXPECT_EQ(1.0f, pea->power);
    EXPECT_EQ(Vector2(0.0f, 0.0f), pea->velocity);
    EXPECT_TRUE(pea->dieOnWall);
    EXPECT_EQ(0.0f, pea->anim.paletteIndex);  // created with palette 0
    EXPECT_EQ(1, pea->direction);
    EXPECT_EQ(Vector2(192.0f, 112.0f), pea->position);

    // Level 2 fired facing -1: speed 4 becomes +4, one step back from the spawn point.
    GameObject* bean = range.Fire(2, -1);
    ASSERT_NE(nullptr, bean);
    EXPECT_EQ(-1, bean->direction);
    EXPECT_EQ(Vector2(4.0f, 0.0f), bean->velocity);
    EXPECT_EQ(2.0f, bean->health);
    EXPECT_EQ(2.0f, bean->power);
    EXPECT_EQ(0.0f, bean->anim.paletteIndex);  // "Palette 0" is a palette
    EXPECT_EQ(Vector2(200.0f + 32.0f - 8.0f - 4.0f, 112.0f), bean->position);

    // Level 3 facing +1 moves toward smaller x; power 0 is a value, not "keep".
    GameObject* blast = range.Fire(3, 1);
    ASSERT_NE(nullptr, blast);
    EXPECT_EQ(Vector2(-6.0f, 0.0f), blast->velocity);
    EXPECT_EQ(0.0f, blast->health);
    EXPECT_EQ(0.0f, blast->power);
    EXPECT_EQ(5.0f / 32.0f, blast->anim.paletteIndex);
    EXPECT_FALSE(blast->dieOnWall);
    EXPECT_EQ(Vector2(192.0f + 6.0f, 112.0f), blast->position);
}

TEST(Weapon, FireWeaponOutsideTheTableCreatesNothing) {
    Range range;
    World& world = range.tree.world();
    const struct {
        int index, level;
    } outside[] = {{0, 0}, {0, -1}, {0, 4}, {-1, 1}, {1, 1}, {1000000, 2},
                   {std::numeric_limits<int>::min(), 1}, {0, std::numeric_limits<int>::max()}};
    for (const auto& o : outside) {
        range.muzzle->weaponIndex = o.index;
        EXPECT_EQ(nullptr, range.Fire(o.level, 1)) << o.index << "/" << o.level;
    }
    EXPECT_TRUE(world.List("PlayerWeapons").empty());

    // The table is the hero's: a shooter's own weapons are not read.
    range.muzzle->weapons = range.hero->weapons;
    range.hero->weapons.clear();
    range.muzzle->weaponIndex = 0;
    EXPECT_EQ(nullptr, range.Fire(1, 1));

    // No hero, no table.
    world.ClearList("Player");
    range.muzzle->weapons.clear();
    EXPECT_EQ(nullptr, range.Fire(1, 1));
    EXPECT_TRUE(world.List("PlayerWeapons").empty());
}

