// The death pass: kills and silent removals, Death hooks, freed placements,
// and the item drop table.
#include <gtest/gtest.h>

#include <cstdlib>

#include "objects/ObjectTestData.h"

using objtest::DataTree;

namespace {

const char* const kBox = "32 32 8 8 24 32 Stand 1 0 0";

struct Stage {
    DataTree tree;
    World& world;

    explicit Stage(const std::string& tag) : tree(tag), world(Prepare(tree)) {}

    static World& Prepare(DataTree& tree) {
        tree.Set("Enemies/Foe", kBox);
        tree.Set("Player/Pellet", kBox);
        tree.Set("Items/HealthSm", "16 16 0 0 16 16 Stand 1 0 0");
        tree.Set("Items/HealthMed", "16 16 0 0 16 16 Stand 1 0 0");
        tree.Set("Effects/Boom", kBox);
        tree.Lua(R"(
          deaths = {}
          function FoeDeath(self) deaths[#deaths + 1] = "Foe" end
          function PelletDeath(self) deaths[#deaths + 1] = "Pellet" end
        )");
        tree.game().camera = Vector2(160.0f, 120.0f);
        World& world = tree.world();
        for (int i = 0; i < 3; ++i) {
            EnemyPlacement placement;
            placement.typeName = "Foe";
            placement.spawned = true;
            world.stage.enemyPlacements.push_back(placement);
        }
        return world;
    }

    GameObject* Foe(int placement, float x = 100.0f) {
        GameObject* foe = world.CreateObjectInCategory("Foe", 0, "Enemies");
        foe->placementIndex = placement;
        foe->position = Vector2(x, 100.0f);
        return foe;
    }

    std::string Deaths() { return tree.Eval("table.concat(deaths, ' ')"); }
};

}  // namespace

TEST(Deaths, KillsRunDeathHooksAndLeavingTheViewIsSilent) {
    Stage s("deaths-kinds");
    std::srand(1);
    GameObject* killed = s.Foe(0);
    killed->health = 0.0f;
    GameObject* walker = s.Foe(1, 400.0f);  // outside the view, alive
    GameObject* both = s.Foe(2, 400.0f);    // outside the view and dead
    both->health = -1.0f;
    GameObject* alive = s.Foe(-1);
    GameObject* shot = s.world.CreateObjectInCategory("Pellet", 0, "PlayerWeapons");
    shot->position = Vector2(100.0f, 100.0f);
    shot->health = 0.0f;
    (void)walker;

    s.world.UpdateAllObjects();
    EXPECT_EQ("Foe Pellet", s.Deaths());  // one kill, one shot; the rest are silent
    ASSERT_EQ(1u, s.world.List("Enemies").size());
    EXPECT_EQ(alive, &s.world.List("Enemies").front());
    EXPECT_TRUE(s.world.List("PlayerWeapons").empty());
    for (const EnemyPlacement& p : s.world.stage.enemyPlacements) EXPECT_FALSE(p.spawned);
    for (auto& queue : s.world.removalQueues) EXPECT_TRUE(queue.second.empty()) << queue.first;
}

TEST(Deaths, PlacementsOutsideTheListAreLeftAlone) {
    Stage s("deaths-placements");
    s.Foe(3)->health = 0.0f;   // one past the end
    s.Foe(-2)->health = 0.0f;
    s.Foe(1 << 30, 400.0f);
    s.world.UpdateAllObjects();
    EXPECT_TRUE(s.world.List("Enemies").empty());
    for (const EnemyPlacement& p : s.world.stage.enemyPlacements) EXPECT_TRUE(p.spawned);
}

TEST(Deaths, WhatDeathHooksCreateIsLookedAtNextFrame) {
    Stage s("deaths-created");
    s.tree.Lua(R"(
      function FoeDeath(self)
        CreateObject(self, "Boom", "EnemyFX", 0, 0, 1, false)   -- a later category
        local again = CreateObject(self, "Foe", "Enemies", 0, 0, 1, false)
        SetHealth(again, 0)                                      -- dead at birth
        deaths[#deaths + 1] = "Foe"
      end
    )");
    std::srand(7);
    s.Foe(-1)->health = 0.0f;
    s.world.UpdateAllObjects();
    EXPECT_EQ("Foe", s.Deaths());
    ASSERT_EQ(1u, s.world.List("EnemyFX").size());
    EXPECT_EQ(20.0f, s.world.List("EnemyFX").front().health);
    // The dead-born Foe waits for the next frame, so the pass always ends.
    ASSERT_EQ(1u, s.world.List("Enemies").size());
    s.world.UpdateAllObjects();
    EXPECT_EQ("Foe Foe", s.Deaths());
    EXPECT_EQ(1u, s.world.List("Enemies").size());
}

TEST(Deaths, DropRatesFollowTheTable) {
    Stage s("deaths-drops");
    std::srand(20240601);
    const int kills = 32000;
    int small = 0, medium = 0;
    for (int batch = 0; batch < kills / 1000; ++batch) {
        for (int i = 0; i < 1000; ++i) s.Foe(-1)->health = 0.0f;
        s.world.ProcessDeaths({"Enemies", "Items"});
        s.world.RemoveQueued();
        for (const GameObject& item : s.world.List("Items")) {
            if (item.name == "HealthSm") ++small;
            if (item.name == "HealthMed") ++medium;
        }
        s.world.ClearList("Items");
    }
    EXPECT_TRUE(s.world.List("Enemies").empty());
    // 1/8 and 1/32 of the kills; the tolerances are about four standard deviations.
    EXPECT_NEAR(kills / 8.0, small, 0.0075 * kills) << small;
    EXPECT_NEAR(kills / 32.0, medium, 0.004 * kills) << medium;
}

TEST(Deaths, DroppedItemsHopUpFromTheEnemy) {
    Stage s("deaths-item");
    s.tree.File("Items/HealthSm.lua", "function HealthSmCreate(self) made = GetPalette(self) end");
    // Find a seed whose first kill drops something.
    unsigned seed = 0;
    for (;; ++seed) {
        std::srand(seed);
        if (std::rand() % 4 == 0 && std::rand() % 8 <= 3) break;
    }
    std::srand(seed);
    GameObject* foe = s.Foe(-1, 120.0f);
    foe->position.y = 90.0f;
    foe->health = 0.0f;
    s.world.ProcessDeaths({"Enemies", "Items"});
    ASSERT_EQ(1u, s.world.List("Items").size());
    const GameObject& item = s.world.List("Items").front();
    EXPECT_EQ("HealthSm", item.name);
    EXPECT_EQ(Vector2(136.0f, 122.0f), item.position);
    EXPECT_EQ(Vector2(0.0f, -6.0f), item.velocity);
    EXPECT_TRUE(item.gravity);
    EXPECT_FALSE(item.dieOnWall);
    EXPECT_EQ(-1.0f / 32.0f, item.anim.paletteIndex);
    EXPECT_EQ("-1", s.tree.Eval("made"));
    EXPECT_EQ(20.0f, item.health);  // processed after "Enemies" and left alone
    EXPECT_FALSE(item.offscreen);
    s.world.RemoveQueued();
    EXPECT_EQ(1u, s.world.List("Items").size());

    // Only enemies drop, and only when killed.
    std::srand(seed);
    s.world.CreateObjectInCategory("Pellet", 0, "PlayerWeapons")->health = 0.0f;
    s.world.ProcessDeaths({"PlayerWeapons", "Items"});
    std::srand(seed);
    s.Foe(-1, 400.0f)->health = 0.0f;
    s.world.UpdateAllObjects();
    EXPECT_EQ(1u, s.world.List("Items").size());
}
