// Tile collision: keeps an object out of solid tiles and lets it walk slopes.
// Each routine probes the hit box at the position the object will have after
// this tick's velocity, corrects position and velocity, and reports contact.
// The object update runs them in the order floor, ceiling, right wall, left
// wall, before the object moves.
#pragma once

class World;
struct GameObject;

bool CollideFloor(World& world, GameObject& o);
bool CollideCeiling(World& world, GameObject& o);
bool CollideRightWall(World& world, GameObject& o);
bool CollideLeftWall(World& world, GameObject& o);
