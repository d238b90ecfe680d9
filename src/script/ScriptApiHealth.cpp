// Script functions on health and damage, the hero's included.
#include <cstdlib>

#include "player/GameState.h"
#include "player/HeroState.h"
#include "script/ScriptApi.h"
#include "core/Random.h"

namespace scriptapi {

// AddHealth(obj, n): capped at maxHealth, no floor for a negative n.
int AddHealth(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->health += FloatArg(L, 2);
    if (o->health > o->maxHealth) o->health = o->maxHealth;
    return 0;
}

// SetHealth(obj, n): the new health is also the new cap.
int SetHealth(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->health = FloatArg(L, 2);
    o->maxHealth = o->health;
    return 0;
}

// TakeDamage(obj, n): an amount that is 0 as a float neither hurts nor
// flashes; a negative one heals and flashes.
int TakeDamage(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    const float damage = FloatArg(L, 2);
    if (damage == 0.0f) return 0;
    o->health -= damage;
    o->hitFlash = true;
    return 0;
}

int GetHealth(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushnumber(L, o->health);
    return 1;
}

// DamagePlayer(obj, n): hurts the object (the hero, normally), starts its
// hurt time with gravity off and plays one of the two hurt voices.
int DamagePlayer(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* o = ObjectArg(L, 1);
    if (!game || !o) return 0;
    const float damage = FloatArg(L, 2);
    if (!(damage > 0.0f)) return 0;
    o->health -= damage;
    o->hurtTimer = kHurtTime;
    o->gravity = false;
    const char* voice =
        RandomBelow(2) == 0 ? "VO_PL00\\ROOK_DAMAG1.WAV" : "VO_PL00\\ROOK_DAMAG2.WAV";
    game->world.PlaySound(voice, 2, 0);
    return 0;
}

// AddPlayerHealth(n): replaces the amount the hero's life refill will add.
int AddPlayerHealth(lua_State* L) {
    GameState* game = GameOf(L);
    if (!game) return 0;
    game->flow.pendingHealth = FloatArg(L, 1);
    return 0;
}

}  // namespace scriptapi
