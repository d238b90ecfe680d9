#include "player/HeroMovement.h"

#include "objects/World.h"
#include "player/HeroSounds.h"

float DashCurveSpeed(int dashTimer, float previous) {
    if (dashTimer >= 42) return 0.0f;
    if (dashTimer == 41) return 6.6f;
    if (dashTimer >= 29) return previous - 0.2f;
    if (dashTimer >= 10) return 4.133333f;
    if (dashTimer == 9) return 3.98f;
    return previous - 0.2f;
}

void EndDash(World& world, GameObject& o) {
    o.dashTimer = 0;
    o.speed = o.walkSpeed;
    if (o.anim.IsPlaying("Dash")) {
        o.anim.ChangeAnimation("DashEnd");
        PlayHeroSound(world, "SE_PL00\\ROOK_BRAKE.WAV", 0, 0, true);
    }
}
