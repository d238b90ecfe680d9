// The per-frame update: pass order, which pairs meet, the steps of one
// object's update, gravity, the view window, the box test, and what a frame
// does with objects created, hurt, parented or dead during it.
#include <gtest/gtest.h>

#include "objects/ObjectTestData.h"

using objtest::DataTree;
using objtest::Handle;

namespace {

// A 32 x 32 frame with the hit box (8, 8)-(24, 32) and one still animation.
const char* const kBox = "32 32 8 8 24 32 Stand 1 0 0";

// Every hook of these names notes itself in the Lua table `log`.
const char* const kNotingHooks = R"(
log = {}
function Note(s) log[#log + 1] = s end
function Log() return table.concat(log, " ") end
for _, n in ipairs({"Gem", "Spit", "Foe", "Ghost", "Pellet", "Hero", "Boom", "Glow", "Orb", "Thing"}) do
  _G[n .. "Update"] = function(self) Note("U:" .. GetName(self)) end
  _G[n .. "Collide"] = function(self, other) Note("C:" .. GetName(self) .. ">" .. GetName(other)) end
end
)";

struct Cast {
    const char* name;
    const char* category;
    const char* setName;
};

const Cast kCast[] = {
    {"Gem", "Items", "Items/Gem"},           {"Spit", "EnemyWeapons", "Enemies/Spit"},
    {"Foe", "Enemies", "Enemies/Foe"},       {"Ghost", "PlayerBGFX", "Player/Ghost"},
    {"Pellet", "PlayerWeapons", "Player/Pellet"}, {"Hero", "Player", "Player/Hero"},
    {"Boom", "EnemyFX", "Effects/Boom"},     {"Glow", "PlayerFXBack", "Effects/Glow"},
    {"Orb", "PlayerFX", "Effects/Orb"},      {"Thing", "Misc", "Thing"},
};

// One object of each category, all on the same spot in the middle of the view.
std::map<std::string, GameObject*> MakeCast(DataTree& tree) {
    for (const Cast& c : kCast) tree.Set(c.setName, kBox);
    tree.game().camera = Vector2(100.0f, 100.0f);
    tree.Lua(kNotingHooks);
    std::map<std::string, GameObject*> cast;
    // The hero first, as start-up makes it.
    cast["Hero"] = tree.world().CreateObjectInCategory("Hero", 0, "Player");
    tree.game().hero = cast["Hero"];
    for (const Cast& c : kCast) {
        if (std::string(c.name) == "Hero") continue;
        cast[c.name] = tree.world().CreateObjectInCategory(c.name, 0, c.category);
    }
    for (auto& entry : cast) entry.second->position = Vector2(100.0f, 100.0f);
    return cast;
}

}  // namespace

TEST(ObjectUpdate, PassesRunInOrderAndEachPairMeetsOnceFromTheLaterSide) {
    DataTree tree("update-order");
    auto cast = MakeCast(tree);

    const std::string oneFrame =
        "U:Gem U:Spit U:Foe U:Ghost "
        "U:Pellet C:Pellet>Foe C:Foe>Pellet "
        "U:Hero C:Hero>Foe C:Foe>Hero C:Hero>Spit C:Spit>Hero C:Hero>Gem C:Gem>Hero "
        "U:Boom U:Glow U:Orb U:Thing";
    tree.world().UpdateAllObjects();
    EXPECT_EQ(oneFrame, tree.Eval("Log()"));
    // Only the hero shot's meeting sounds the hit.
    ASSERT_EQ(1u, tree.sounds.size());
    EXPECT_EQ("SE_PL00\\ROOK_E_DAMA.WAV", tree.sounds[0].name);
    EXPECT_EQ(-1, tree.sounds[0].channel);
    EXPECT_EQ(0, tree.sounds[0].loops);

    // Every list registers; only the table of targets decides who meets.
    World& world = tree.world();
    EXPECT_EQ(std::vector<GameObject*>{cast["Foe"]}, world.collisionRegistry["Enemies"]);
    EXPECT_EQ(std::vector<GameObject*>{cast["Hero"]}, world.collisionRegistry["Player"]);
    EXPECT_EQ(std::vector<GameObject*>{cast["Boom"]}, world.collisionRegistry["EnemyFX"]);

    // The next frame starts with an empty registry and meets the same pairs again.
    tree.Lua("log = {}");
    world.UpdateAllObjects();
    EXPECT_EQ(oneFrame, tree.Eval("Log()"));
    EXPECT_EQ(std::vector<GameObject*>{cast["Foe"]}, world.collisionRegistry["Enemies"]);
}

