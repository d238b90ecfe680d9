#include "player/StageFlow.h"

#include "app/InputBindings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <lua.hpp>

#include "core/ConfigFile.h"
#include "objects/World.h"
#include "player/HeroHealth.h"
#include "player/HeroSounds.h"
#include "core/View.h"
#include "core/StepLimit.h"
#include "stage/TileCollision.h"
#include "core/Random.h"

namespace {

constexpr int kPaletteNone = -1;  // streaks are drawn as stored
constexpr int kReadyBackRow = 30;
constexpr int kReadyFrontRow = 17;
constexpr int kReadyFlashRow = 29;
constexpr int kReadySweepStill = 28;
constexpr float kFadeStep = 0.02f;
constexpr int kMovementChannel = 0;  // the hero's movement sounds, muted during the opening

// Enemy spawning: the view plus a 12-pixel margin, and how near the camera a
// placement must lie to be looked at at all.
constexpr float kSpawnHalfWidth = 172.0f;
constexpr float kSpawnHalfHeight = 132.0f;
constexpr float kSpawnReachX = 320.0f;
constexpr float kSpawnReachY = 240.0f;
constexpr float kEnemyDropSpeed = 4.0f;

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

}  // namespace

bool StageFlow::ReadGameConfig(const std::string& path) {
    return ReadConfigFile(path, [this](const std::string& key, const std::string& value) {
        if (key == "OpeningStage") openingStage = FirstWord(value);
    });
}

void StageFlow::Attach(World& world_, ScreenFade& fade_, InputBindings& bindings_,
                       GameObject& hero_, Vector2& camera_) {
    world = &world_;
    fade = &fade_;
    bindings = &bindings_;
    hero = &hero_;
    camera = &camera_;
}

GameObject* StageFlow::Opening(ObjectHandle handle, const char* name) const {
    GameObject* o = world->FromHandle(handle);
    return o && o->name == name ? o : nullptr;
}

void StageFlow::BeginStage() {
    if (!world || !fade || !hero || !camera) return;
    EndOpeningObjects();

    // Scripts learn the stage's name first: hooks run during the drop below.
    // Raw, so that a script's metatable on the globals neither sees nor
    // fails it.
    if (lua_State* L = world->script.State()) {
        lua_pushstring(L, "StageName");
        lua_pushstring(L, world->stageName.c_str());
        lua_rawset(L, LUA_GLOBALSINDEX);
    }

    fade->mode = 1;
    fade->level = 1.0f;
    inputEnabled = false;
    // No event is read until the hero appears, so a key held into the fade
    // (at an exit or a restart) would otherwise walk the hidden hero away
    // from where the beam comes down. A key still down afterwards needs a
    // new press.
    if (bindings) {
        for (ActionState& action : bindings->actions) action = ActionState();
    }
    hero->visible = false;
    world->SetChannelMute(kMovementChannel, true);

    // The hero falls onto the ground before anything is shown.
    StepLimit drop("The hero did not land");
    do {
        world->UpdateAllObjects();
    } while (hero->airborne != 0 && drop.Next());
    SettleCamera(world->stage, *hero, *camera, settleCamera);

    phaseTimer = 0;
    phase = 1;
    spawnCameraKnown = false;
}

void StageFlow::StepStageFlow() {
    if (!world || !fade || !hero || !camera) return;
    if (phaseTimer < INT_MAX) ++phaseTimer;
    RunOpening();
    SpawnEnemies();

    if (fade->mode == 2)
        fade->level = std::min(fade->level + kFadeStep, 1.0f);
    else if (fade->mode == 1)
        fade->level = std::max(fade->level - kFadeStep, 0.0f);

    // A fade-out with no stage to go to stays black.
    if (fade->mode == 2 && fade->level == 1.0f && !world->nextStage.empty()) {
        const std::string next = world->nextStage;
        world->LoadStage(next, *hero);
        world->nextStage.clear();
        fade->mode = 1;
        *camera = hero->position - ViewHalf();
        BeginStage();
    }
    if (fade->mode == 1 && fade->level == 0.0f) fade->mode = 0;

    RunLifeRefill(*this);
}

void StageFlow::RunOpening() {
    switch (phase) {
        case 1:
            RunStreaksAndReadySign();
            break;
        case 2:
            RunReadyJitter();
            break;
        case 3:
            RunTeleport();
            break;
        default:
            break;
    }
}

