// Object definition files: ".script" entries and flags, frame events and
// their spawns, ".events" names, ".lua" hooks run at every creation.
#include <gtest/gtest.h>

#include "objects/ObjectDefinitions.h"
#include "objects/ObjectTestData.h"

using objtest::DataTree;

namespace {

const char* const kBox = "32 32 8 8 24 32 Stand 1 0 0";

std::vector<std::string> Names(World& world, const std::string& category) {
    std::vector<std::string> names;
    for (const GameObject& o : world.List(category)) names.push_back(o.name);
    return names;
}

}  // namespace

TEST(ObjectDefinitions, ScriptFileEntriesFlagsAndWhereReadingStops) {
    DataTree tree("defs-script");
    tree.Set("Enemies/Gunner", kBox);
    tree.File("Enemies/Gunner.script",
              "Words that mean nothing are skipped, like onframe and killonendanim.\n"
              "OnFrame 3 spawn Bullet 2.5 4\n"
              "KillOnEndAnim\n"
              "OnFrame\n0 any\nSpark -1\n7\n");
    tree.File("Enemies/Cut.script", "OnFrame 1 x Bolt 1 2 OnFrame 2 x Tail 1.5");
    tree.File("Enemies/Bad.script", "OnFrame two x Bolt 1 1 KillOnEndAnim");
    tree.File("Enemies/Only.script", "KillOnEndAnim");
    for (const char* name : {"Enemies/Cut", "Enemies/Bad", "Enemies/Only", "Enemies/Nobody"})
        tree.Set(name, kBox);
    World& world = tree.world();

    GameObject& gunner = *world.CreateObjectInCategory("Gunner", 0, "Enemies");
    ASSERT_EQ(2u, gunner.frameEvents.size());
    const FrameEvent& first = gunner.frameEvents[0];
    EXPECT_EQ(3, first.frame);
    EXPECT_EQ("Bullet", first.objectName);
    EXPECT_EQ(Vector2(2.5f, 0.0f), first.velocity);
    EXPECT_EQ(4, first.palette);
    EXPECT_EQ(&gunner, first.owner);
    EXPECT_EQ(&SpawnFrameEventObject, first.action);
    const FrameEvent& second = gunner.frameEvents[1];  // line breaks are spaces
    EXPECT_EQ(0, second.frame);
    EXPECT_EQ("Spark", second.objectName);
    EXPECT_EQ(Vector2(-1.0f, 0.0f), second.velocity);
    EXPECT_EQ(7, second.palette);
    EXPECT_TRUE(gunner.killOnEndAnim);

    GameObject& cut = *world.CreateObjectInCategory("Cut", 0, "Enemies");
    ASSERT_EQ(1u, cut.frameEvents.size());  // the truncated entry is not kept
    EXPECT_EQ("Bolt", cut.frameEvents[0].objectName);

    GameObject& bad = *world.CreateObjectInCategory("Bad", 0, "Enemies");
    EXPECT_TRUE(bad.frameEvents.empty());
    EXPECT_FALSE(bad.killOnEndAnim);  // reading stopped before it

    GameObject& only = *world.CreateObjectInCategory("Only", 0, "Enemies");
    EXPECT_TRUE(only.frameEvents.empty());
    EXPECT_TRUE(only.killOnEndAnim);

    // No file: nothing, and creation goes on.
    GameObject& none = *world.CreateObjectInCategory("Nobody", 0, "Enemies");
    EXPECT_TRUE(none.frameEvents.empty());
    EXPECT_FALSE(none.killOnEndAnim);
}

