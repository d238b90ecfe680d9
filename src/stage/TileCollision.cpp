#include "stage/TileCollision.h"

#include "objects/World.h"

// Not built yet: nothing collides.
bool CollideFloor(World&, GameObject&) { return false; }
bool CollideCeiling(World&, GameObject&) { return false; }
bool CollideRightWall(World&, GameObject&) { return false; }
bool CollideLeftWall(World&, GameObject&) { return false; }
