// The host: ".lua" files and script errors, each message printed once while
// the game goes on. (The hooks' moments and arguments: tests/objects.)
#include <lua.hpp>

#include "core/DataPath.h"
#include "support/TestWorld.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using Host = TestWorld;

TEST_F(Host, ScriptErrorsArePrintedOnceAndTheGameGoesOn) {
    Set("Enemies/Walker", "16 32 2 4 14 30\nStand 1 0 0\n");
    Set("Enemies/Shot", "8 8 0 0 8 8\nFly 1 0 0\n");
    File("Enemies/Broken.lua", "function BrokenUpdate(self)\n  return 2\nend\nfunction BrokenCreate(self\n");
    File("Failing.lua", "first = 1\nerror('bad file')\nsecond = 2\n");
    File("Enemies/Walker.lua", "function WalkerCreate(self) fromFile = GetName(self) end\n");
    Lua(R"(calls = 0
      function WalkerUpdate(self) calls = calls + 1 error("boom") end
      function WalkerHitGround(self) local missing = nil return missing.field end
      function WalkerDeath(self) error({}) end
      function WalkerOnFrame2(self) error("first line\nsecond line", 0) end
      function BrokenUpdate(self) return 1 end
      function ShotCreate(self) error("no ammunition") end
      function WalkerCollide(self) made = CreateObject(self, "Shot", "EnemyWeapons", 1, 0, 1, true) after = 1 end
      WalkerOnFrame0 = 7)");
    const std::string broken = ResolveDataPath("data/objects/Enemies/Broken.lua");
    const std::string failing = ResolveDataPath("data/objects/Failing.lua");
    CaptureStdout();
    GameObject* walker = Make("Walker", "Enemies");  // runs its file, found whatever the case
    for (int frame = 0; frame < 3; ++frame) {
        for (const char* hook : {"Update", "HitGround", "Death", "OnFrame2", "OnFrame0", "OnFrame9"})
            game().script.CallHook(std::string("Walker") + hook, World::ToHandle(walker));
        game().script.RunFile("DATA\\objects\\enemies\\broken.LUA");
        game().script.RunFile("data/objects/Failing.lua");
        game().script.RunFile("data/objects/Nobody.lua");
        EXPECT_FALSE(game().script.RunString("fine = = 2", "=test"));
    }
    game().script.CallHook("WalkerCollide", World::ToHandle(walker), 0);
    EXPECT_EQ(GetCapturedStdout(), "Script error: test:2: boom\n"
                                   "Script error: test:3: attempt to index local 'missing' (a nil value)\n"
                                   "Script error: (error object is a table value)\n"
                                   "Script error: first line second line\n"
                                   "Script error: " + broken + ":5: ')' expected near '<eof>'\n"
                                   "Script error: " + failing + ":2: bad file\n"
                                   "Script error: test:1: unexpected symbol near '='\n"
                                   "Script error: test:7: no ammunition\n");
    EXPECT_EQ(Eval("calls .. fromFile .. WalkerOnFrame0"), "3Walker7");
    EXPECT_EQ(Eval("BrokenUpdate() .. tostring(BrokenCreate)"), "1nil");  // globals as they were
    EXPECT_EQ(Eval("tostring(first) .. tostring(second)"), "1nil");
    EXPECT_EQ(Eval("after .. GetName(made)"), "1Shot");  // only the inner hook ended

    // A Create hook that creates its own kind stops at Lua's call limit.
    Lua("function ShotCreate(self) CreateObject(self, 'Shot', 'EnemyWeapons', 0, 0, 1, true) end");
    CaptureStdout();
    Make("Shot", "EnemyWeapons");
    EXPECT_EQ(GetCapturedStdout(), "Script error: C stack overflow\n");
    EXPECT_GT(Objects("EnemyWeapons").size(), 100u);
    EXPECT_LT(Objects("EnemyWeapons").size(), 1000u);

    // A globals table whose lookups fail: every hook read is reported once.
    Lua("function WalkerUpdate(self) updated = true end\n"
        "setmetatable(_G, {__index = function(t, name) error('undeclared ' .. name, 0) end})");
    CaptureStdout();
    world().CallHook(*walker, Hook::Update);
    for (int twice = 0; twice < 2; ++twice) world().CallOnFrameHook(*walker, 5);
    EXPECT_EQ(GetCapturedStdout(), "Script error: undeclared WalkerOnFrame5\n");
    EXPECT_EQ(Eval("updated"), "true");
    Lua("setmetatable(_G, nil)");

    // Past 4096 different messages the memory starts afresh: a message prints again.
    CaptureStdout();
    for (int i = 0; i <= 4096; ++i) game().script.RunString("error('e" + std::to_string(i % 4096) + "', 0)", "=x");
    const std::string out = GetCapturedStdout();
    EXPECT_NE(out.find("Script error: e0\n"), out.rfind("Script error: e0\n"));
    EXPECT_EQ(lua_gettop(game().script.State()), 0);

    // An endless loop is stopped after the budget with one line, also in the
    // Create hook of an object it makes under its own pcall; the next call
    // has the whole budget again.
    Lua("function ShotCreate(self) while true do end end\n"
        "function WalkerUpdate(self) while true do pcall(CreateObject, self, 'Shot', 'EnemyWeapons', 0, 0, 1) end end");
    CaptureStdout();
    world().CallHook(*walker, Hook::Update);
    world().CallHook(*walker, Hook::Update);
    EXPECT_TRUE(game().script.RunString("for i = 1, 9000000 do end", "=test"));
    // A coroutine living across calls spends from each call's budget.
    Lua("worker = coroutine.wrap(function()\n  while true do for i = 1, 3000000 do end coroutine.yield() end end)\n"
        "function WalkerUpdate(self) worker() end");
    for (int call = 0; call < 5; ++call) world().CallHook(*walker, Hook::Update);
    EXPECT_EQ(GetCapturedStdout(), "Script error: test:1: stopped after 10000000 instructions (an endless loop?)\n");
    EXPECT_EQ(lua_gettop(game().script.State()), 0);
}

}  // namespace
