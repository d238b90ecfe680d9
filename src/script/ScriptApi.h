// Script API: the 39 native functions the object scripts call, and the
// argument rules they all share.
//
// The functions reach the game through one pointer kept in the Lua registry
// (stored by Register), never through an upvalue or a program global.
// Arguments are converted the way Lua 5.1 converts them; one that does not fit
// the function's signature (ScriptApi.cpp) prints a line naming the script's
// file and line, once, and the call goes on:
//   - handles and ints: lua_tointeger, which truncates; a non-number reads 0;
//   - numbers: lua_tonumber; a non-number reads 0;
//   - flags: Lua truth, so only nil and false are false (the number 0 is true);
//   - strings: lua_tolstring; a missing or non-string argument reads "".
// Every handle is checked against the live objects: 0, the handle of an
// object removed in an earlier frame or a made-up number names no object,
// and the function then does nothing and returns no results. No function
// raises a Lua error.
#pragma once

#include <lua.hpp>
#include <string>

#include "objects/ObjectHandle.h"

struct GameState;
struct GameObject;

namespace scriptapi {

// Stores the game in the registry, then registers the functions in the
// order of the table in ScriptApi.cpp as globals.
void Register(lua_State* L, GameState& game);

// --- argument helpers --------------------------------------------------
// The game the functions act on (an upvalue of each, out of the scripts'
// reach: Lua's debug library cannot touch a C function's upvalues); null
// outside them.
GameState* GameOf(lua_State* L);
// The live object named by the handle argument at index, or null.
GameObject* ObjectArg(lua_State* L, int index);
int IntArg(lua_State* L, int index);
float FloatArg(lua_State* L, int index);
bool FlagArg(lua_State* L, int index);
std::string StringArg(lua_State* L, int index);
void PushHandle(lua_State* L, const GameObject* object);

// --- objects (ScriptApiObjects.cpp) ------------------------------------
int CreateObject(lua_State* L);
int OffsetObject(lua_State* L);
int MoveObject(lua_State* L);
int Kill(lua_State* L);
int GetPower(lua_State* L);
int SetPower(lua_State* L);
int GetName(lua_State* L);
int SetSFX(lua_State* L);
int AddFGObject(lua_State* L);
int RemoveFGObject(lua_State* L);
int PlayerDistanceX(lua_State* L);
int GetLifetime(lua_State* L);
int SetVelocity(lua_State* L);
int GetPlayer(lua_State* L);
int GetDirection(lua_State* L);
int SetDirection(lua_State* L);
int SetSpeed(lua_State* L);
int FireWeapon(lua_State* L);
int SetParent(lua_State* L);
int GetVelocity(lua_State* L);
int GetPosition(lua_State* L);

// --- animation and palette (ScriptApiAnimation.cpp) --------------------
int SetPalette(lua_State* L);
int GetPalette(lua_State* L);
int ChangeAnimation(lua_State* L);
int EndOfAnimation(lua_State* L);
int IsPlaying(lua_State* L);
int AnimationLoops(lua_State* L);
int HitFrame(lua_State* L);
int SetTexture(lua_State* L);
int CopyAnimation(lua_State* L);

// --- health and damage (ScriptApiHealth.cpp) ---------------------------
int AddHealth(lua_State* L);
int SetHealth(lua_State* L);
int TakeDamage(lua_State* L);
int GetHealth(lua_State* L);
int DamagePlayer(lua_State* L);
int AddPlayerHealth(lua_State* L);

// --- sound (ScriptApiSound.cpp) ----------------------------------------
int PlaySound(lua_State* L);

// --- stage flow and program (ScriptApiStage.cpp) -----------------------
int Quit(lua_State* L);
int FadeToStage(lua_State* L);

}  // namespace scriptapi
