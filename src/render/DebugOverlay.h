// DebugOverlay: debug key 7, drawn over the normal frame in outlines one
// pixel wide: the main layer's colliding cells (grey solid, cyan any other
// state), the camera zones (magenta), the enemy placements by the hit box
// of their type (yellow, olive once spawned) and every object's hit box in
// its category's colour (the hero white, enemies red, their shots orange,
// the hero's shots cyan, items green, effects in blues and pinks, "Misc"
// grey). Nothing in the game changes.
#pragma once

#include "core/Vector2.h"

class World;

// Needs a GL context; draws in world coordinates around camera and leaves the
// screen projection set.
void DrawDebugOverlay(const World& world, const Vector2& camera);
