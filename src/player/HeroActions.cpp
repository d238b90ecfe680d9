#include "player/HeroActions.h"

#include "player/GameState.h"
#include "player/HeroHealth.h"
#include "player/HeroMovement.h"
#include "player/HeroShooting.h"
#include "player/HeroSounds.h"

namespace {

// The hero that reacts to input: there is one, and it is not dying (a dead
// hero neither jumps nor fires, also once it has vanished).
GameObject* ReactingHero(GameState& game) {
    GameObject* hero = game.world.Hero();
    if (!hero || !game.world.heroAlive || IsDying(*hero)) return nullptr;
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

void PressJump(GameState& game, GameObject& hero) {
    if (hero.airborne && !IsSliding(hero)) return;
    World& world = game.world;
    hero.velocity.y = kJumpSpeed;
    hero.airborne = 1;
    if (IsSliding(hero)) {
        // A kick off the wall: once the slide shows its second frame the hero
        // faces away from the wall, and the kick turns it back.
        hero.wallState = kWallKick;
        if (hero.anim.currentFrame > 0) hero.direction = Opposite(hero.direction);
        hero.anim.ChangeAnimation("SlideJump");
        PlayHeroSound(world, "KBKERI");
        PlayHeroSound(world, "VO_PL00\\ROOK_KIAI1.WAV", -1, 0, true);
    } else {
        hero.anim.ChangeAnimation("Jump");
        PlayHeroSound(world, "Jump");
        PlayJumpVoice(world);
    }
    if (game.controls[Dash].held) {
        // Dash speed through the jump: a timer of 1 lasts until landing.
        hero.dashTimer = 1;
        hero.speed = hero.dashSpeed;
        hero.dashJump = true;
    }
}

// side +1 for Right, -1 for Left.
void PressDirection(GameState& game, GameObject& hero, int side) {
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

void ReleaseDash(GameState& game, GameObject& hero, InputDevice device) {
    if (hero.airborne) return;
    const Controls& in = game.controls;
    bool goesOn;
    if (device == InputDevice::Keyboard) {
        goesOn = (in[Right].held && hero.direction == 1) || (in[Left].held && hero.direction == -1);
    } else {
        goesOn = in.StickRight() || in.StickLeft();
    }
    if (!goesOn) EndDash(game.world, hero);
}

}  // namespace

void OnActionPressed(GameState& game, Action action, InputDevice device) {
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

void OnActionReleased(GameState& game, Action action, InputDevice device) {
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
            if (IsSliding(hero) && hero.direction == 1) LetGoOfWall(hero);
            break;
        case Right:
            if (IsSliding(hero) && hero.direction == -1) LetGoOfWall(hero);
            break;
        case Dash:
            ReleaseDash(game, hero, device);
            break;
        default:
            break;
    }
}

void OnStickCentred(GameState& game) {
    GameObject* hero = ReactingHero(game);
    if (hero && IsSliding(*hero)) LetGoOfWall(*hero);
}
