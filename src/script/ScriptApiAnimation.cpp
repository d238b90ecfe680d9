// Script functions on an object's animation state and palette row.
//
// A palette row n is kept as the float n / 32 in anim.paletteIndex; GetPalette
// turns it back with a truncation, so every row SetPalette writes (-1
// included) reads back unchanged.
#include <climits>

#include "player/GameState.h"
#include "script/ScriptApi.h"
#include "script/ScriptHost.h"

namespace scriptapi {

namespace {

// paletteIndex x 32 truncated toward zero; a value no int can hold reads 0.
int PaletteRow(float paletteIndex) {
    const float row = paletteIndex * 32.0f;
    if (!(row > static_cast<float>(INT_MIN) && row < static_cast<float>(INT_MAX))) return 0;
    return static_cast<int>(row);
}

// The animation name a script asked for, when the object's set has no such
// animation: one line naming the object and the set's animations.
void CheckAnimationName(lua_State* L, const GameObject& o, const char* function,
                        const std::string& name) {
    if (o.anim.AnimationIndex().count(name)) return;
    std::string known;
    for (const auto& entry : o.anim.AnimationIndex()) known += (known.empty() ? "" : ", ") + entry.first;
    luaL_where(L, 1);
    ScriptHost::Warn(L, lua_tostring(L, -1) + std::string(function) + ": " + o.name +
                            " has no animation \"" + name + "\" (" +
                            (known.empty() ? "it has none" : "it has " + known) + ")");
    lua_pop(L, 1);
}

}  // namespace

// SetPalette(obj, row)
int SetPalette(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    o->anim.paletteIndex = static_cast<float>(IntArg(L, 2) / 32.0);
    return 0;
}

int GetPalette(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushinteger(L, PaletteRow(o->anim.paletteIndex));
    return 1;
}

// ChangeAnimation(obj, name): restarts only when the name is known and not
// already playing.
int ChangeAnimation(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    CheckAnimationName(L, *o, "ChangeAnimation", StringArg(L, 2));
    o->anim.ChangeAnimation(StringArg(L, 2));
    return 0;
}

int EndOfAnimation(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushboolean(L, o->anim.EndOfAnimation());
    return 1;
}

int IsPlaying(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    CheckAnimationName(L, *o, "IsPlaying", StringArg(L, 2));
    lua_pushboolean(L, o->anim.IsPlaying(StringArg(L, 2)));
    return 1;
}

int AnimationLoops(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    lua_pushinteger(L, o->anim.AnimationLoops());
    return 1;
}

// HitFrame(obj, frame): true on the first tick of that frame, counted from 1.
int HitFrame(lua_State* L) {
    GameObject* o = ObjectArg(L, 1);
    if (!o) return 0;
    const int frame = IntArg(L, 2);
    lua_pushboolean(L, frame != INT_MIN && o->anim.HitFrame(frame));
    return 1;
}

// SetTexture(obj, setName): the whole animation state, palette included,
// comes from the named set, used as given (no category prefix).
int SetTexture(lua_State* L) {
    GameState* game = GameOf(L);
    GameObject* o = ObjectArg(L, 1);
    if (!game || !o) return 0;
    const std::string name = StringArg(L, 2);
    o->anim = game->world.LoadAnimationSet(name);
    if (o->anim.Animations().empty()) {
        luaL_where(L, 1);
        ScriptHost::Warn(L, lua_tostring(L, -1) + std::string("SetTexture: the sprite set \"") + name +
                                "\" has no animations (the name is used as written, without a folder)");
        lua_pop(L, 1);
    }
    return 0;
}

// CopyAnimation(dst, src): animation, tick and frame; not loops or palette.
int CopyAnimation(lua_State* L) {
    GameObject* target = ObjectArg(L, 1);
    GameObject* source = ObjectArg(L, 2);
    if (!target || !source) return 0;
    ::CopyAnimation(target->anim, source->anim);
    return 0;
}

}  // namespace scriptapi
