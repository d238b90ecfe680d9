#include "player/HeroController.h"

#include "player/GameState.h"
#include "player/HeroActions.h"
#include "player/HeroHealth.h"
#include "player/HeroMovement.h"
#include "player/HeroShooting.h"
#include "player/HeroSounds.h"

namespace {

constexpr int kNoPalette = -1;
constexpr float kDashEffectReach = -30.0f;  // behind a hero facing right; not mirrored

GameObject& CreateEffect(GameState& game, const char* name, Category category, int paletteRow) {
    GameObject& effect = *game.world.CreateObjectInCategory(name, paletteRow, category);
    effect.dieOnWall = false;
    return effect;
}

// An effect that follows the hero at offset.
GameObject& AttachEffect(GameState& game, const char* name, Category category,
                         const Vector2& offset) {
    GameObject& hero = *game.world.Hero();
    GameObject& effect = CreateEffect(game, name, category, kNoPalette);
    effect.parent = &hero;
    effect.parentOffset = offset;
    effect.position = hero.position + offset;
    return effect;
}

bool DirectionAsked(const Controls& in) {
    return in.StickRight() || in.StickLeft() || in[Left].held || in[Right].held;
}

// Steps 2 to 7 of the controls: walking speed and the ground dash.
void RunDashAndWalk(GameState& game, GameObject& hero) {
    const Controls& in = game.controls;
    AnimationSet& anim = hero.anim;

    const bool right =
        in.StickRight() || (in[Right].held && hero.direction == 1 && !IsSliding(hero));
    const bool left =
        in.StickLeft() || (in[Left].held && hero.direction == -1 && !IsSliding(hero));
    if (right || left) {
        if (anim.IsPlaying("Hurt")) anim.ChangeAnimation("BeginWalk");
        const float speed = anim.IsPlaying("BeginWalk") ? kBeginWalkSpeed : hero.speed;
        hero.velocity.x = right ? speed : -speed;
    } else {
        hero.velocity.x = 0.0f;
    }

    if (hero.dashTimer > 1 && !IsSliding(hero)) --hero.dashTimer;
    if (hero.dashTimer == 1 && !hero.airborne) {
        hero.dashTimer = 0;
        hero.speed = hero.walkSpeed;
    }

    const bool groundDash = hero.dashTimer > 0 && !hero.airborne;
    if (groundDash) {
        if (hero.dashTimer < kDashBrakeTimer) {
            if (!anim.IsPlaying("DashEnd")) PlayHeroSound(game.world, "Brake");
            anim.ChangeAnimation("DashEnd");
        } else {
            anim.ChangeAnimation("Dash");
        }
        if (anim.IsPlaying("Dash") && anim.FrameEndingAt(2)) {
            GameObject& smoke = CreateEffect(game, "DashSmoke", Category::PlayerFX, kNoPalette);
            smoke.direction = hero.direction;
            smoke.position = hero.position + Vector2(kDashEffectReach, 0.0f);
        } else if (anim.IsPlaying("Dash") && hero.dashTimer == kDashBurstTimer) {
            AttachEffect(game, "DashThruster", Category::PlayerFXBack, Vector2(kDashEffectReach, 0.0f))
                .direction = hero.direction;
        }
    }

    if (anim.IsPlaying("DashEnd") && DirectionAsked(in)) {
        EndDash(game.world, hero);
        anim.ChangeAnimation("Walk");
    }

    if (hero.dashTimer > 0 && !hero.airborne) {
        game.player.dashCurveSpeed = DashCurveSpeed(hero.dashTimer, game.player.dashCurveSpeed);
        hero.velocity.x = static_cast<float>(hero.direction) * game.player.dashCurveSpeed;
    }
    if (hero.dashTimer == kDashStartTimer && !hero.airborne) PlayHeroSound(game.world, "Dash");
}

// Step 10: sliding down a wall, the kick off it and letting go of it.
void RunWallState(GameState& game, GameObject& hero) {
    AnimationSet& anim = hero.anim;
    if (IsSliding(hero)) {
        hero.velocity.y = anim.currentFrame <= kLastStillSlideFrame ? 0.0f : kWallSlideSpeed;
    } else {
        // Away from the wall while rising: the kick faces the wall it leaves.
        hero.velocity.x = static_cast<float>(hero.direction) * hero.speed;
        if (hero.velocity.y < 0.0f) hero.velocity.x = -hero.velocity.x;
        if (hero.wallState == kWallKick) {
            GameObject& spark = CreateEffect(game, "SlideSpark", Category::PlayerFX, kNoPalette);
            spark.position = hero.position;
            spark.direction = hero.direction;
        }
    }
    if (anim.IsPlaying("Slide") && anim.FrameEndingAt(2))
        AttachEffect(game, "SlideSmoke", Category::PlayerFX, Vector2()).direction = Opposite(hero.direction);
    if (--hero.wallState == 0) hero.direction = hero.lastInputDirection;
}

// Which wall the hero presses into while falling beside it: -1 left, +1
// right, 0 none.
int WallPressed(const GameState& game, const GameObject& hero) {
    const Controls& in = game.controls;
    if (!hero.airborne || hero.velocity.y < 0.0f) return 0;
    if (!hero.freeLeft && (in.StickLeft() || in[Left].held)) return -1;
    if (!hero.freeRight && (in.StickRight() || in[Right].held)) return 1;
    return 0;
}

void StickToWall(GameState& game, GameObject& hero, int wall) {
    AnimationSet& anim = hero.anim;
    hero.dashJump = false;
    anim.ChangeAnimation("Slide");
    if (anim.currentFrame > 0) hero.direction = -wall;
    if (anim.currentFrame == 0 && anim.frameTick == 0) PlayHeroSound(game.world, "KBPETA");
    hero.wallState = kWallSliding;
    const bool sliding = anim.IsPlaying("Slide") && anim.currentFrame > kLastStillSlideFrame;
    hero.velocity.y = sliding ? kWallSlideSpeed : 0.0f;
    hero.dashTimer = 0;
    hero.speed = hero.walkSpeed;
}

}  // namespace

