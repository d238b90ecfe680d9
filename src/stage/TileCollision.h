// Tile collision: keeps a body out of solid tiles and lets it walk slopes.
// Each routine probes the hit box at the position the body will have after
// this tick's velocity, corrects position and velocity, and reports contact.
// The object update runs them in the order floor, ceiling, right wall, left
// wall, before the object moves, and applies what an object does on contact
// (objects/TileContact.h).
#pragma once

#include "core/Vector2.h"

struct StageMap;

// What tile collision reads and moves of an object.
struct TileBody {
    Vector2 position;  // the frame's top-left corner
    Vector2 velocity;
    int left = 0, top = 0, right = 0, bottom = 0;  // hit box, pixels from position
    int airborne = 0;  // nonzero in the air; cleared on landing, set when nothing holds it
    bool onSlope = false;
    bool gravity = false;
    // CollideFloor: a probe met ground while airborne was 1 (the landing pose's cue).
    bool touchedDown = false;
};

// True when the body stands on ground after the call (it landed or stays).
bool CollideFloor(const StageMap& stage, TileBody& body);
bool CollideCeiling(const StageMap& stage, TileBody& body);

// A wall routine's finding: no wall, a wall beside the body, or a wall the
// body moved into and was pushed back out of (its horizontal speed is 0).
enum class WallContact { None, Beside, PushedOut };
WallContact CollideRightWall(const StageMap& stage, TileBody& body);
WallContact CollideLeftWall(const StageMap& stage, TileBody& body);
