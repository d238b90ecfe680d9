// The demo game's objects, run from game/ on small stages built here: the
// enemies act by their scripts, the hero's shots kill them, shells and
// capsules do what they are for. The sprite sheets come from the build (the
// "sheets" target); without them the sets have no hit boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "objects/ObjectTestData.h"
#include "objects/Weapon.h"

namespace {

// A floor (row 10, y 160) from column `from` to column `to`, and optional
// two-tile walls standing on it.
void Floor(World& world, int from, int to, std::initializer_list<int> walls = {}) {
    for (int column = from; column <= to; ++column) objtest::SolidTile(world, column, 10);
    for (int column : walls) {
        objtest::SolidTile(world, column, 8);
        objtest::SolidTile(world, column, 9);
    }
}

class Demo : public testing::Test {
protected:
    Demo() : cwd_(GameDir()) {
        game_.world.sounds.log = &sounds_;
        game_.camera = Vector2(200.0f, 120.0f);
        testing::internal::CaptureStdout();  // the test hero has no sprite set
        hero_ = game_.world.CreateObjectInCategory("TestHero", 0, "Player");
        testing::internal::GetCapturedStdout();
        game_.hero = hero_;
        // Rook's frame and hit box; the hero stands where a test puts it.
        hero_->anim.frameWidth = 64;
        hero_->anim.frameHeight = 64;
        hero_->anim.left = 24;
        hero_->anim.top = 22;
        hero_->anim.right = 40;
        hero_->anim.bottom = 60;
        hero_->tileCollision = false;
        hero_->health = 32.0f;
        PlaceHero(0.0f);
    }

    void PlaceHero(float x) { hero_->position = Vector2(x, 100.0f); }  // feet on y 160

    // An enemy as the stage flow spawns it: palette 0, no dying on walls,
    // gravity, standing on the floor.
    GameObject* Spawn(const std::string& type, float x) {
        GameObject* enemy = game_.world.CreateObjectInCategory(type, 0, "Enemies");
        EXPECT_EQ(32, enemy->anim.frameWidth) << type << ": build the sheets target";
        enemy->position = Vector2(x, 128.0f);
        enemy->dieOnWall = false;
        enemy->gravity = true;
        return enemy;
    }

    void Frames(int n) {
        for (int i = 0; i < n; ++i) game_.world.UpdateAllObjects();
    }

    GameObject* Find(const std::string& category, const std::string& name) {
        for (GameObject& o : game_.world.List(category))
            if (o.name == name) return &o;
        return nullptr;
    }

    ScopedWorkingDirectory cwd_;
    Game game_;
    std::vector<SoundRequest> sounds_;
    GameObject* hero_ = nullptr;
};

}  // namespace

TEST_F(Demo, WalkerPacesBetweenAWallAndALedge) {
    World& world = game_.world;
    Floor(world, 5, 24, {20});  // floor x 80..399, wall x 320..335
    GameObject& walker = *Spawn("Walker", 150.0f);
    PlaceHero(-300.0f);  // far to the left: the walker sets off that way

    float minX = walker.position.x, maxX = walker.position.x;
    int turns = 0;
    int direction = 0;
    for (int frame = 0; frame < 1300; ++frame) {
        world.UpdateAllObjects();
        ASSERT_EQ(1u, world.List("Enemies").size()) << "frame " << frame;
        minX = std::min(minX, walker.position.x);
        maxX = std::max(maxX, walker.position.x);
        if (direction != 0 && walker.direction != direction) ++turns;
        direction = walker.direction;
        // Feelers live for one update only.
        ASSERT_LE(world.List("Misc").size(), 2u) << "frame " << frame;
        // It never falls off its floor.
        ASSERT_EQ(160, static_cast<int>(walker.position.y) + walker.anim.bottom) << "frame " << frame;
    }
    EXPECT_GE(turns, 4);
    // Turned at the ledge while still standing on the floor ...
    EXPECT_LT(minX + walker.anim.left, 80.0f + 8.0f);
    EXPECT_GE(minX + walker.anim.right - 1, 80.0f);
    // ... and at the wall before touching it.
    EXPECT_GT(maxX + walker.anim.right, 320.0f - 10.0f);
    EXPECT_LE(maxX + walker.anim.right, 320.0f);
    EXPECT_EQ(3.0f, walker.health);
}

