#include "script/ScriptApi.h"

#include "player/GameState.h"
#include "script/ScriptHost.h"

namespace scriptapi {

namespace {

// A signature has a letter for each parameter: h a handle of a live object,
// p a handle or 0, n a number, i an integer, s a string, o a string or
// nothing, f a flag (anything goes).
struct ApiFunction {
    const char* name;
    lua_CFunction function;
    const char* signature;
};

// The script functions in their registration order.
const ApiFunction kFunctions[] = {
    {"CreateObject", CreateObject, "hssniif"},
    {"OffsetObject", OffsetObject, "hnn"},
    {"MoveObject", MoveObject, "hnn"},
    {"Kill", Kill, ""},
    {"AddHealth", AddHealth, "hn"},
    {"GetPower", GetPower, "h"},
    {"SetPower", SetPower, "hn"},
    {"GetName", GetName, "h"},
    {"SetPalette", SetPalette, "hi"},
    {"GetPalette", GetPalette, "h"},
    {"SetHealth", SetHealth, "hn"},
    {"TakeDamage", TakeDamage, "hn"},
    {"GetHealth", GetHealth, "h"},
    {"SetSFX", SetSFX, "hf"},
    {"AddFGObject", AddFGObject, "h"},
    {"RemoveFGObject", RemoveFGObject, "h"},
    {"DamagePlayer", DamagePlayer, "hn"},
    {"Quit", Quit, ""},
    {"PlayerDistanceX", PlayerDistanceX, "h"},
    {"ChangeAnimation", ChangeAnimation, "hs"},
    {"EndOfAnimation", EndOfAnimation, "h"},
    {"IsPlaying", IsPlaying, "hs"},
    {"AnimationLoops", AnimationLoops, "h"},
    {"HitFrame", HitFrame, "hi"},
    {"GetLifetime", GetLifetime, "h"},
    {"SetVelocity", SetVelocity, "hnn"},
    {"SetTexture", SetTexture, "hs"},
    {"CopyAnimation", CopyAnimation, "hh"},
    {"GetPlayer", GetPlayer, ""},
    {"GetDirection", GetDirection, "h"},
    {"SetDirection", SetDirection, "hi"},
    {"SetSpeed", SetSpeed, "hn"},
    {"FireWeapon", FireWeapon, "h"},
    {"SetParent", SetParent, "hp"},
    {"PlaySound", PlaySound, "s"},
    {"FadeToStage", FadeToStage, "o"},
    {"AddPlayerHealth", AddPlayerHealth, "n"},
    {"GetVelocity", GetVelocity, "h"},
    {"GetPosition", GetPosition, "h"},
};
static_assert(sizeof kFunctions / sizeof kFunctions[0] == 39, "the script API has 39 functions");

const char* TypeOf(lua_State* L, int index) {
    return lua_type(L, index) == LUA_TNONE ? "no value" : luaL_typename(L, index);
}

// One line for each argument that does not fit the function's signature;
// the call then goes on as designed (the usual conversions, a bad handle
// does nothing).
void CheckArguments(lua_State* L, const ApiFunction& f) {
    for (int i = 1; f.signature[i - 1]; ++i) {
        const char kind = f.signature[i - 1];
        std::string problem;
        if (kind == 's' || (kind == 'o' && !lua_isnoneornil(L, i))) {
            if (!lua_isstring(L, i)) problem = std::string("string expected, got ") + TypeOf(L, i);
        } else if (kind == 'n' || kind == 'i' || kind == 'h' || kind == 'p') {
            if (!lua_isnumber(L, i)) {
                problem = std::string("number expected, got ") + TypeOf(L, i);
            } else if ((kind == 'h' || (kind == 'p' && lua_tointeger(L, i) != 0)) && !ObjectArg(L, i)) {
                lua_pushvalue(L, i);
                problem = std::string("the handle ") + lua_tostring(L, -1) + " names no live object";
                lua_pop(L, 1);
            }
        }
        if (problem.empty()) continue;
        luaL_where(L, 1);
        ScriptHost::Warn(L, lua_tostring(L, -1) + std::string(f.name) + ": argument " +
                                std::to_string(i) + ": " + problem);
        lua_pop(L, 1);
    }
}

// What scripts call: the argument check, then the function itself.
int Checked(lua_State* L) {
    const ApiFunction& f = kFunctions[lua_tointeger(L, lua_upvalueindex(1))];
    if (GameOf(L)) CheckArguments(L, f);
    return f.function(L);
}

}  // namespace

void Register(lua_State* L, GameState& game) {
    for (size_t i = 0; i < sizeof kFunctions / sizeof kFunctions[0]; ++i) {
        lua_pushinteger(L, static_cast<lua_Integer>(i));
        lua_pushlightuserdata(L, &game);  // for GameOf
        lua_pushcclosure(L, Checked, 2);
        lua_setfield(L, LUA_GLOBALSINDEX, kFunctions[i].name);
    }
}

GameState* GameOf(lua_State* L) {
    // Every function runs inside its Checked closure, whose second upvalue
    // is the game (nil, so null, anywhere else).
    return static_cast<GameState*>(lua_touserdata(L, lua_upvalueindex(2)));
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
