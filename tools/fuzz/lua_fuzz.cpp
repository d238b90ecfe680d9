// Scripts: Lua source for one enemy, then calls of the script functions with
// arbitrary arguments made from inside its hooks during real frames of the
// demo's opening stage, with the hero's keys pressed and released between
// frames.
//
// The input is the source up to its first NUL byte; the bytes after it drive
// the calls and the keys (without a NUL, the source's own bytes do). Hooks
// named after any object ("HopperUpdate") are renamed to the enemy's,
// "Fuzz", which wears that object's sprite set. Each frame first reads one
// byte for a key (an action, pressed when the top bit is set, else
// released); each hook call then reads a count of calls (0 to 4), and each
// call a function (one byte), an argument count (one byte) and the
// arguments (a byte for the kind, and for some kinds more bytes).
#include <lua.hpp>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <regex>
#include <vector>

#include <unistd.h>

#include "FuzzTarget.h"
#include "anim/AnimationSetCache.h"
#include "app/EventPump.h"
#include "app/Game.h"
#include "app/GameFrame.h"
#include "app/Startup.h"
#include "core/DataPath.h"
#include "core/Random.h"

const char* const kSeedEndings[] = {".lua", nullptr};

namespace {

const char* const kFunctions[] = {
    "CreateObject", "OffsetObject", "MoveObject", "Kill", "AddHealth", "GetPower", "SetPower", "GetName",
    "SetPalette", "GetPalette", "SetHealth", "TakeDamage", "GetHealth", "SetSFX", "AddFGObject",
    "RemoveFGObject", "DamagePlayer", "Quit", "PlayerDistanceX", "ChangeAnimation", "EndOfAnimation",
    "IsPlaying", "AnimationLoops", "HitFrame", "GetLifetime", "SetVelocity", "SetTexture", "CopyAnimation",
    "GetPlayer", "GetDirection", "SetDirection", "SetSpeed", "FireWeapon", "SetParent", "PlaySound",
    "FadeToStage", "AddPlayerHealth", "GetVelocity", "GetPosition"};
constexpr int kFunctionCount = sizeof kFunctions / sizeof kFunctions[0];

const double kNumbers[] = {0, 1, -1, 2, 3, 31, 32, 1e-50, 0.5, -0.5, 2147483647.0, -2147483648.0,
                           2147483648.0, -2147483649.0, 9007199254740992.0, -9007199254740992.0, 1e300,
                           -1e300, std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), std::nan("")};
const char* const kStrings[] = {"", "Stand", "Walk", "Fall", "Hurt", "Jump", "Charge", "Player", "PlayerFX",
                                "PlayerBGFX", "PlayerFXBack", "PlayerWeapons", "Enemies", "EnemyWeapons",
                                "EnemyFX", "Items", "Misc", "Bogus", "Walker", "Hopper", "Rook", "ExitGate",
                                "Fuzz", "Enemies\\Walker", "Effects\\Explosion", "Foundry", "Foundry2",
                                "Nowhere", "SE_PL00\\ROOK_Jump.WAV", "..\\..\\x", "1", "-1"};

// The bytes that drive one input's calls and keys.
struct Driver {
    const uint8_t* at = nullptr;
    const uint8_t* end = nullptr;
    lua_Integer stale = 0;  // a handle of an object already removed

    bool More() const { return at < end; }
    uint8_t Byte() { return at < end ? *at++ : 0; }
};
Driver driver;

template <size_t N>
size_t Pick(const char* const (&)[N], uint8_t b) { return b % N; }

void PushArgument(lua_State* L, int self, int other) {
    const uint8_t kind = driver.Byte();
    switch (kind % 13) {
        case 0: lua_pushnil(L); break;
        case 1: lua_pushvalue(L, self); break;
        case 2: lua_getglobal(L, "GetPlayer"), lua_call(L, 0, 1); break;
        case 3: lua_pushvalue(L, other); break;
        case 4: lua_pushinteger(L, driver.stale); break;
        case 5: lua_pushnumber(L, kNumbers[driver.Byte() % (sizeof kNumbers / sizeof kNumbers[0])]); break;
        case 6: {
            double value = 0;
            uint8_t bytes[sizeof value];
            for (uint8_t& b : bytes) b = driver.Byte();
            std::memcpy(&value, bytes, sizeof value);
            lua_pushnumber(L, value);
            break;
        }
        case 7: lua_pushinteger(L, static_cast<int8_t>(driver.Byte())); break;
        case 8: lua_pushstring(L, kStrings[Pick(kStrings, driver.Byte())]); break;
        case 9: lua_newtable(L); break;
        case 10: lua_pushboolean(L, kind & 16); break;
        case 11: lua_getglobal(L, "print"); break;
        default:  // a made-up handle near a real one
            lua_pushnumber(L, lua_tonumber(L, self) + static_cast<int8_t>(driver.Byte()));
    }
}