TEST_F(Demo, TurretLobsShellsThatComeDownOnTheHero) {
    World& world = game_.world;
    Floor(world, 0, 30);
    GameObject& turret = *Spawn("Turret", 300.0f);
    PlaceHero(120.0f);  // centre x 152
    hero_->noCollide = true;  // let the first shell land beside him

    int frame = 0;
    while (world.List("EnemyWeapons").empty() && frame < 200) {
        world.UpdateAllObjects();
        ++frame;
    }
    ASSERT_FALSE(world.List("EnemyWeapons").empty()) << "no shell in 200 frames";
    EXPECT_EQ(1, turret.direction);  // faces the hero, on its left
    GameObject& shell = world.List("EnemyWeapons").front();
    EXPECT_EQ("TurretShot", shell.name);
    EXPECT_EQ(13.0f / 32.0f, shell.anim.paletteIndex);
    EXPECT_LT(shell.velocity.x, 0.0f);
    EXPECT_LT(shell.velocity.y, 0.0f);

    float landedAt = 0.0f;
    for (int i = 0; i < 120 && !world.List("EnemyWeapons").empty(); ++i) {
        landedAt = world.List("EnemyWeapons").front().position.x + 6.0f;
        world.UpdateAllObjects();
    }
    ASSERT_TRUE(world.List("EnemyWeapons").empty()) << "the shell never came down";
    EXPECT_NEAR(152.0f, landedAt, 24.0f);
    ASSERT_NE(nullptr, Find("EnemyFX", "Explosion"));  // it bursts where it lands

    // A shell that meets the hero hurts him.
    hero_->noCollide = false;
    for (int i = 0; i < 300 && hero_->hurtTimer == 0; ++i) world.UpdateAllObjects();
    EXPECT_EQ(73, hero_->hurtTimer);
    EXPECT_EQ(29.0f, hero_->health);
    ASSERT_FALSE(sounds_.empty());
    EXPECT_EQ(2, sounds_.back().channel);  // the hero's hurt voice
}

TEST_F(Demo, HopperSpringsTowardTheHeroAndLandsAgain) {
    World& world = game_.world;
    Floor(world, 0, 30);
    GameObject& hopper = *Spawn("Hopper", 300.0f);
    PlaceHero(40.0f);
    EXPECT_EQ(3.0f / 32.0f, hopper.anim.paletteIndex);

    float top = hopper.position.y;
    int landings = 0;
    bool wasLeaping = false;
    for (int frame = 0; frame < 240; ++frame) {
        world.UpdateAllObjects();
        top = std::min(top, hopper.position.y);
        const bool leaping = hopper.anim.IsPlaying("Leap");
        if (wasLeaping && !leaping) ++landings;
        wasLeaping = leaping;
    }
    EXPECT_GE(landings, 3);
    EXPECT_LT(top, 128.0f - 32.0f);           // a high hop
    EXPECT_LT(hopper.position.x, 300.0f - 80.0f);  // toward the hero
    EXPECT_EQ(1, hopper.direction);
    EXPECT_EQ(160, static_cast<int>(hopper.position.y) + hopper.anim.bottom);
}