TEST(ObjectDefinitions, FrameEventSpawnsOnceFromTheLeadingEdge) {
    DataTree tree("defs-frames");
    // Three frames of one tick each after the first, which lasts two.
    tree.Set("Enemies/Gunner", "64 64 16 16 48 64 Walk 3 1 0");
    tree.Set("Player/Bullet", "16 8 0 0 16 8 Fly 1 0 0");
    tree.File("Enemies/Gunner.script", "OnFrame 1 at Bullet 2.5 4");
    tree.game().camera = Vector2(200.0f, 100.0f);
    World& world = tree.world();
    GameObject& gunner = *world.CreateObjectInCategory("Gunner", 0, "Enemies");
    gunner.position = Vector2(200.0f, 100.0f);

    world.UpdateCategory("Enemies", {});  // shows frame 0
    world.UpdateCategory("Enemies", {});  // still frame 0 when its events ran
    EXPECT_TRUE(world.List("PlayerWeapons").empty());
    world.UpdateCategory("Enemies", {});  // frame 1: fires
    ASSERT_EQ(1u, world.List("PlayerWeapons").size());
    const GameObject& bullet = world.List("PlayerWeapons").front();
    EXPECT_EQ("Bullet", bullet.name);
    EXPECT_EQ(4.0f / 32.0f, bullet.anim.paletteIndex);
    EXPECT_EQ(1, bullet.direction);
    EXPECT_EQ(Vector2(-2.5f, 0.0f), bullet.velocity);
    // Left edge (direction +1) minus half the bullet, level centres, one step back.
    EXPECT_EQ(Vector2(200.0f - 8.0f + 2.5f, 100.0f + 28.0f), bullet.position);
    EXPECT_TRUE(gunner.frameEvents.empty());

    // The frame comes round again and again; the entry is used up.
    for (int i = 0; i < 12; ++i) world.UpdateAllObjects();
    EXPECT_EQ(1u, world.List("PlayerWeapons").size());

    // Facing -1 the spawn comes from the right edge and flies right.
    tree.File("Enemies/Lefty.script", "OnFrame 0 at Bullet 3 0");
    tree.Set("Enemies/Lefty", "64 64 16 16 48 64 Walk 3 1 0");
    GameObject& lefty = *world.CreateObjectInCategory("Lefty", 0, "Enemies");
    lefty.position = Vector2(200.0f, 100.0f);
    lefty.direction = -1;
    world.ClearList("PlayerWeapons");
    world.UpdateCategory("Enemies", {});
    ASSERT_EQ(1u, world.List("PlayerWeapons").size());
    const GameObject& right = world.List("PlayerWeapons").front();
    EXPECT_EQ(-1, right.direction);
    EXPECT_EQ(Vector2(3.0f, 0.0f), right.velocity);
    EXPECT_EQ(Vector2(200.0f + 64.0f - 8.0f - 3.0f, 128.0f), right.position);
}

TEST(ObjectDefinitions, SeveralFrameEventsEachFireOnce) {
    DataTree tree("defs-several");
    tree.Set("Enemies/Gunner", "64 64 16 16 48 64 Walk 3 1 0");
    for (const char* shot : {"Player/Bullet", "Player/Bolt", "Player/Dart"})
        tree.Set(shot, "16 8 0 0 16 8 Fly 1 0 0");
    tree.File("Enemies/Gunner.script",
              "OnFrame 0 a Bullet 1 0\n"
              "OnFrame 1 b Bolt 2 0\n"
              "OnFrame 0 c Dart 3 0\n");
    tree.game().camera = Vector2(0.0f, 0.0f);
    World& world = tree.world();
    GameObject& gunner = *world.CreateObjectInCategory("Gunner", 0, "Enemies");

    world.UpdateCategory("Enemies", {});  // frame 0: both frame-0 entries
    EXPECT_EQ((std::vector<std::string>{"Bullet", "Dart"}), Names(world, "PlayerWeapons"));
    ASSERT_EQ(1u, gunner.frameEvents.size());
    EXPECT_EQ("Bolt", gunner.frameEvents[0].objectName);  // the one that did not fire
    for (int i = 0; i < 10; ++i) world.UpdateCategory("Enemies", {});
    EXPECT_EQ((std::vector<std::string>{"Bullet", "Dart", "Bolt"}), Names(world, "PlayerWeapons"));
    EXPECT_TRUE(gunner.frameEvents.empty());
}

