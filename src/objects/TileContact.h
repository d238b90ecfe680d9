// TileContact: tile collision for an object, and what an object does when it
// meets the tiles. Landing clears `dashJump` and, from the air, turns a wall
// slide round and shows "Land" (or "Walk" when the object moves into free
// space); the hero ("Rook") says "CHAKU" as it touches down. A wall the
// object moves into stops it and ends its dash (EndDash); `freeLeft` and
// `freeRight` remember whether a wall is beside it. Hitting a ceiling ends a
// wall state.
#pragma once

class World;
struct GameObject;

// The hero's name: the object the landing sound belongs to.
constexpr const char* kHeroName = "Rook";

bool CollideFloor(World& world, GameObject& o);
bool CollideCeiling(World& world, GameObject& o);
bool CollideRightWall(World& world, GameObject& o);
bool CollideLeftWall(World& world, GameObject& o);

// Ends a dash: dashTimer 0, speed back to walkSpeed, and a running "Dash"
// animation turns into "DashEnd" with the brake sound. Any object pushed back
// out of a wall sideways gets it, so running into a wall ends a dash.
void EndDash(World& world, GameObject& o);