// Phase 1: one streak across the screen, the ready sign and its colour
// sweep, then eight streaks behind the objects at random.
void StageFlow::RunStreaksAndReadySign() {
    const Vector2 topLeft = *camera - ViewHalf();
    if (phaseTimer < kReadyAt) {
        if (phaseTimer != kFirstStreakAt) return;
        streakCount = 1;
        GameObject* streak = world->CreateObjectInCategory("Streak", kPaletteNone, "PlayerFX");
        streak->anim.ChangeAnimation("Screen");
        streak->position = topLeft + Vector2(-288.0f, 112.0f);
        streak->velocity = Vector2(32.0f, 0.0f);
        streaks[0] = World::ToHandle(streak);
        return;
    }
    if (phaseTimer == kReadyAt) {
        const Vector2 at = *camera - Vector2(96.0f, 15.0f);
        GameObject* back = world->CreateObjectInCategory("Ready", kReadyBackRow, "PlayerFX");
        back->position = at;
        readyBack = World::ToHandle(back);
        GameObject* front = world->CreateObjectInCategory("Ready", kReadyFrontRow, "PlayerFX");
        front->position = at;
        readyFront = World::ToHandle(front);
        return;
    }
    if (phaseTimer < kBackStreaksFrom) {
        if (GameObject* front = Opening(readyFront, "Ready"))
            front->anim.SetPaletteRow(phaseTimer <= kSweepEnd ? phaseTimer - 43 : kReadySweepStill);
        return;
    }
    // Several may come in one frame; the draw comes before the count test.
    while (RandomBelow(4) == 0 && streakCount >= 0 && streakCount < kStreakSlots) MakeBackStreak();
    if (streakCount == kStreakSlots) {
        streakCount = 0;
        phase = 2;
        phaseTimer = kJitterFrom;
    }
}

void StageFlow::MakeBackStreak() {
    // The random numbers are drawn in this order: height, speed, size, side.
    const float yOffset = static_cast<float>(104 + 4 * (RandomBelow(8)));
    const float speed = RandomBelow(2) != 0 ? 48.0f : 24.0f;
    const char* size = kStreakSizes[RandomBelow(3)];
    GameObject* streak = world->CreateObjectInCategory("Streak", kPaletteNone, "PlayerFXBack");
    streak->anim.ChangeAnimation(size);
    streak->position = *camera - ViewHalf() + Vector2(-176.0f, yOffset);
    streak->velocity = Vector2(speed, 0.0f);
    if (RandomBelow(2) == 0) {
        streak->velocity = Vector2(-speed, 0.0f);
        streak->position += Vector2(496.0f, 0.0f);
    }
    streaks[streakCount] = World::ToHandle(streak);
    ++streakCount;
}

// Phase 2: the ready sign flashes, shakes twice and flies apart; the
// teleport beam comes down.
void StageFlow::RunReadyJitter() {
    GameObject* front = Opening(readyFront, "Ready");
    GameObject* back = Opening(readyBack, "Ready");
    auto moveFront = [front](float dx, float dy) {
        if (front) front->position += Vector2(dx, dy);
    };
    auto moveBack = [back](float dx, float dy) {
        if (back) back->position += Vector2(dx, dy);
    };
    switch (phaseTimer) {
        case kReadyFlashAt:
            if (front) front->anim.SetPaletteRow(kReadyFlashRow);
            world->PlaySound(kReadySound, -1, 0);
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
            for (ObjectHandle& handle : streaks) {
                if (GameObject* streak = Opening(handle, "Streak")) streak->health = 0.0f;
                handle = 0;
            }
            if (back) {
                back->anim.SetPaletteRow(kReadyFlashRow);
                back->velocity = Vector2(-16.0f, 0.0f);
            }
            if (front) front->velocity = Vector2(16.0f, 0.0f);
            GameObject* beam = world->CreateObjectInCategory("Rook Teleport", 0, "Player");
            beam->position = *camera - Vector2(0.0f, 192.0f);
            beam->position.x = hero->position.x;
            beam->velocity = Vector2(0.0f, 8.0f);
            beam->airborne = 1;
            teleport = World::ToHandle(beam);
            phase = 3;
            PlayHeroSound(*world, "DISAPP", -1, 0);
            phaseTimer = 0;
            break;
        }
        default:
            break;
    }
}