TEST(ObjectDefinitions, KillOnEndAnimEndsTheObjectWhenItsAnimationLoops) {
    DataTree tree("defs-killonend");
    tree.Set("Effects/Puff", "16 16 0 0 16 16 Puff 3 1 0");
    tree.File("Effects/Puff.script", "KillOnEndAnim");
    tree.Lua("ended = 0\nfunction PuffDeath(self) ended = ended + 1 end");
    World& world = tree.world();
    GameObject& puff = *world.CreateObjectInCategory("Puff", 0, "EnemyFX");
    for (int frame = 1; frame <= 3; ++frame) {
        world.UpdateAllObjects();
        EXPECT_EQ(20.0f, puff.health) << frame;
    }
    world.UpdateAllObjects();  // leaves the last frame: one loop
    EXPECT_TRUE(world.List("EnemyFX").empty());
    EXPECT_EQ("1", tree.Eval("ended"));
}

TEST(ObjectDefinitions, EventsFileListsDeathEventsAfterAnEmptyOne) {
    DataTree tree("defs-events");
    tree.Set("Enemies/Gunner", kBox);
    tree.File("Enemies/Gunner.events", "OnDeath Explode\nDeath Smoke\nondeath Skipped");
    tree.File("Enemies/Trailing.events", "Smoke OnDeath");
    tree.Set("Enemies/Trailing", kBox);
    tree.Set("Nobody", kBox);
    World& world = tree.world();

    GameObject& gunner = *world.CreateObjectInCategory("Gunner", 0, "Enemies");
    EXPECT_EQ((std::vector<std::string>{"", "Explode", "Smoke"}), gunner.deathEvents);
    EXPECT_EQ(2, gunner.deathEventIndex);

    GameObject& trailing = *world.CreateObjectInCategory("Trailing", 0, "Enemies");
    EXPECT_EQ(std::vector<std::string>{""}, trailing.deathEvents);
    EXPECT_EQ(-1, trailing.deathEventIndex);

    GameObject& none = *world.CreateObjectInCategory("Nobody", 0, "Misc");
    EXPECT_EQ(std::vector<std::string>{""}, none.deathEvents);
}

TEST(ObjectDefinitions, LuaFileRunsAtEveryCreationBeforeTheCreateHook) {
    DataTree tree("defs-lua");
    tree.Set("Enemies/Gunner", kBox);
    tree.File("Enemies/Gunner.lua",
              "runs = (runs or 0) + 1\n"
              "function GunnerCreate(self) SetPower(self, runs * 10 + GetPalette(self)) end\n");
    // "Misc" objects keep their files directly in data/objects/.
    tree.Set("Crate", kBox);
    tree.File("Crate.lua", "function CrateCreate(self) SetHealth(self, 3) end");
    World& world = tree.world();

    GameObject& a = *world.CreateObjectInCategory("Gunner", 3, "Enemies");
    GameObject& b = *world.CreateObjectInCategory("Gunner", 5, "Enemies");
    EXPECT_EQ(13.0f, a.power);  // the palette is set before the hook runs
    EXPECT_EQ(25.0f, b.power);
    EXPECT_EQ("2", tree.Eval("runs"));
    EXPECT_EQ(3.0f, world.CreateObjectInCategory("Crate", 0, "Misc")->health);

    // A broken file ends only its own run: creation goes on, its message is
    // printed once however often the file runs.
    tree.Set("Enemies/Broken", kBox);
    tree.File("Enemies/Broken.lua", "function BrokenCreate(self\n");
    testing::internal::CaptureStdout();
    GameObject& broken = *world.CreateObjectInCategory("Broken", 0, "Enemies");
    world.CreateObjectInCategory("Broken", 0, "Enemies");
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(0u, out.find("Script error: "));
    EXPECT_NE(std::string::npos, out.find("Broken.lua:"));
    EXPECT_EQ(out.find("Script error: "), out.rfind("Script error: "));
    EXPECT_EQ("Broken", broken.name);
    EXPECT_EQ(std::vector<std::string>{""}, broken.deathEvents);
}