void UpdateHeroControls(GameState& game) {
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();

    if (hero.airborne && !hero.dashJump) {
        hero.dashTimer = 0;
        hero.speed = hero.walkSpeed;
    }
    RunDashAndWalk(game, hero);

    if ((hero.dashTimer != 0 || hero.dashJump) && game.frameCounter % kAfterImageRhythm == 0 &&
        hero.wallState == 0) {
        GameObject& image = CreateEffect(game, "CopyRook", Category::PlayerBGFX, 0);
        image.position = hero.position;
        image.direction = hero.direction;
    }

    UpdateFirePose(game);
    if (InWallState(hero)) RunWallState(game, hero);
    AutoRecharge(game);
}

void UpdateHeroAnimation(GameState& game) {
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();
    AnimationSet& anim = hero.anim;

    if (anim.EndOfAnimation()) {
        if (anim.IsPlaying("FireStand") || anim.IsPlaying("DashEnd") ||
            anim.IsPlaying("FireRecoil") || anim.IsPlaying("Land"))
            anim.ChangeAnimation("Stand");
        else if (anim.IsPlaying("BeginWalk"))
            anim.ChangeAnimation("Walk");
    }

    if (!hero.airborne && hero.velocity.x == 0.0f && hero.dashTimer == 0 &&
        !anim.IsPlaying("Land") && !anim.IsPlaying("FireStand") && !anim.IsPlaying("DashEnd") &&
        !anim.IsPlaying("FireRecoil") && !anim.IsPlaying("BeginFire"))
        anim.ChangeAnimation("Stand");

    if (const int wall = WallPressed(game, hero)) {
        StickToWall(game, hero, wall);
    } else if (hero.wallState == kWallKick && hero.airborne) {
        // A slide that was not renewed this frame ends, facing the wall side.
        hero.wallState = 0;
        if (anim.currentFrame > 0) hero.direction = Opposite(hero.direction);
    }

    if (hero.velocity.y > 0.0f && hero.airborne && !IsSliding(hero))
        anim.ChangeAnimation("Fall");

    UpdateHealthDisplay(game);
}