TEST(ObjectUpdate, HurtOrNoCollideObjectsAreNeitherTestedNorRegistered) {
    {
        DataTree tree("update-hurt");
        auto cast = MakeCast(tree);
        cast["Hero"]->hurtTimer = 5;
        tree.world().UpdateAllObjects();
        EXPECT_EQ(
            "U:Gem U:Spit U:Foe U:Ghost U:Pellet C:Pellet>Foe C:Foe>Pellet U:Hero "
            "U:Boom U:Glow U:Orb U:Thing",
            tree.Eval("Log()"));
        EXPECT_TRUE(tree.world().collisionRegistry["Player"].empty());
        EXPECT_EQ(5, cast["Hero"]->hurtTimer);  // counting down is the hero's own code
    }
    {
        DataTree tree("update-nocollide");
        auto cast = MakeCast(tree);
        tree.Lua("SetSFX(" + Handle(cast["Foe"]) + ", 0)");  // 0 is true in Lua
        ASSERT_TRUE(cast["Foe"]->noCollide);
        tree.world().UpdateAllObjects();
        EXPECT_EQ(
            "U:Gem U:Spit U:Foe U:Ghost U:Pellet "
            "U:Hero C:Hero>Spit C:Spit>Hero C:Hero>Gem C:Gem>Hero "
            "U:Boom U:Glow U:Orb U:Thing",
            tree.Eval("Log()"));
        EXPECT_TRUE(tree.world().collisionRegistry["Enemies"].empty());
        EXPECT_TRUE(tree.sounds.empty());
    }
}

TEST(ObjectUpdate, OverlapCountsTouchingBoxesAndWidensByBothVelocities) {
    auto box = [](float x, float y, float vx = 0.0f, float vy = 0.0f) {
        GameObject o;
        o.anim.left = 0;
        o.anim.top = 0;
        o.anim.right = 10;
        o.anim.bottom = 10;
        o.position = Vector2(x, y);
        o.velocity = Vector2(vx, vy);
        return o;
    };
    const GameObject a = box(0.0f, 0.0f);
    struct Case {
        GameObject b;
        bool overlap;
    } cases[] = {
        // Touching counts (gaps truncate); a gap of 1 does not.
        {box(10.0f, 0.0f), true},  {box(11.0f, 0.0f), false}, {box(10.9f, 0.0f), true},
        {box(-10.0f, 0.0f), true}, {box(-11.0f, 0.0f), false}, {box(0.0f, 10.0f), true},
        {box(0.0f, 11.0f), false}, {box(0.0f, -10.0f), true}, {box(0.0f, -11.0f), false},
        {box(3.0f, 4.0f), true},
        // b's velocity widens or narrows the test.
        {box(11.0f, 0.0f, 1.0f), true}, {box(12.0f, 0.0f, 1.0f), false},
        {box(10.0f, 0.0f, -1.0f), false}, {box(0.0f, 13.0f, 0.0f, 3.0f), true},
        {box(0.0f, 14.0f, 0.0f, 3.0f), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.overlap, Overlap(a, c.b))
            << "b at (" << c.b.position.x << ", " << c.b.position.y << ") moving ("
            << c.b.velocity.x << ", " << c.b.velocity.y << ")";
    }
    // Velocities of both count: a's own widens the same test.
    GameObject moving = box(0.0f, 0.0f, 0.5f);
    EXPECT_TRUE(Overlap(moving, box(11.0f, 0.0f, 0.5f)));
    // Huge or undefined positions give an answer, never undefined behaviour.
    EXPECT_FALSE(Overlap(a, box(3.0e38f, 0.0f)));
    EXPECT_FALSE(Overlap(a, box(std::numeric_limits<float>::infinity(), 0.0f)));
}

