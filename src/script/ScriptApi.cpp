#include "script/ScriptApi.h"

#include "player/GameState.h"

namespace scriptapi {

namespace {

// The registry key of the game pointer: the address of this byte, which no
// script can spell.
const char kGameKey = 0;

struct ApiFunction {
    const char* name;
    lua_CFunction function;
};

// The script functions in their registration order.
const ApiFunction kFunctions[] = {
    {"CreateObject", CreateObject},
    {"OffsetObject", OffsetObject},
    {"MoveObject", MoveObject},
    {"Kill", Kill},
    {"AddHealth", AddHealth},
    {"GetPower", GetPower},
    {"SetPower", SetPower},
    {"GetName", GetName},
    {"SetPalette", SetPalette},
    {"GetPalette", GetPalette},
    {"SetHealth", SetHealth},
    {"TakeDamage", TakeDamage},
    {"GetHealth", GetHealth},
    {"SetSFX", SetSFX},
    {"AddFGObject", AddFGObject},
    {"RemoveFGObject", RemoveFGObject},
    {"DamagePlayer", DamagePlayer},
    {"Quit", Quit},
    {"PlayerDistanceX", PlayerDistanceX},
    {"ChangeAnimation", ChangeAnimation},
    {"EndOfAnimation", EndOfAnimation},
    {"IsPlaying", IsPlaying},
    {"AnimationLoops", AnimationLoops},
    {"HitFrame", HitFrame},
    {"GetLifetime", GetLifetime},
    {"SetVelocity", SetVelocity},
    {"SetTexture", SetTexture},
    {"CopyAnimation", CopyAnimation},
    {"GetPlayer", GetPlayer},
    {"GetDirection", GetDirection},
    {"SetDirection", SetDirection},
    {"SetSpeed", SetSpeed},
    {"FireWeapon", FireWeapon},
    {"SetParent", SetParent},
    {"PlaySound", PlaySound},
    {"FadeToStage", FadeToStage},
    {"AddPlayerHealth", AddPlayerHealth},
};
static_assert(sizeof kFunctions / sizeof kFunctions[0] == 37, "the script API has 37 functions");

}  // namespace

void Register(lua_State* L, GameState& game) {
    lua_pushlightuserdata(L, const_cast<char*>(&kGameKey));
    lua_pushlightuserdata(L, &game);
    lua_rawset(L, LUA_REGISTRYINDEX);
    for (const ApiFunction& entry : kFunctions) {
        lua_pushcclosure(L, entry.function, 0);
        lua_setfield(L, LUA_GLOBALSINDEX, entry.name);
    }
}

GameState* GameOf(lua_State* L) {
    lua_pushlightuserdata(L, const_cast<char*>(&kGameKey));
    lua_rawget(L, LUA_REGISTRYINDEX);
    GameState* game = lua_islightuserdata(L, -1) ? static_cast<GameState*>(lua_touserdata(L, -1)) : nullptr;
    lua_pop(L, 1);
    return game;
}

GameObject* ObjectArg(lua_State* L, int index) {
    GameState* game = GameOf(L);
    if (!game) return nullptr;
    return game->world.FromHandle(static_cast<ObjectHandle>(lua_tointeger(L, index)));
}

int IntArg(lua_State* L, int index) {
    return static_cast<int>(lua_tointeger(L, index));
}

float FloatArg(lua_State* L, int index) {
    return static_cast<float>(lua_tonumber(L, index));
}

bool FlagArg(lua_State* L, int index) {
    return lua_toboolean(L, index) != 0;
}

std::string StringArg(lua_State* L, int index) {
    size_t length = 0;
    const char* text = lua_tolstring(L, index, &length);
    return text ? std::string(text, length) : std::string();
}

void PushHandle(lua_State* L, const GameObject* object) {
    lua_pushinteger(L, static_cast<lua_Integer>(World::ToHandle(object)));
}

}  // namespace scriptapi
