// Script functions that create, move, name and link objects.
#include "player/GameState.h"
#include "objects/Weapon.h"
#include "script/ScriptApi.h"

namespace scriptapi {

namespace {

// direction values come from scripts and may be any int: multiply wide and
// narrow once, never overflow.
int MultiplyDirection(int factor, int direction) {
    return static_cast<int>(static_cast<long long>(factor) * direction);
}

}  // namespace

// CreateObject(owner, objectName, category, speed, palette, directionFactor, dieOnWall)
int CreateObject(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* owner = ObjectArg(L, 1);
    if (!game || !owner) return 0;
    const ObjectHandle ownerHandle = World::ToHandle(owner);
    const std::string objectName = StringArg(L, 2);
    const std::string category = StringArg(L, 3);
    const float speed = FloatArg(L, 4);
    const int palette = IntArg(L, 5);
    const int directionFactor = IntArg(L, 6);
    const bool dieOnWall = FlagArg(L, 7);

    GameObject* made = game->world.CreateObjectInCategory(objectName, palette, category);
    // The new object's Create hook ran scripts; look the owner up again.
    owner = game->world.FromHandle(ownerHandle);
    if (owner) {
        SpawnFromOwner(*made, *owner);
        made->direction = MultiplyDirection(directionFactor, owner->direction);
    }
    made->dieOnWall = dieOnWall;
    made->velocity = Vector2(-static_cast<float>(made->direction) * speed, 0.0f);
    made->position -= made->velocity;
    PushHandle(L, made);
    return 1;
}

// OffsetObject(obj, dx, dy)
int OffsetObject(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->position += Vector2(FloatArg(L, 2), FloatArg(L, 3));
    return 0;
}

// MoveObject(obj, dx, dy): dx counts along the object's facing.
int MoveObject(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->position += Vector2(FloatArg(L, 2) * static_cast<float>(o->direction), FloatArg(L, 3));
    return 0;
}

// Kill(): queues the object whose turn it is in the update pass, whichever
// object's hook calls it; outside a pass there is none and nothing happens.
int Kill(lua_State* L) {
    if (GameState* game = GameOf(L)) game->world.Kill();
    return 0;
}

int GetPower(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushnumber(L, o->power);
    return 1;
}

int SetPower(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->power = FloatArg(L, 2);
    return 0;
}

int GetName(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushlstring(L, o->name.data(), o->name.size());
    return 1;
}

// SetSFX(obj, flag): a flagged object takes no part in object collisions.
int SetSFX(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->noCollide = FlagArg(L, 2);
    return 0;
}

int AddFGObject(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* o = ObjectArg(L, 1);
    if (!game || !o) return 0;
    game->world.AddFGObject(World::ToHandle(o));
    return 0;
}

int RemoveFGObject(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* o = ObjectArg(L, 1);
    if (!game || !o) return 0;
    game->world.RemoveFGObject(World::ToHandle(o));
    return 0;
}

// PlayerDistanceX(obj): obj's x minus the hero's, 99999 without a hero.
int PlayerDistanceX(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* o = ObjectArg(L, 1);
    if (!game || !o) return 0;
    const GameObject* hero = game->world.Hero();
    lua_pushnumber(L, hero ? o->position.x - hero->position.x : 99999.0);
    return 1;
}

int GetLifetime(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushinteger(L, o->lifetime);
    return 1;
}

int SetVelocity(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->velocity = Vector2(FloatArg(L, 2), FloatArg(L, 3));
    return 0;
}

// GetPlayer(): the hero's handle, 0 when there is none.
int GetPlayer(lua_State* L) {
    GameState* game = GameOf(L);
    if (!game) return 0;
    PushHandle(L, game->world.FromHandle(World::ToHandle(game->world.Hero())));
    return 1;
}

// GetVelocity(obj) and GetPosition(obj): two numbers; the position is the
// frame's top-left corner in world pixels.
int GetVelocity(lua_State* L) {
    const GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushnumber(L, o->velocity.x);
    lua_pushnumber(L, o->velocity.y);
    return 2;
}

int GetPosition(lua_State* L) {
    const GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushnumber(L, o->position.x);
    lua_pushnumber(L, o->position.y);
    return 2;
}

int GetDirection(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushinteger(L, o->direction);
    return 1;
}

int SetDirection(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->direction = IntArg(L, 2);
    return 0;
}

// SetSpeed(obj, n): the walking speed; the current speed too unless dashing.
int SetSpeed(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    const float speed = FloatArg(L, 2);
    o->walkSpeed = speed;
    if (o->dashTimer == 0) o->speed = speed;
    return 0;
}

// FireWeapon(shooter): the shot of the shooter's weapon level, or nothing
// when that level does not exist.
int FireWeapon(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* shooter = ObjectArg(L, 1);
    if (!game || !shooter) return 0;
    GameObject* shot = ::FireWeapon(game->world, *shooter);
    if (!shot) return 0;
    PushHandle(L, shot);
    return 1;
}

// SetParent(obj, parent): the object then follows parent's position plus its
// parentOffset; a parent of 0 (or one that is not a live object) clears it.
int SetParent(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->parent = ObjectArg(L, 2);
    return 0;
}

}  // namespace scriptapi
