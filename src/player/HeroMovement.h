// Hero movement: the hero's walking, jumping, dashing and wall rules.
#pragma once

class World;
struct GameObject;

// Ends a dash: dashTimer 0, speed back to walkSpeed, and a running "Dash"
// animation turns into "DashEnd" with the brake sound. Tile collision calls it
// for every object it pushes back out of a wall sideways.
void EndDash(World& world, GameObject& o);
