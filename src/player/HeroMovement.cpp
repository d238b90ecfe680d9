#include "player/HeroMovement.h"

#include "objects/World.h"
#include "player/HeroSounds.h"

void EndDash(World& world, GameObject& o) {
    o.dashTimer = 0;
    o.speed = o.walkSpeed;
    if (o.anim.IsPlaying("Dash")) {
        o.anim.ChangeAnimation("DashEnd");
        PlayHeroSound(world, "SE_PL00\\ROOK_BRAKE.WAV", 0, 0, true);
    }
}
