#include "player/EnemySpawner.h"

#include <cmath>
#include <string>

#include "core/StepLimit.h"
#include "objects/TileContact.h"
#include "objects/World.h"

namespace {

// The view plus a 12-pixel margin, and how near the camera a placement must
// lie to be looked at at all.
constexpr float kSpawnHalfWidth = 172.0f;
constexpr float kSpawnHalfHeight = 132.0f;
constexpr float kSpawnReachX = 320.0f;
constexpr float kSpawnReachY = 240.0f;
constexpr float kEnemyDropSpeed = 4.0f;

}  // namespace

bool InsideSpawnView(const World& world, const EnemyPlacement& placement, const Vector2& camera) {
    const AnimationSet* set = world.animationSets.Find("Enemies\\" + placement.typeName);
    if (!set || set->imageSize.x <= 0.0f) return false;  // it never spawns anyway
    const Vector2 at = placement.position;
    return camera.x - kSpawnHalfWidth <= at.x + set->left && at.x + set->right <= camera.x + kSpawnHalfWidth &&
           camera.y - kSpawnHalfHeight <= at.y + set->top && at.y + set->bottom <= camera.y + kSpawnHalfHeight;
}

void SpawnEnemies(World& world, EnemySpawner& spawner) {
    const Vector2 now = world.camera;
    if (!spawner.cameraKnown) {
        spawner.camera = now;
        spawner.cameraKnown = true;
    }
    const Vector2 was = spawner.camera;
    const float L = now.x - kSpawnHalfWidth, R = now.x + kSpawnHalfWidth;
    const float T = now.y - kSpawnHalfHeight, B = now.y + kSpawnHalfHeight;
    const float Lp = was.x - kSpawnHalfWidth, Rp = was.x + kSpawnHalfWidth;
    const float Tp = was.y - kSpawnHalfHeight, Bp = was.y + kSpawnHalfHeight;

    // By index: an enemy's Create hook runs in the middle of the walk.
    for (size_t i = 0; i < world.stage.enemyPlacements.size(); ++i) {
        const EnemyPlacement& placement = world.stage.enemyPlacements[i];
        if (placement.spawned) continue;
        const float x = placement.position.x;
        const float y = placement.position.y;
        if (!(std::fabs(x - now.x) < kSpawnReachX && std::fabs(y - now.y) < kSpawnReachY)) continue;
        // A set that is not loaded, or whose sheet could not be read, has no
        // hit box to cross the view with: such an enemy never spawns.
        const AnimationSet* set = world.animationSets.Find("Enemies\\" + placement.typeName);
        if (!set || set->imageSize.x <= 0.0f) continue;
        const bool crossed = (L <= x + set->right && x + set->right < Lp) ||
                             (Rp < x + set->left && x + set->left <= R) ||
                             (T <= y + set->bottom && y + set->bottom < Tp) ||
                             (Bp < y + set->top && y + set->top <= B);
        if (crossed) SpawnEnemy(world, static_cast<int>(i));
    }
    spawner.camera = now;
}

GameObject* SpawnEnemy(World& world, int index) {
    const std::string type = world.stage.enemyPlacements[index].typeName;
    GameObject* enemy = world.CreateObjectInCategory(type, 0, Category::Enemies);
    EnemyPlacement& placement = world.stage.enemyPlacements[index];
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
        CollideFloor(world, *enemy);
        CollideCeiling(world, *enemy);
        CollideRightWall(world, *enemy);
        CollideLeftWall(world, *enemy);
        enemy->position += enemy->velocity;
    }
    return enemy;
}
