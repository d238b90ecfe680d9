// GameObject: one live object of any category, the hero included.
//
// Objects are held by value in the World's category lists and never move
// while they live, so a pointer stays valid until the end-of-frame removal. Every field has a defined start value;
// the hero's controller gives several of them their meaning (dashTimer,
// wallState, counter, fireTimer, ...).
#pragma once

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "core/Vector2.h"
#include "objects/FrameEvent.h"
#include "objects/ObjectHandle.h"
#include "objects/ObjectType.h"
#include "objects/Weapon.h"
#include "anim/AnimationSet.h"

// The opposite facing. A script may set any int, and -INT_MIN overflows: the
// most negative one stays itself, mirrored either way.
constexpr int Opposite(int direction) { return direction == INT_MIN ? direction : -direction; }

struct GameObject {
    GameObject() = default;
    GameObject(const Vector2& position_, const AnimationSet& anim_)
        : position(position_), anim(anim_) {}

    Vector2 position;   // top-left corner of the current frame, world pixels
    AnimationSet anim;  // own copy: hit box, frame size, playback state, palette
    Vector2 velocity;
    int airborne = 0;  // nonzero in the air; tile collision clears it on landing
    float speed = 2.0f;
    int direction = 1;  // 1 drawn as stored, anything else mirrored (any int: scripts set it)
    bool freeRight = true;
    bool freeLeft = true;
    bool tileCollision = true;
    int fireTimer = -1;
    int counter = 0;  // once nonzero, grows by 1 each update of a tile-colliding object
    int dashTimer = 0;
    float walkSpeed = 2.0f;
    float dashSpeed = 4.0f;
    int wallState = 0;
    int lastInputDirection = 1;
    bool dashJump = false;
    bool dieOnWall = true;
    std::vector<FrameEvent> frameEvents;
    std::vector<std::string> deathEvents;
    int deathEventIndex = -1;
    bool killOnEndAnim = false;
    bool onSlope = false;
    std::string name;  // without category prefix: stem of its files and hook prefix
    std::shared_ptr<const ObjectType> type;  // its files and hook names; null for objects made by hand
    GameObject* parent = nullptr;
    Vector2 parentOffset;
    float health = 20.0f;
    float power = 1.0f;
    bool gravity = false;
    float maxHealth = 20.0f;
    bool hitFlash = false;
    bool noCollide = false;
    int hurtTimer = 0;
    int lifetime = 0;
    int weaponIndex = -1;
    int weaponLevel = 0;
    std::vector<WeaponGroup> weapons;
    int currentWeapon = 0;
    ObjectHandle handle = 0;  // how scripts name it; 0 until the World registers it
    bool visible = true;
    int placementIndex = -1;
    bool offscreen = false;
};
