#include "player/StageOpening.h"

#include "core/Random.h"
#include "core/View.h"
#include "player/GameState.h"
#include "player/HeroSounds.h"

namespace {

constexpr int kPaletteNone = -1;  // streaks are drawn as stored
constexpr int kReadyBackRow = 30;
constexpr int kReadyFrontRow = 17;
constexpr int kReadyFlashRow = 29;
constexpr int kReadySweepStill = 28;

const char* const kReadySound = "SE_COM\\NA_READY.WAV";

// Phase timers.
constexpr int kFirstStreakAt = 48;
constexpr int kReadyAt = 60;
constexpr int kSweepEnd = 72;
constexpr int kBackStreaksFrom = 90;
constexpr int kJitterFrom = 105;
constexpr int kReadyFlashAt = 131;
constexpr int kOpeningEndAt = 177;

const char* const kStreakSizes[3] = {"Small", "Medium", "Large"};

Vector2 ViewHalf() {
    return Vector2(static_cast<float>(kViewHalfWidth), static_cast<float>(kViewHalfHeight));
}

void MakeBackStreak(GameState& game);
void HeroAppears(GameState& game);

// The live opening object the handle names, or null; an object of another
// name at a reused address is not ours.
GameObject* Opening(World& world, ObjectHandle handle, const char* name) {
    GameObject* o = world.FromHandle(handle);
    return o && o->name == name ? o : nullptr;
}

// Phase 1: one streak across the screen, the ready sign and its colour
// sweep, then eight streaks behind the objects at random.
void RunStreaksAndReadySign(GameState& game) {
    World& world = game.world;
    StageFlow& flow = game.flow;
    StageOpening& opening = flow.opening;
    const Vector2 topLeft = world.camera - ViewHalf();
    if (flow.phaseTimer < kReadyAt) {
        if (flow.phaseTimer != kFirstStreakAt) return;
        opening.streakCount = 1;
        GameObject* streak = world.CreateObjectInCategory("Streak", kPaletteNone, Category::PlayerFX);
        streak->anim.ChangeAnimation("Screen");
        streak->position = topLeft + Vector2(-288.0f, 112.0f);
        streak->velocity = Vector2(32.0f, 0.0f);
        opening.streaks[0] = World::ToHandle(streak);
        return;
    }
    if (flow.phaseTimer == kReadyAt) {
        const Vector2 at = world.camera - Vector2(96.0f, 15.0f);
        GameObject* back = world.CreateObjectInCategory("Ready", kReadyBackRow, Category::PlayerFX);
        back->position = at;
        opening.readyBack = World::ToHandle(back);
        GameObject* front = world.CreateObjectInCategory("Ready", kReadyFrontRow, Category::PlayerFX);
        front->position = at;
        opening.readyFront = World::ToHandle(front);
        return;
    }
    if (flow.phaseTimer < kBackStreaksFrom) {
        if (GameObject* front = Opening(world, opening.readyFront, "Ready"))
            front->anim.SetPaletteRow(flow.phaseTimer <= kSweepEnd ? flow.phaseTimer - 43
                                                                : kReadySweepStill);
        return;
    }
    // Several may come in one frame; the draw comes before the count test.
    while (RandomBelow(4) == 0 && opening.streakCount >= 0 &&
           opening.streakCount < StageOpening::kStreakSlots)
        MakeBackStreak(game);
    if (opening.streakCount == StageOpening::kStreakSlots) {
        opening.streakCount = 0;
        flow.phase = 2;
        flow.phaseTimer = kJitterFrom;
    }
}

void MakeBackStreak(GameState& game) {
    World& world = game.world;
    StageFlow& flow = game.flow;
    StageOpening& opening = flow.opening;
    // The random numbers are drawn in this order: height, speed, size, side.
    const float yOffset = static_cast<float>(104 + 4 * (RandomBelow(8)));
    const float speed = RandomBelow(2) != 0 ? 48.0f : 24.0f;
    const char* size = kStreakSizes[RandomBelow(3)];
    GameObject* streak = world.CreateObjectInCategory("Streak", kPaletteNone, "PlayerFXBack");
    streak->anim.ChangeAnimation(size);
    streak->position = world.camera - ViewHalf() + Vector2(-176.0f, yOffset);
    streak->velocity = Vector2(speed, 0.0f);
    if (RandomBelow(2) == 0) {
        streak->velocity = Vector2(-speed, 0.0f);
        streak->position += Vector2(496.0f, 0.0f);
    }
    opening.streaks[opening.streakCount] = World::ToHandle(streak);
    ++opening.streakCount;
}

// Phase 2: the ready sign flashes, shakes twice and flies apart; the
// opening.teleport beam comes down.
void RunReadyJitter(GameState& game) {
    World& world = game.world;
    StageFlow& flow = game.flow;
    StageOpening& opening = flow.opening;
    GameObject* front = Opening(world, opening.readyFront, "Ready");
    GameObject* back = Opening(world, opening.readyBack, "Ready");
    auto moveFront = [front](float dx, float dy) {
        if (front) front->position += Vector2(dx, dy);
    };
    auto moveBack = [back](float dx, float dy) {
        if (back) back->position += Vector2(dx, dy);
    };
    switch (flow.phaseTimer) {
        case kReadyFlashAt:
            if (front) front->anim.SetPaletteRow(kReadyFlashRow);
            world.PlaySound(kReadySound, -1, 0);
            break;
        case 132:
        case 136:
            moveFront(-1.0f, -1.0f);
            break;
        case 133:
        case 137:
            moveBack(0.0f, 1.0f);
            break;
        case 134:
        case 138:
            moveFront(0.0f, -1.0f);
            break;
        case 135:
            moveBack(1.0f, 1.0f);
            break;
        case 170:
        case 174:
            moveFront(0.0f, 1.0f);
            break;
        case 171:
        case 175:
            moveBack(0.0f, -1.0f);
            break;
        case 172:
        case 176:
            moveFront(1.0f, 1.0f);
            break;
        case 173:
            moveBack(-1.0f, -1.0f);
            break;
        case kOpeningEndAt: {
            for (ObjectHandle& handle : opening.streaks) {
                if (GameObject* streak = Opening(world, handle, "Streak")) streak->health = 0.0f;
                handle = 0;
            }
            if (back) {
                back->anim.SetPaletteRow(kReadyFlashRow);
                back->velocity = Vector2(-16.0f, 0.0f);
            }
            if (front) front->velocity = Vector2(16.0f, 0.0f);
            GameObject* beam = world.CreateObjectInCategory("Rook Teleport", 0, Category::Player);
            beam->position = world.camera - Vector2(0.0f, 192.0f);
            beam->position.x = world.Hero()->position.x;
            beam->velocity = Vector2(0.0f, 8.0f);
            beam->airborne = 1;
            opening.teleport = World::ToHandle(beam);
            flow.phase = 3;
            PlayHeroSound(world, "DISAPP", -1, 0);
            flow.phaseTimer = 0;
            break;
        }
        default:
            break;
    }
}

// Phase 3: the beam falls to the ground, plays "Appear", and the hero is
// there. A beam that is gone, or one that lands without an "Appear" to play,
// lets the hero appear at once.
void RunTeleport(GameState& game) {
    World& world = game.world;
    StageFlow& flow = game.flow;
    StageOpening& opening = flow.opening;
    GameObject* beam = Opening(world, opening.teleport, "Rook Teleport");
    if (!beam) {
        HeroAppears(game);
        return;
    }
    AnimationSet& anim = beam->anim;
    const bool landed = beam->airborne == 0;
    if (landed && anim.AnimationIndex().count("Appear") == 0)
        HeroAppears(game);
    else if (landed && anim.IsPlaying("Stand"))
        anim.ChangeAnimation("Appear");
    else if (anim.IsPlaying("Appear") && anim.EndOfAnimation())
        HeroAppears(game);
}

void HeroAppears(GameState& game) {
    World& world = game.world;
    StageFlow& flow = game.flow;
    StageOpening& opening = flow.opening;
    world.SetChannelMute(kMovementChannel, false);
    if (GameObject* beam = Opening(world, opening.teleport, "Rook Teleport")) {
        beam->health = 0.0f;
        beam->visible = false;
        world.RemoveNow(opening.teleport);
    }
    opening.teleport = 0;
    world.Hero()->visible = true;
    flow.inputEnabled = true;
    for (ObjectHandle* handle : {&opening.readyFront, &opening.readyBack}) {
        if (GameObject* ready = Opening(world, *handle, "Ready")) ready->health = 0.0f;
        *handle = 0;
    }
    flow.phase = 0;
}

}  // namespace

void RunOpening(GameState& game) {
    StageFlow& flow = game.flow;
    switch (flow.phase) {
        case 1:
            RunStreaksAndReadySign(game);
            break;
        case 2:
            RunReadyJitter(game);
            break;
        case 3:
            RunTeleport(game);
            break;
        default:
            break;
    }
}

void EndOpeningObjects(World& world, StageOpening& opening) {
    for (ObjectHandle& handle : opening.streaks) {
        if (GameObject* streak = Opening(world, handle, "Streak")) streak->health = 0.0f;
        handle = 0;
    }
    for (ObjectHandle* handle : {&opening.readyFront, &opening.readyBack}) {
        if (GameObject* ready = Opening(world, *handle, "Ready")) ready->health = 0.0f;
        *handle = 0;
    }
    if (Opening(world, opening.teleport, "Rook Teleport")) world.RemoveNow(opening.teleport);
    opening.teleport = 0;
    opening.streakCount = 0;
}