TEST(ObjectUpdate, GravityAddsAQuarterUntilSixAndStops) {
    DataTree tree("update-gravity");
    tree.Set("Thing", kBox);
    GameObject& fast = *tree.world().CreateObjectInCategory("Thing", 0, "Misc");
    fast.gravity = true;
    fast.velocity.y = 5.9f;
    tree.world().UpdateAllObjects();
    EXPECT_FLOAT_EQ(6.15f, fast.velocity.y);
    EXPECT_FLOAT_EQ(6.15f, fast.position.y);  // moved by the new velocity
    tree.world().UpdateAllObjects();
    EXPECT_FLOAT_EQ(6.15f, fast.velocity.y);

    // From rest: a quarter per update up to exactly 6, then no more.
    GameObject& slow = *tree.world().CreateObjectInCategory("Thing", 0, "Misc");
    slow.gravity = true;
    for (int update = 1; update <= 26; ++update) {
        tree.world().UpdateAllObjects();
        EXPECT_FLOAT_EQ(std::min(6.0f, 0.25f * update), slow.velocity.y) << "update " << update;
    }
    // Without gravity nothing accelerates.
    GameObject& still = *tree.world().CreateObjectInCategory("Thing", 0, "Misc");
    tree.world().UpdateAllObjects();
    EXPECT_EQ(Vector2(0.0f, 0.0f), still.velocity);
}

