// HeroController: the hero's per-frame rules, in two halves around the object
// update (which applies gravity, moves the hero and runs its tile collision).
//
// UpdateHeroControls, before the update: the horizontal speed from the held
// directions and the stick, the dash countdown, its animation, speed curve,
// sound and effects, the after-images, the fire pose, the wall slide and wall
// kick motion, the auto-recharge. UpdateHeroAnimation, after the update and
// the stage-flow step: animations that end, standing still, sticking to a
// wall, falling, and the life gauge's values. The main loop runs both only
// while the hero's hurtTimer is below 58 and the game is not frozen.
//
// Effect objects are created with palette row -1 (drawn as they are) and
// never die on walls: "DashSmoke", "SlideSpark", "SlideSmoke" in "PlayerFX",
// "DashThruster" in "PlayerFXBack", and the after-image "CopyRook" in
// "PlayerBGFX" with palette row 0, every 4th frame of the frame counter.
#pragma once

struct GameState;

void UpdateHeroControls(GameState& game);
void UpdateHeroAnimation(GameState& game);
