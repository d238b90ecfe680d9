// Hero movement: the numbers of the hero's walking, jumping, dashing and wall
// rules, the dash speed curve and EndDash. The event reactions that use them
// are in HeroActions, the per-frame rules in HeroController.
//
// All values are in pixels and frames. A dash runs 47 frames: five of
// wind-up without motion, then a burst of 6.6 pixels a frame that decays to
// the cruise speed and brakes (DashCurveSpeed); EndDash is every object's
// (objects/TileContact.h). wallState is 11 while the
// hero slides down a wall and counts 10 ... 1 through a wall kick (10) or
// letting go of a wall (4); while it counts, the hero keeps its direction and
// only remembers the last direction asked for.
#pragma once

#include "objects/TileContact.h"  // EndDash
#include "player/HeroState.h"

constexpr float kJumpSpeed = -6.0f;
constexpr float kBeginWalkSpeed = 0.5f;  // during "BeginWalk"
constexpr int kDashLength = 47;
constexpr int kDashStartTimer = 46;  // the dash's first frame: its sound
constexpr int kDashBurstTimer = 41;  // its first moving frame: the thruster
constexpr int kDashBrakeTimer = 12;  // below this the dash brakes ("DashEnd")
constexpr float kWallSlideSpeed = 1.4f;
constexpr int kLastStillSlideFrame = 2;  // the slide holds still on frames 0 to 2


constexpr int kAfterImageRhythm = 4;  // an after-image every 4th frame

// The ground-dash speed for dashTimer (after its countdown), given the
// speed of the frame before:
//   47 ... 42  0 (wind-up)         41  6.6
//   40 ... 29  previous - 0.2      28 ... 10  4.133333
//    9         3.98                 8 ... 1  previous - 0.2
float DashCurveSpeed(int dashTimer, float previous);