TEST_F(Demo, BusterShotsWearEnemiesDownAndTheyExplode) {
    World& world = game_.world;
    Floor(world, 0, 30);
    hero_->weapons.push_back(LoadWeapon("Rook Buster"));
    GameObject& walker = *Spawn("Walker", 260.0f);
    PlaceHero(40.0f);
    hero_->noCollide = true;

    // A muzzle facing right (direction -1), as the hero's firing makes it.
    testing::internal::CaptureStdout();  // the muzzle has no sprite set
    GameObject& muzzle = *world.CreateObjectInCategory("TestMuzzle", 0, "PlayerFX");
    testing::internal::GetCapturedStdout();
    muzzle.anim.frameWidth = 32;
    muzzle.anim.frameHeight = 32;
    muzzle.position = Vector2(100.0f, 124.0f);
    muzzle.direction = -1;
    muzzle.weaponIndex = 0;
    muzzle.weaponLevel = 1;

    int hits = 0;
    for (int shot = 0; shot < 3; ++shot) {
        GameObject* fired = FireWeapon(world, muzzle);
        ASSERT_NE(nullptr, fired);
        EXPECT_EQ(Vector2(6.0f, 0.0f), fired->velocity);
        EXPECT_EQ(2.0f / 32.0f, fired->anim.paletteIndex);
        const float before = walker.health;
        for (int i = 0; i < 60 && !world.List("PlayerWeapons").empty(); ++i) {
            world.UpdateAllObjects();
            if (!world.List("Enemies").empty() && walker.hitFlash) ++hits;
        }
        ASSERT_TRUE(world.List("PlayerWeapons").empty()) << "shot " << shot << " flew on";
        if (shot < 2) {
            EXPECT_EQ(before - 1.0f, walker.health);
        }
    }
    EXPECT_EQ(2, hits);  // the third hit ends it the same frame
    EXPECT_TRUE(world.List("Enemies").empty());
    ASSERT_NE(nullptr, Find("EnemyFX", "Explosion"));
    int hitSounds = 0;
    for (const SoundRequest& r : sounds_) hitSounds += r.name == "SE_PL00\\ROOK_E_DAMA.WAV";
    EXPECT_EQ(3, hitSounds);

    // The burst plays once and goes.
    Frames(40);
    EXPECT_EQ(nullptr, Find("EnemyFX", "Explosion"));

    // A full charge ends a fresh walker at once.
    GameObject& second = *Spawn("Walker", 260.0f);
    (void)second;
    muzzle.weaponLevel = 3;
    ASSERT_NE(nullptr, FireWeapon(world, muzzle));
    for (int i = 0; i < 60 && !world.List("Enemies").empty(); ++i) world.UpdateAllObjects();
    EXPECT_TRUE(world.List("Enemies").empty());
}

TEST_F(Demo, EnemiesHurtTheHeroOnContact) {
    World& world = game_.world;
    Floor(world, 0, 30);
    const struct {
        const char* type;
        float damage;
    } enemies[] = {{"Walker", 2.0f}, {"Turret", 2.0f}, {"Hopper", 3.0f}};
    for (const auto& e : enemies) {
        world.ClearList("Enemies");
        hero_->hurtTimer = 0;
        hero_->health = 32.0f;
        Spawn(e.type, 120.0f);
        PlaceHero(100.0f);
        world.UpdateAllObjects();
        EXPECT_EQ(32.0f - e.damage, hero_->health) << e.type;
        EXPECT_EQ(73, hero_->hurtTimer) << e.type;
        world.UpdateAllObjects();  // hurt: not touched again
        EXPECT_EQ(32.0f - e.damage, hero_->health) << e.type;
    }
}

TEST_F(Demo, CapsulesHealTheHeroAndEndThemselves) {
    World& world = game_.world;
    Floor(world, 0, 30);
    PlaceHero(100.0f);
    const struct {
        const char* name;
        float heal;
    } capsules[] = {{"HealthSm", 2.0f}, {"HealthMed", 8.0f}};
    for (const auto& c : capsules) {
        game_.flow.pendingHealth = 0.0f;
        GameObject* item = world.CreateObjectInCategory(c.name, -1, "Items");
        EXPECT_EQ(16, item->anim.frameWidth) << c.name;
        item->position = Vector2(124.0f, 144.0f);
        item->dieOnWall = false;
        world.UpdateAllObjects();
        EXPECT_EQ(c.heal, game_.flow.pendingHealth) << c.name;
        EXPECT_TRUE(world.List("Items").empty()) << c.name;
        EXPECT_EQ(1u, world.List("Player").size());  // the hero stays
    }

    // Left lying, a capsule blinks and then fades away.
    PlaceHero(300.0f);
    GameObject& left = *world.CreateObjectInCategory("HealthSm", -1, "Items");
    left.position = Vector2(124.0f, 144.0f);
    left.dieOnWall = false;
    Frames(301);
    EXPECT_TRUE(left.anim.IsPlaying("Blink"));
    Frames(120);
    EXPECT_TRUE(world.List("Items").empty());
}
