// EnemySpawner: spawns the stage's enemy placements whose hit-box edge
// crossed into the view (plus a 12-pixel margin) since the last step, each
// dropped straight onto the ground below it. A placement is spawned once
// until its enemy dies (the death pass frees it again).
#pragma once

#include "core/Vector2.h"
#include "stage/StageMap.h"

class World;
struct GameObject;

struct EnemySpawner {
    // The camera as the spawner saw it last; taken from the camera on the
    // first run after a stage begins, so that a stage switch is no camera
    // movement.
    Vector2 camera;
    bool cameraKnown = false;
};

void SpawnEnemies(World& world, EnemySpawner& spawner);

// Whether the placement's hit box lies wholly inside the view plus the spawn
// margin around camera: then no edge of it can cross into the view until
// the view has left it (a placement inside the first screen waits).
bool InsideSpawnView(const World& world, const EnemyPlacement& placement, const Vector2& camera);

// Creates placement index's enemy and drops it onto the ground.
GameObject* SpawnEnemy(World& world, int placementIndex);
