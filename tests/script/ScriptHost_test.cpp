// The host: the state and its libraries, registration, the hook protocol,
// ".lua" files, and script errors reported once without stopping the game.
#include "ScriptFixture.h"
#include "app/DataPath.h"

#include <sstream>

namespace {

TEST_F(ScriptTest, StateHasTheStandardLibrariesAndTheThirtySevenFunctions) {
    for (const char* library : {"string", "table", "math", "io", "os", "debug", "package"})
        EXPECT_EQ(Type(library), "table") << library;
    std::istringstream names(
        "CreateObject OffsetObject MoveObject Kill AddHealth GetPower SetPower GetName SetPalette "
        "GetPalette SetHealth TakeDamage GetHealth SetSFX AddFGObject RemoveFGObject DamagePlayer "
        "Quit PlayerDistanceX ChangeAnimation EndOfAnimation IsPlaying AnimationLoops HitFrame "
        "GetLifetime SetVelocity SetTexture CopyAnimation GetPlayer GetDirection SetDirection "
        "SetSpeed FireWeapon SetParent PlaySound FadeToStage AddPlayerHealth");
    int count = 0;
    for (std::string name; names >> name; ++count) EXPECT_EQ(Type(name), "function") << name;
    EXPECT_EQ(count, 37);
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, FunctionsActOnTheGameTheyWereRegisteredFor) {
    Game other;
    EXPECT_TRUE(other.world.script.RunString("Quit() FadeToStage('Elsewhere')", "=other"));
    EXPECT_TRUE(other.quit);
    EXPECT_EQ(other.world.nextStage, "Elsewhere");
    EXPECT_FALSE(game().quit);
    EXPECT_EQ(world().nextStage, "");
}

TEST_F(ScriptTest, HooksGetTheirHandlesInOrder) {
    ASSERT_TRUE(Run(R"lua(
        function WalkerCreate(...) created = {n = select('#', ...), ...} end
        function WalkerUpdate(...) updated = {n = select('#', ...), ...} end
        function WalkerCollide(...) collided = {n = select('#', ...), ...} end
    )lua"));
    GameObject* walker = Make("Walker", "Enemies");
    GameObject* shot = Make("Shot", "EnemyWeapons");
    const double walkerHandle = static_cast<double>(World::ToHandle(walker));
    const double shotHandle = static_cast<double>(World::ToHandle(shot));

    // The Create hook ran as the last step of creation, with the handle only.
    EXPECT_EQ(Number("created.n"), 1);
    EXPECT_EQ(Number("created[1]"), walkerHandle);

    world().CallHook(*walker, "Update");
    EXPECT_EQ(Number("updated.n"), 1);
    EXPECT_EQ(Number("updated[1]"), walkerHandle);

    world().script.CallHook("WalkerCollide", World::ToHandle(walker), World::ToHandle(shot));
    EXPECT_EQ(Number("collided.n"), 2);
    EXPECT_EQ(Number("collided[1]"), walkerHandle);
    EXPECT_EQ(Number("collided[2]"), shotHandle);
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, MissingHooksAndNonFunctionGlobalsAreSkippedSilently) {
    GameObject* walker = Make("Walker", "Enemies");
    ASSERT_TRUE(Run("WalkerDeath = 7"));
    testing::internal::CaptureStdout();
    world().CallHook(*walker, "Update");
    world().CallHook(*walker, "OnFrame0");
    world().CallHook(*walker, "Death");
    world().script.CallHook("WalkerCollide", World::ToHandle(walker), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(Number("WalkerDeath"), 7);
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, AGlobalsMetatableThatFailsOnLookupIsReportedNotFatal) {
    GameObject* walker = Make("Walker", "Enemies");
    ASSERT_TRUE(Run(R"lua(
        function WalkerUpdate(self) updated = true end
        setmetatable(_G, {__index = function(t, name) error("undeclared " .. name, 0) end})
    )lua"));
    testing::internal::CaptureStdout();
    world().CallHook(*walker, "Update");
    world().CallHook(*walker, "Death");
    world().CallHook(*walker, "Death");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Script error: undeclared WalkerDeath\n");
    EXPECT_TRUE(Bool("updated"));
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, AHookErrorIsPrintedOnceAndTheGameGoesOn) {
    GameObject* walker = Make("Walker", "Enemies");
    ASSERT_TRUE(Run(R"lua(
        calls = 0
        function WalkerUpdate(self)
            calls = calls + 1
            error("boom")
        end
        function WalkerHitGround(self)
            local missing = nil
            return missing.field
        end
        function WalkerDeath(self) error({}) end
        function WalkerOnFrame2(self) error("first line\nsecond line", 0) end
    )lua"));
    testing::internal::CaptureStdout();
    for (int frame = 0; frame < 3; ++frame) {
        world().CallHook(*walker, "Update");
        world().CallHook(*walker, "HitGround");
        world().CallHook(*walker, "Death");
        world().CallHook(*walker, "OnFrame2");
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Script error: test:5: boom\n"
              "Script error: test:9: attempt to index local 'missing' (a nil value)\n"
              "Script error: (error object is a table value)\n"
              "Script error: first line second line\n");
    // Each failing call ended only itself: every frame called the hook again.
    EXPECT_EQ(Number("calls"), 3);
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, AnErrorInANestedCreationEndsOnlyThatHook) {
    GameObject* walker = Make("Walker", "Enemies");
    ASSERT_TRUE(Run(R"lua(
        function ShotCreate(self) error("no ammunition") end
        function WalkerUpdate(self)
            made = CreateObject(self, "Shot", "EnemyWeapons", 1, 0, 1, true)
            after = true
        end
    )lua"));
    testing::internal::CaptureStdout();
    world().CallHook(*walker, "Update");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Script error: test:2: no ammunition\n");
    EXPECT_TRUE(Bool("after"));
    EXPECT_EQ(world().List("EnemyWeapons").size(), 1u);
    EXPECT_EQ(Number("made"),
              static_cast<double>(World::ToHandle(&world().List("EnemyWeapons").back())));
}

TEST_F(ScriptTest, ACreateHookThatCreatesItsOwnKindStopsAtLuasCallLimit) {
    ASSERT_TRUE(Run(R"lua(
        function WalkerCreate(self) CreateObject(self, "Walker", "Enemies", 0, 0, 1, true) end
    )lua"));
    testing::internal::CaptureStdout();
    Make("Walker", "Enemies");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Script error: C stack overflow\n");
    const size_t made = world().List("Enemies").size();
    EXPECT_GT(made, 100u);
    EXPECT_LT(made, 1000u);
    EXPECT_EQ(lua_gettop(L()), 0);
    EXPECT_TRUE(Run("after = GetName(GetPlayer()) == nil"));
    EXPECT_TRUE(Bool("after"));
}

TEST_F(ScriptTest, RunStringReportsWhetherTheChunkRan) {
    testing::internal::CaptureStdout();
    EXPECT_TRUE(Run("fine = 1"));
    EXPECT_FALSE(Run("fine = = 2"));
    EXPECT_FALSE(Run("error('stop', 0)"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Script error: test:1: unexpected symbol near '='\n"
              "Script error: stop\n");
    EXPECT_EQ(Number("fine"), 1);
}

TEST_F(ScriptTest, LuaFilesAreFoundWithoutRegardToCaseOrSeparator) {
    WriteFile(root() + "/data/objects/Enemies/Walker.lua",
              "function WalkerUpdate(self) ran = self end\n");
    world().script.RunFile("Data\\Objects\\enemies\\WALKER.lua");
    EXPECT_EQ(Type("WalkerUpdate"), "function");

    testing::internal::CaptureStdout();
    world().script.RunFile("data/objects/Enemies/Nobody.lua");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, ABrokenLuaFileLeavesTheGlobalsAsTheyWere) {
    WriteFile(root() + "/data/objects/Enemies/Broken.lua",
              "function BrokenUpdate(self)\n"
              "    return 2\n"
              "end\n"
              "function BrokenCreate(self\n");
    ASSERT_TRUE(Run("function BrokenUpdate(self) return 1 end"));
    const std::string path = ResolveDataPath("data/objects/Enemies/Broken.lua");
    ASSERT_FALSE(path.empty());

    testing::internal::CaptureStdout();
    world().script.RunFile("data/objects/enemies/broken.lua");
    world().script.RunFile("data/objects/enemies/broken.lua");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Script error: " + path + ":5: ')' expected near '<eof>'\n");
    EXPECT_EQ(Number("BrokenUpdate()"), 1);
    EXPECT_EQ(Type("BrokenCreate"), "nil");
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(ScriptTest, ALuaFileThatFailsWhileRunningNamesItsLine) {
    WriteFile(root() + "/data/objects/Failing.lua", "first = 1\nerror('bad file')\nsecond = 2\n");
    const std::string path = ResolveDataPath("data/objects/Failing.lua");
    testing::internal::CaptureStdout();
    world().script.RunFile("data/objects/Failing.lua");
    world().script.RunFile("data/objects/Failing.lua");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Script error: " + path + ":2: bad file\n");
    EXPECT_EQ(Type("second"), "nil");
}

}  // namespace