// FuzzStep(self, other): up to four calls of script functions.
int FuzzStep(lua_State* L) {
    lua_settop(L, 2);
    const int calls = driver.Byte() % 5;
    for (int call = 0; call < calls && driver.More(); ++call) {
        lua_getglobal(L, kFunctions[driver.Byte() % kFunctionCount]);
        const int count = driver.Byte() % 8;
        for (int i = 0; i < count; ++i) PushArgument(L, 1, 2);
        if (lua_pcall(L, count, LUA_MULTRET, 0) != 0) lua_pop(L, 1);
        lua_settop(L, 2);
    }
    return 0;
}

const char* const kWrap = R"(
for _, hook in ipairs({'Create', 'Update', 'Collide', 'HitGround', 'Death'}) do
  local own = rawget(_G, 'Fuzz' .. hook)
  rawset(_G, 'Fuzz' .. hook, function(self, other)
    FuzzStep(self, other)
    if own then return own(self, other) end
  end)
end)";

// The sets loaded so far, carried from input to input: loading is slow and
// its result does not depend on the input.
AnimationSetCache& Sets() {
    static AnimationSetCache sets;
    return sets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string opening = [] {
        fuzz::Scratch();  // silences the game's lines
        if (chdir(fuzz::GameFolder().c_str()) != 0) std::abort();
        ClearDataPathCache();
        StageFlow flow;
        flow.ReadGameConfig("Data\\game.cfg");
        return flow.openingStage;
    }();
    std::string source = fuzz::Text(data, size);
    const size_t nul = source.find('\0');
    driver.at = nul == std::string::npos ? data : data + nul + 1;
    driver.end = data + size;
    if (nul != std::string::npos) source.resize(nul);
    std::smatch hook;
    std::string looks = "Fuzz";
    static const std::regex kHook("function\\s+([A-Za-z_]\\w*?)(Create|Update|Collide|HitGround|Death)\\b");
    if (std::regex_search(source, hook, kHook)) {
        looks = hook[1].str();
        source = std::regex_replace(source, std::regex("\\b" + looks + "(Create|Update|Collide|HitGround|Death)"), "Fuzz$1");
    }

    SeedRandom(size);
    Game game;
    game.world.animationSets = Sets();
    CreateHero(game);
    GameObject& hero = *game.world.Hero();
    game.world.LoadStage(opening, hero);
    game.flow.phase = 0, game.flow.inputEnabled = true, hero.visible = true;
    lua_register(game.script.State(), "FuzzStep", FuzzStep);
    driver.stale = World::ToHandle(game.world.CreateObjectInCategory("Gone", 0, Category::Misc));
    game.world.RemoveNow(driver.stale);

    game.script.RunString(source, "=Fuzz.lua");
    game.script.RunString(kWrap, "=wrap");
    GameObject* enemy = game.world.CreateObjectInCategory("Fuzz", 0, Category::Enemies);
    for (const char* folder : {"Enemies\\", "Effects\\", "Items\\", "Player\\", ""}) {
        if (looks == "Fuzz" || ResolveDataPath("data/objects/" + (folder + looks) + ".anim").empty()) continue;
        enemy->anim = game.world.LoadAnimationSet(folder + looks);
        break;
    }
    enemy->position = hero.position + Vector2(48.0f, 0.0f);

    game.bindings.ReadInputConfig("input.cfg");
    std::map<int, int> keyOf;  // action -> a key bound to it
    for (const auto& bound : game.bindings.keys) keyOf[bound.second] = bound.first;
    EventSource events = EventSource::Queue();
    for (int frame = 0; frame < 8 && !game.quit; ++frame) {
        const uint8_t key = driver.Byte();
        const auto bound = keyOf.find(key & 0x7F);
        if (bound != keyOf.end()) events.PushKey(bound->second, key & 0x80);
        RunGameFrame(game, events);
    }
    Sets() = game.world.animationSets;
    return 0;
}
