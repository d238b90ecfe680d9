#include "player/HeroActions.h"

#include "app/Game.h"
#include "player/HeroHealth.h"
#include "player/HeroMovement.h"
#include "player/HeroShooting.h"
#include "player/HeroSounds.h"

namespace {

// The hero that reacts to input: there is one, and it is not dying (a dead
// hero neither jumps nor fires, also once it has vanished).
GameObject* ReactingHero(Game& game) {
    GameObject* hero = game.hero;
    if (!hero || !game.world.heroAlive || hero->hurtTimer >= kDeathHurtTimer) return nullptr;
    return hero;
}

void LetGoOfWall(GameObject& hero) {
    hero.wallState = kWallLetGo;
    hero.lastInputDirection = hero.direction;
}

void PressDash(GameObject& hero, InputDevice device) {
    if (hero.dashTimer != 0) return;
    // A keyboard dash pressed in the air is undone by the controller in the
    // same frame; the joystick does not start one at all.
    if (device != InputDevice::Keyboard && hero.airborne) return;
    hero.dashTimer = kDashLength;
    hero.speed = hero.dashSpeed;
}

void PressJump(Game& game, GameObject& hero) {
    if (hero.airborne && hero.wallState != kWallSliding) return;
    World& world = game.world;
    hero.velocity.y = kJumpSpeed;
    hero.airborne = 1;
    if (hero.wallState == kWallSliding) {
        // A kick off the wall: once the slide shows its second frame the hero
        // faces away from the wall, and the kick turns it back.
        hero.wallState = kWallKick;
        if (hero.anim.currentFrame > 0) hero.direction = -hero.direction;
        hero.anim.ChangeAnimation("SlideJump");
        PlayHeroSound(world, "KBKERI");
        PlayHeroSound(world, "VO_PL00\\ROOK_KIAI1.WAV", -1, 0, true);
    } else {
        hero.anim.ChangeAnimation("Jump");
        PlayHeroSound(world, "Jump");
        PlayJumpVoice(world);
    }
    if (game.bindings[Dash].held) {
        // Dash speed through the jump: a timer of 1 lasts until landing.
        hero.dashTimer = 1;
        hero.speed = hero.dashSpeed;
        hero.dashJump = true;
    }
}

// side +1 for Right, -1 for Left.
void PressDirection(Game& game, GameObject& hero, int side) {
    const bool free = side > 0 ? hero.freeRight : hero.freeLeft;
    if (!hero.airborne && free && hero.dashTimer == 0 &&
        !(hero.anim.IsPlaying("Walk") && hero.direction == side)) {
        hero.anim.ChangeAnimation("BeginWalk");
    } else if (hero.anim.IsPlaying("Land")) {
        hero.anim.ChangeAnimation("Walk");
    }
    if (!hero.airborne && hero.dashTimer != 0 && hero.direction == -side) {
        EndDash(game.world, hero);
        hero.anim.ChangeAnimation("Walk");
    }
    hero.lastInputDirection = side;
    if (hero.wallState == 0) hero.direction = side;
}

void ReleaseDash(Game& game, GameObject& hero, InputDevice device) {
    if (hero.airborne) return;
    const InputBindings& in = game.bindings;
    bool goesOn;
    if (device == InputDevice::Keyboard) {
        goesOn = (in[Right].held && hero.direction == 1) || (in[Left].held && hero.direction == -1);
    } else {
        goesOn = StickRight(in) || StickLeft(in);
    }
    if (!goesOn) EndDash(game.world, hero);
}

}  // namespace

void OnActionPressed(Game& game, Action action, InputDevice device) {
    GameObject* reacting = ReactingHero(game);
    if (!reacting) return;
    GameObject& hero = *reacting;
    switch (action) {
        case Dash:
            PressDash(hero, device);
            break;
        case Attack1:
            OnFirePressed(game, hero.currentWeapon);
            break;
        case Attack2:
            OnFirePressed(game, 0);
            break;
        case Jump:
            PressJump(game, hero);
            break;
        case Right:
            PressDirection(game, hero, 1);
            break;
        case Left:
            PressDirection(game, hero, -1);
            break;
        case PrevWeapon:
            ChangeWeapon(hero, -1);
            break;
        case NextWeapon:
            ChangeWeapon(hero, 1);
            break;
        default:
            break;  // Up and Down are recorded only
    }
}

void OnActionReleased(Game& game, Action action, InputDevice device) {
    GameObject* reacting = ReactingHero(game);
    if (!reacting) return;
    GameObject& hero = *reacting;
    switch (action) {
        case Attack1:
            OnFireReleased(game, hero.currentWeapon);
            break;
        case Attack2:
            OnFireReleased(game, 0);
            break;
        case Jump:
            // Letting go while rising cuts the jump short.
            if (hero.velocity.y < 0.0f) hero.velocity.y = 0.0f;
            break;
        case Left:
            if (hero.wallState == kWallSliding && hero.direction == 1) LetGoOfWall(hero);
            break;
        case Right:
            if (hero.wallState == kWallSliding && hero.direction == -1) LetGoOfWall(hero);
            break;
        case Dash:
            ReleaseDash(game, hero, device);
            break;
        default:
            break;
    }
}

void OnStickCentred(Game& game) {
    GameObject* hero = ReactingHero(game);
    if (hero && hero->wallState == kWallSliding) LetGoOfWall(*hero);
}