// Phase 3: the beam falls to the ground, plays "Appear", and the hero is
// there. A beam that is gone, or one that lands without an "Appear" to play,
// lets the hero appear at once.
void StageFlow::RunTeleport() {
    GameObject* beam = Opening(teleport, "Rook Teleport");
    if (!beam) {
        HeroAppears();
        return;
    }
    AnimationSet& anim = beam->anim;
    const bool landed = beam->airborne == 0;
    if (landed && anim.animationIndex.count("Appear") == 0)
        HeroAppears();
    else if (landed && anim.IsPlaying("Stand"))
        anim.ChangeAnimation("Appear");
    else if (anim.IsPlaying("Appear") && anim.EndOfAnimation())
        HeroAppears();
}

void StageFlow::HeroAppears() {
    world->SetChannelMute(kMovementChannel, false);
    if (GameObject* beam = Opening(teleport, "Rook Teleport")) {
        beam->health = 0.0f;
        beam->visible = false;
        world->RemoveNow(teleport);
    }
    teleport = 0;
    hero->visible = true;
    inputEnabled = true;
    for (ObjectHandle* handle : {&readyFront, &readyBack}) {
        if (GameObject* ready = Opening(*handle, "Ready")) ready->health = 0.0f;
        *handle = 0;
    }
    phase = 0;
}

void StageFlow::EndOpeningObjects() {
    for (ObjectHandle& handle : streaks) {
        if (GameObject* streak = Opening(handle, "Streak")) streak->health = 0.0f;
        handle = 0;
    }
    for (ObjectHandle* handle : {&readyFront, &readyBack}) {
        if (GameObject* ready = Opening(*handle, "Ready")) ready->health = 0.0f;
        *handle = 0;
    }
    if (Opening(teleport, "Rook Teleport")) world->RemoveNow(teleport);
    teleport = 0;
    streakCount = 0;
}

void StageFlow::SpawnEnemies() {
    const Vector2 now = *camera;
    if (!spawnCameraKnown) {
        spawnCamera = now;
        spawnCameraKnown = true;
    }
    const Vector2 was = spawnCamera;
    const float L = now.x - kSpawnHalfWidth, R = now.x + kSpawnHalfWidth;
    const float T = now.y - kSpawnHalfHeight, B = now.y + kSpawnHalfHeight;
    const float Lp = was.x - kSpawnHalfWidth, Rp = was.x + kSpawnHalfWidth;
    const float Tp = was.y - kSpawnHalfHeight, Bp = was.y + kSpawnHalfHeight;

    // By index: an enemy's Create hook runs in the middle of the walk.
    for (size_t i = 0; i < world->stage.enemyPlacements.size(); ++i) {
        const EnemyPlacement& placement = world->stage.enemyPlacements[i];
        if (placement.spawned) continue;
        const float x = placement.position.x;
        const float y = placement.position.y;
        if (!(std::fabs(x - now.x) < kSpawnReachX && std::fabs(y - now.y) < kSpawnReachY)) continue;
        // A set that is not loaded, or whose sheet could not be read, has no
        // hit box to cross the view with: such an enemy never spawns.
        const AnimationSet* set = world->animationSets.Find("Enemies\\" + placement.typeName);
        if (!set || set->imageSize.x <= 0.0f) continue;
        const bool crossed = (L <= x + set->right && x + set->right < Lp) ||
                             (Rp < x + set->left && x + set->left <= R) ||
                             (T <= y + set->bottom && y + set->bottom < Tp) ||
                             (Bp < y + set->top && y + set->top <= B);
        if (crossed) SpawnEnemy(static_cast<int>(i));
    }
    spawnCamera = now;
}

GameObject* StageFlow::SpawnEnemy(int index) {
    const std::string type = world->stage.enemyPlacements[index].typeName;
    GameObject* enemy = world->CreateObjectInCategory(type, 0, "Enemies");
    EnemyPlacement& placement = world->stage.enemyPlacements[index];
    enemy->placementIndex = index;
    placement.spawned = true;
    enemy->position = placement.position;
    enemy->dieOnWall = false;
    enemy->gravity = true;

    // Straight down onto the ground below the placement.
    enemy->airborne = 1;
    enemy->velocity = Vector2(0.0f, kEnemyDropSpeed);
    const std::string failure =
        "The enemy " + type + " at (" + std::to_string(static_cast<int>(placement.position.x)) +
        ", " + std::to_string(static_cast<int>(placement.position.y)) + ") did not land";
    StepLimit drop(failure.c_str());
    while (enemy->airborne != 0 && drop.Next()) {
        CollideFloor(*world, *enemy);
        CollideCeiling(*world, *enemy);
        CollideRightWall(*world, *enemy);
        CollideLeftWall(*world, *enemy);
        enemy->position += enemy->velocity;
    }
    return enemy;
}
