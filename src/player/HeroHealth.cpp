#include "player/HeroHealth.h"

#include <algorithm>
#include <cmath>

#include "player/GameState.h"

namespace {

// The death sequence counts up for as long as nothing restarts the stage;
// it rests here rather than run into the int's end.
constexpr int kDyingCeiling = 1 << 30;

constexpr float kDrainStep = 0.25f;  // the red bar, per frame
constexpr float kRefillStep = 0.5f;  // the refill, per frame
constexpr int kHurtFlickerRow = 12;
constexpr int kVoiceChannel = 2;

const char* const kDeathVoice = "VO_PL00\\ROOK_OUT.WAV";
const char* const kPinchVoice = "VO_PL00\\ROOK_PINCH.WAV";
const char* const kRefillTick = "SE_COM\\LIFEGAGE.WAV";

// Pixels per frame away from the hero's facing, by 73 - hurtTimer.
constexpr int kKnockBack[kHurtTime - kKnockBackEnd + 1] = {2, 3, 2, 2, 1, 2, 1, 2,
                                                           1, 0, 1, 0, 1, 0, 0, 0};

bool Running(const GameState& game) {
    return game.world.Hero() && !game.flow.frozen;
}

}  // namespace

void RunHurtStep(GameState& game) {
    if (!Running(game) || !IsHurt(*game.world.Hero())) return;
    GameObject& hero = *game.world.Hero();

    if (hero.hurtTimer == kDeathVoiceAt) game.world.PlaySound(kDeathVoice, -1, 0);
    if (IsDying(hero)) {
        // Held on the first frame of "Hurt"; the net count is +1 a frame.
        hero.hurtTimer = std::min(hero.hurtTimer + 2, kDyingCeiling);
        hero.velocity = Vector2(0.0f, 0.0f);
        hero.anim.ChangeAnimation("Hurt");
        hero.anim.currentFrame = 0;
        hero.anim.frameTick = 0;
    } else if (InKnockBack(hero)) {
        const int step = std::min(kHurtTime - hero.hurtTimer, kHurtTime - kKnockBackEnd);
        hero.velocity.x = -static_cast<float>(hero.direction) * kKnockBack[std::max(step, 0)];
        hero.velocity.y = 0.0f;
        hero.anim.ChangeAnimation("Hurt");
    } else {
        hero.gravity = true;
    }
    hero.hurtTimer -= 1;
}

void UpdateHealthDisplay(GameState& game) {
    if (!Running(game) || !HasControl(*game.world.Hero())) return;
    const float health = game.world.Hero()->health;
    PlayerState& player = game.player;

    if (player.shownHealth <= health)
        player.shownHealth = health;
    else
        player.shownHealth -= kDrainStep;

    if (player.previousHealth > kPinchHealth && health <= kPinchHealth) player.pinchPending = true;
    player.previousHealth = health;

    // Channel 2 carries the damage voices too: the warning waits for them.
    if (player.pinchPending && !game.world.ChannelPlaying(kVoiceChannel)) {
        player.pinchPending = false;
        game.world.PlaySound(kPinchVoice, kVoiceChannel, 0);
    }
}

void UpdateHurtFlashing(GameState& game) {
    if (!Running(game) || !IsHurt(*game.world.Hero())) return;
    const int timer = game.world.Hero()->hurtTimer;
    const bool flicker = timer < kKnockBackEnd && (timer / 2) % 2 != 0;
    game.world.Hero()->anim.SetPaletteRow(flicker ? kHurtFlickerRow : 0);
}

void RunLifeRefill(GameState& game) {
    StageFlow& flow = game.flow;
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();

    if (flow.pendingHealth <= 0.0f) {
        // -1 is the end marker of a refill that added its whole amount. A
        // freeze with nothing left to add (an amount a hook replaced with 0
        // or less mid-refill) ends too, rather than hold the game for good.
        if (flow.pendingHealth == -1.0f || flow.frozen) {
            flow.pendingHealth = 0.0f;
            flow.frozen = false;
        }
        return;
    }
    if (!flow.frozen) {
        if (hero.maxHealth > hero.health)
            flow.frozen = true;
        else
            flow.pendingHealth = 0.0f;  // nothing to fill
        return;
    }

    // One tick for every two whole points still to come.
    const float whole = std::trunc(flow.pendingHealth);
    if (flow.pendingHealth - whole < 0.01f && std::fmod(whole, 2.0f) == 0.0f)
        game.world.PlaySound(kRefillTick, -1, 0);
    // The last step adds only what is left, so that any amount ends on 0.
    const float step = std::min(kRefillStep, flow.pendingHealth);
    hero.health += step;
    flow.pendingHealth -= step;
    if (hero.health > hero.maxHealth) {
        hero.health = hero.maxHealth;
        flow.pendingHealth = 0.0f;
        flow.frozen = false;
    } else if (flow.pendingHealth == 0.0f) {
        flow.pendingHealth = -1.0f;
    }
}
