// HeroShooting: the hero's cannon. A fire press shoots at once (level 1) and
// starts the charge counter; a release after 25 frames of holding fires a
// level 2 shot, after 90 frames a level 3 shot, followed by a 15-frame
// cool-down in which presses are ignored.
//
// `counter` (advanced by the object update while it is not 0):
//    0 idle     1 ... 24 charging     25 ... 89 level 2 ready
//   90 ... level 3 ready              -15 ... -1 cool-down
// The shot itself is not made here: HeroFire creates a muzzle object that
// carries the weapon index and level, and the muzzle's script calls
// FireWeapon. The fire pose swaps only the hero's texture names for those of
// "Player\Rook Fire" for a few frames; frames, timing and the animation stay
// those of the hero's own set.
#pragma once

struct GameState;
struct GameObject;

constexpr int kChargeLevel2 = 25;
constexpr int kChargeLevel3 = 90;
constexpr int kChargeCoolDown = -15;

// The shot level the counter stands for: 1, 2 or 3.
int ShotLevel(int counter);

// One shot of the given weapon at the level `counter` stands for.
void HeroFire(GameState& game, int weaponIndex);

// Fire press and release of Attack1 (the current weapon) or Attack2 (weapon 0).
void OnFirePressed(GameState& game, int weaponIndex);
void OnFireReleased(GameState& game, int weaponIndex);

// Steps currentWeapon by step with wrap-around; index 1 is never chosen.
void ChangeWeapon(GameObject& hero, int step);

// Controller rules, each frame: holding Attack1 restarts the charge once the
// counter is back at 0; the fire pose countdown.
void AutoRecharge(GameState& game);
void UpdateFirePose(GameState& game);

// After the animation half, also while hurt: the orb's look, the hero's
// charge flashing and the charge sounds on channel 1.
void UpdateChargeDisplay(GameState& game);
