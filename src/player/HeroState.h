// HeroState: the hero's states as its timers encode them, each number
// written once.
//
// Hurt (hurtTimer): 0 unhurt; a hit (DamagePlayer) starts the knock-back at
// 73, counted down to 58, during which the hero is pushed back and has no
// control; 57 ... 1 the recovery, flashing, with control; a dead hero's timer
// is raised to 100 and counts up through the dying sequence, whose voice
// comes at 108; past 108 the hero is no longer drawn.
//
// Wall (wallState): 0 none; 11 sliding down a wall; a wall kick (10) or
// letting go of a wall (4) counts down to 1, while the hero keeps its
// direction and only remembers the last direction asked for.
#pragma once

#include "objects/GameObject.h"

constexpr int kHurtTime = 73;         // the knock-back's first frame
constexpr int kKnockBackEnd = 58;     // below this the hero has control again
constexpr int kDeathHurtTimer = 100;  // the dying sequence starts here
constexpr int kDeathVoiceAt = 108;    // the "OUT" voice; the hero is hidden above it

constexpr int kWallSliding = 11;
constexpr int kWallKick = 10;
constexpr int kWallLetGo = 4;

inline bool IsHurt(const GameObject& hero) { return hero.hurtTimer != 0; }
inline bool HasControl(const GameObject& hero) { return hero.hurtTimer < kKnockBackEnd; }
inline bool InKnockBack(const GameObject& hero) {
    return hero.hurtTimer >= kKnockBackEnd && hero.hurtTimer < kDeathHurtTimer;
}
inline bool IsDying(const GameObject& hero) { return hero.hurtTimer >= kDeathHurtTimer; }
inline bool IsHiddenByDeath(const GameObject& hero) { return hero.hurtTimer > kDeathVoiceAt; }

inline bool IsSliding(const GameObject& hero) { return hero.wallState == kWallSliding; }
inline bool InWallState(const GameObject& hero) { return hero.wallState > 0; }