TEST(ObjectUpdate, OneUpdateRunsItsStepsInOrder) {
    DataTree tree("update-steps");
    // Walk: three frames of two ticks, then round again.
    tree.Set("Enemies/Foe", "32 32 8 8 24 32 Walk 3 2 0");
    tree.Lua(R"(
      log = {}
      function FoeUpdate(self)
        log[#log + 1] = "U" .. GetLifetime(self) .. (HitFrame(self, 1) and "h" or "")
      end
      for f = 0, 2 do
        _G["FoeOnFrame" .. f] = function(self)
          log[#log + 1] = "F" .. f .. (HitFrame(self, f + 1) and "h" or "")
        end
      end
    )");
    tree.game().camera = Vector2(0.0f, 0.0f);
    GameObject& foe = *tree.world().CreateObjectInCategory("Foe", 0, "Enemies");
    foe.velocity = Vector2(1.5f, -0.5f);
    foe.counter = 1;
    foe.hitFlash = true;
    for (int i = 0; i < 7; ++i) tree.world().UpdateAllObjects();
    // The Update hook runs before the animation moves on; the frame hook after,
    // on the first tick of each frame (frames counted from 0).
    EXPECT_EQ("U0 F0h U1h U2 F1h U3 U4 F2h U5 U6 F0h",
              tree.Eval("table.concat(log, ' ')"));
    EXPECT_EQ(7, foe.lifetime);
    EXPECT_EQ(8, foe.counter);  // grows once nonzero, for tile-colliding objects
    EXPECT_FLOAT_EQ(10.5f, foe.position.x);
    EXPECT_FLOAT_EQ(-3.5f, foe.position.y);
    EXPECT_FALSE(foe.hitFlash);
    EXPECT_EQ(1, foe.anim.loopCount);

    // Effects do not collide with tiles, so their counter stands still.
    tree.Set("Effects/Orb", kBox);
    GameObject& orb = *tree.world().CreateObjectInCategory("Orb", 0, "PlayerFX");
    orb.counter = 1;
    tree.world().UpdateAllObjects();
    EXPECT_EQ(1, orb.counter);
    EXPECT_EQ(1, orb.lifetime);
}

TEST(ObjectUpdate, ViewWindowReachesHalfAScreenAndEightPixels) {
    DataTree tree("update-view");
    tree.Set("Enemies/Foe", kBox);
    tree.Set("Effects/Boom", kBox);
    tree.game().camera = Vector2(160.0f, 120.0f);
    World& world = tree.world();
    struct Spot {
        float x, y;
        bool stays;
    } spots[] = {
        {328.0f, 100.0f, true},   {328.5f, 100.0f, false},  // right edge: cx + 168
        {-40.0f, 100.0f, true},   {-40.5f, 100.0f, false},  // left: x + 32 >= cx - 168
        {100.0f, 248.0f, true},   {100.0f, 248.5f, false},  // bottom: cy + 128
        {100.0f, -40.0f, true},   {100.0f, -40.5f, false},  // top: y + 32 >= cy - 128
    };
    std::vector<GameObject*> foes;
    for (const Spot& s : spots) {
        GameObject* foe = world.CreateObjectInCategory("Foe", 0, "Enemies");
        foe->position = Vector2(s.x, s.y);
        foes.push_back(foe);
    }
    GameObject* boom = world.CreateObjectInCategory("Boom", 0, "EnemyFX");
    boom->position = Vector2(328.5f, 100.0f);

    world.UpdateCategory("Enemies", {});
    world.UpdateCategory("EnemyFX", {});
    for (size_t i = 0; i < foes.size(); ++i)
        EXPECT_EQ(!spots[i].stays, foes[i]->offscreen) << spots[i].x << ", " << spots[i].y;
    EXPECT_FALSE(boom->offscreen);  // effects never leave the view

    // A whole frame removes the ones outside.
    world.UpdateAllObjects();
    EXPECT_EQ(4u, world.List("Enemies").size());
    for (const GameObject& foe : world.List("Enemies")) EXPECT_FALSE(foe.offscreen);
    EXPECT_EQ(1u, world.List("EnemyFX").size());
}

TEST(ObjectUpdate, ObjectsMadeDuringAPassWaitOrRunAsTheirListsDecide) {
    DataTree tree("update-created");
    tree.Set("Items/Seed", kBox);
    tree.Set("Items/Gem", kBox);
    tree.Set("Enemies/Foe", kBox);
    tree.Set("Player/Pellet", kBox);
    tree.Set("Weed", kBox);
    tree.game().camera = Vector2(0.0f, 0.0f);
    World& world = tree.world();
    tree.Lua(R"(
      function SeedUpdate(self)
        if GetLifetime(self) == 0 then CreateObject(self, "Seed", "Items", 0, 0, 1, false) end
      end
      function FoeUpdate(self)
        if GetLifetime(self) == 0 then
          CreateObject(self, "Gem", "Items", 0, 0, 1, false)         -- updated earlier: waits
          CreateObject(self, "Pellet", "PlayerWeapons", 0, 0, 1, false) -- updated later: runs
        end
      end
      function WeedUpdate(self) CreateObject(self, "Weed", "Misc", 0, 0, 1, false) end
    )");
    auto lifetimes = [&](const std::string& category, const std::string& name) {
        std::vector<int> out;
        for (const GameObject& o : world.List(category))
            if (o.name == name) out.push_back(o.lifetime);
        return out;
    };

    world.CreateObjectInCategory("Seed", 0, "Items");
    world.CreateObjectInCategory("Foe", 0, "Enemies");
    world.CreateObjectInCategory("Weed", 0, "Misc");
    world.UpdateAllObjects();
    // The Seed made by the first Seed is updated in the same pass; the one that
    // Seed made in turn waits for the next frame.
    EXPECT_EQ((std::vector<int>{1, 1, 0}), lifetimes("Items", "Seed"));
    EXPECT_EQ((std::vector<int>{0}), lifetimes("Items", "Gem"));
    EXPECT_EQ((std::vector<int>{1}), lifetimes("PlayerWeapons", "Pellet"));
    // A script that spawns from every update still ends the frame.
    EXPECT_EQ(3u, world.List("Misc").size());

    world.UpdateAllObjects();
    EXPECT_EQ((std::vector<int>{2, 2, 1, 1, 0}), lifetimes("Items", "Seed"));
    EXPECT_EQ((std::vector<int>{1}), lifetimes("Items", "Gem"));
    EXPECT_EQ(9u, world.List("Misc").size());
}

TEST(ObjectUpdate, HeroDeathHookRunsOnceAndOnlyForTheFirstPlayerObject) {
    DataTree tree("update-herodeath");
    tree.Set("Player/Hero", kBox);
    tree.Set("Player/Beam", kBox);
    tree.Lua("deaths = 0; beamDeaths = 0\n"
             "function HeroDeath(self) deaths = deaths + 1 end\n"
             "function BeamDeath(self) beamDeaths = beamDeaths + 1 end");
    World& world = tree.world();
    world.UpdateAllObjects();  // an empty "Player" list is skipped
    EXPECT_TRUE(world.heroAlive);

    GameObject& hero = *world.CreateObjectInCategory("Hero", 0, "Player");
    GameObject& beam = *world.CreateObjectInCategory("Beam", 0, "Player");
    beam.health = 0.0f;
    world.UpdateAllObjects();
    EXPECT_TRUE(world.heroAlive);
    hero.health = -3.0f;
    for (int i = 0; i < 3; ++i) world.UpdateAllObjects();
    EXPECT_EQ("1", tree.Eval("deaths"));
    EXPECT_EQ("0", tree.Eval("beamDeaths"));
    EXPECT_FALSE(world.heroAlive);
    // The hero is never removed, nor is anything else of "Player".
    EXPECT_EQ(2u, world.List("Player").size());
}

TEST(ObjectUpdate, TileHitsEndDieOnWallObjectsAndSoundOnlyForHeroShots) {
    DataTree tree("update-wall");
    tree.Set("Player/Pellet", kBox);
    tree.Set("Enemies/Foe", kBox);
    tree.Set("Items/HealthSm", kBox);  // a killed enemy may drop one
    tree.Set("Items/HealthMed", kBox);
    tree.Lua("died = {}\n"
             "function PelletDeath(self) died[#died + 1] = 'Pellet' end\n"
             "function FoeDeath(self) died[#died + 1] = 'Foe' end");
    World& world = tree.world();
    tree.game().camera = Vector2(160.0f, 120.0f);
    // A wall at column 10 (x 160 to 175), rows 6 to 8.
    for (int row = 6; row <= 8; ++row) objtest::SolidTile(world, 10, row);

    auto make = [&](const char* name, const char* category, float y, bool dieOnWall) {
        GameObject* o = world.CreateObjectInCategory(name, 0, category);
        o->position = Vector2(132.0f, y);  // right edge + 4 + 1 reaches column 10
        o->velocity = Vector2(4.0f, 0.0f);
        o->dieOnWall = dieOnWall;
        return o;
    };
    GameObject* shot = make("Pellet", "PlayerWeapons", 100.0f, true);
    world.UpdateCategory("PlayerWeapons", {});
    EXPECT_EQ(0.0f, shot->health);
    ASSERT_EQ(1u, tree.sounds.size());
    EXPECT_EQ("SE_PL00\\ROOK_E_DAMA.WAV", tree.sounds[0].name);
    EXPECT_EQ(-1, tree.sounds[0].channel);

    // The rest of the frame runs its Death hook and removes it.
    world.UpdateAllObjects();
    EXPECT_TRUE(world.List("PlayerWeapons").empty());
    EXPECT_EQ("Pellet", tree.Eval("table.concat(died, ' ')"));

    // An enemy dies on the wall the same way, without the hit sound.
    tree.sounds.clear();
    GameObject* foe = make("Foe", "Enemies", 100.0f, true);
    world.UpdateCategory("Enemies", {});
    EXPECT_EQ(0.0f, foe->health);
    EXPECT_TRUE(tree.sounds.empty());

    // Without dieOnWall the hit stops the shot but it lives on.
    GameObject* keeper = make("Pellet", "PlayerWeapons", 100.0f, false);
    world.UpdateCategory("PlayerWeapons", {});
    EXPECT_EQ(20.0f, keeper->health);
    EXPECT_EQ(0.0f, keeper->velocity.x);
    EXPECT_TRUE(tree.sounds.empty());
}

TEST(ObjectUpdate, LandingCallsHitGroundOnce) {
    DataTree tree("update-land");
    tree.Set("Thing", kBox);
    tree.Lua("landings = 0\nfunction ThingHitGround(self) landings = landings + 1 end");
    World& world = tree.world();
    for (int column = 0; column < 8; ++column) objtest::SolidTile(world, column, 10);  // y 160
    GameObject& rock = *world.CreateObjectInCategory("Thing", 0, "Misc");
    rock.position = Vector2(40.0f, 60.0f);
    rock.gravity = true;
    rock.dieOnWall = false;
    for (int i = 0; i < 60; ++i) world.UpdateAllObjects();
    EXPECT_EQ("1", tree.Eval("landings"));
    EXPECT_EQ(0, rock.airborne);
    EXPECT_EQ(0.0f, rock.velocity.y);
    EXPECT_EQ(160, static_cast<int>(rock.position.y) + rock.anim.bottom);
}

TEST(ObjectUpdate, RemovedParentLeavesItsChildInPlace) {
    DataTree tree("update-parent");
    tree.Set("Enemies/Foe", kBox);
    tree.Set("Items/HealthSm", kBox);
    tree.Set("Items/HealthMed", kBox);
    tree.Set("Effects/Orb", kBox);
    tree.game().camera = Vector2(50.0f, 60.0f);
    World& world = tree.world();
    GameObject& foe = *world.CreateObjectInCategory("Foe", 0, "Enemies");
    GameObject& orb = *world.CreateObjectInCategory("Orb", 0, "PlayerFX");
    foe.position = Vector2(50.0f, 60.0f);
    orb.parentOffset = Vector2(5.0f, 6.0f);
    tree.Lua("SetParent(" + Handle(&orb) + ", " + Handle(&foe) + ")");
    ASSERT_EQ(&foe, orb.parent);

    world.UpdateAllObjects();
    EXPECT_EQ(Vector2(55.0f, 66.0f), orb.position);
    foe.health = 0.0f;
    foe.velocity = Vector2(10.0f, 0.0f);
    world.UpdateAllObjects();  // follows the parent's last move, then loses it
    EXPECT_TRUE(world.List("Enemies").empty());
    EXPECT_EQ(nullptr, orb.parent);
    EXPECT_EQ(Vector2(65.0f, 66.0f), orb.position);
    orb.velocity = Vector2(1.0f, 0.0f);
    world.UpdateAllObjects();
    EXPECT_EQ(Vector2(66.0f, 66.0f), orb.position);
}

TEST(ObjectUpdate, HooksNeverReachRemovedOrMadeUpObjects) {
    DataTree tree("update-handles");
    tree.Set("Enemies/Foe", kBox);
    tree.Set("Items/HealthSm", kBox);
    tree.Set("Items/HealthMed", kBox);
    tree.Set("Thing", kBox);
    tree.game().camera = Vector2(0.0f, 0.0f);
    World& world = tree.world();
    tree.Lua(R"(
      saved = 0
      function FoeUpdate(self)
        saved = self
        Kill()                 -- queued twice (also dead): erased once
        SetHealth(self, 0)
      end
      function FoeDeath(self) Kill() end  -- outside a pass: nothing
      function ThingUpdate(self)
        if GetLifetime(self) > 0 then
          staleResults = select('#', GetHealth(saved))
          madeUpResults = select('#', GetHealth(saved + 8))
          SetHealth(saved, 5)
          SetVelocity(saved + 8, 1, 1)
        end
      end
    )");
    GameObject& thing = *world.CreateObjectInCategory("Thing", 0, "Misc");
    world.CreateObjectInCategory("Foe", 0, "Enemies");
    world.UpdateAllObjects();
    EXPECT_TRUE(world.List("Enemies").empty());
    for (auto& queue : world.removalQueues) EXPECT_TRUE(queue.second.empty()) << queue.first;

    world.UpdateAllObjects();  // the saved handle is stale now
    EXPECT_EQ("0", tree.Eval("staleResults"));
    EXPECT_EQ("0", tree.Eval("madeUpResults"));
    EXPECT_EQ(20.0f, thing.health);
    EXPECT_EQ(Vector2(0.0f, 0.0f), thing.velocity);
    EXPECT_EQ(nullptr, world.FromHandle(std::stoll(tree.Eval("string.format('%d', saved)"))));
}

TEST(ObjectUpdate, KillFromAnItemTouchedByTheHeroNamesTheHeroAndIsDropped) {
    DataTree tree("update-killitem");
    auto cast = MakeCast(tree);
    tree.Lua("function GemCollide(self, other) Kill() end");
    World& world = tree.world();
    for (int frame = 0; frame < 3; ++frame) {
        world.UpdateAllObjects();
        // The hero's pass was running: Kill queued the hero, whose queue is
        // never processed, and emptied with the others at the end of the frame.
        EXPECT_EQ(1u, world.List("Player").size());
        EXPECT_EQ(1u, world.List("Items").size());
        for (auto& queue : world.removalQueues) EXPECT_TRUE(queue.second.empty()) << queue.first;
    }
    // SetHealth is how an item ends itself.
    tree.Lua("function GemCollide(self, other) SetHealth(self, 0) end");
    world.UpdateAllObjects();
    EXPECT_TRUE(world.List("Items").empty());
    EXPECT_EQ(cast["Hero"], &world.List("Player").front());
}
