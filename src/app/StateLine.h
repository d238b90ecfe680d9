// StateLine: the game's observable state after a frame, as a struct for
// tests and as the one-line text the replay tool prints for "state" frames.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/SoundCache.h"
#include "core/Vector2.h"

struct Game;
struct AnimationSet;

// One line: "frame 12 objects Enemies Walker@496.00,352.00 Turret@816.00,320.00",
// the list's objects in their order, positions of their frames' top-left corners.
std::string FormatObjectList(const Game& game, const std::string& category);

// The hero's and the objects' state after a frame.
struct FrameState {
    int frame = 0;
    bool running = true;  // false: the frame asked to quit
    Vector2 position;
    Vector2 velocity;
    std::string animation;
    int animationFrame = 0;
    int direction = 0;
    int airborne = 0;
    float speed = 0.0f;
    int dashTimer = 0;
    bool dashJump = false;
    int wallState = 0;
    int counter = 0;
    int fireTimer = 0;
    int paletteRow = 0;
    float health = 0.0f;
    float gauge = 0.0f;  // the life gauge's lagging red bar
    int hurtTimer = 0;
    bool visible = false;
    std::map<std::string, int> objects;  // non-empty category lists: their sizes
    std::vector<SoundRequest> sounds;    // requested during the frame, in order
    // The stage flow: the stage loaded last, the opening's phase, the fade
    // (0 clear to 1 black) and whether the hero takes input.
    std::string stage;
    int phase = 0;
    float fade = 0.0f;
    bool inputEnabled = false;
    bool frozen = false;  // the life refill holds the game
};

// The name of the set's current animation, "" when it has none.
std::string AnimationName(const AnimationSet& anim);

// The game's state now, with the given sounds.
FrameState CaptureFrameState(const Game& game, std::vector<SoundRequest> sounds);

// One line: "frame 12 pos 64.00,132.00 vel 2.00,0.00 anim Walk ... | Player 1 | sounds ...
// | stage Foundry phase 0 fade 0.00 input 1 frozen 0".
std::string FormatFrameState(const FrameState& state);

// "" when the state line of s shows every expectation of `expect`, else the
// first one it does not show, quoted. Expectations are words separated by
// spaces: "FIELD VALUE" for a field of the line ("dash 41", "vel 6.60,0.00",
// "pos 106.00,?" for one coordinate, "anim Walk" or "anim Walk:3"),
// "visible", "hidden" or "quit", "#CATEGORY N" for a list's size,
// "+SOUND@CHANNEL" for a sound requested during the frame (loops, if any,
// after an "x") and "-SOUND" for one not requested on any channel.
std::string StateMismatch(const FrameState& s, const std::string& expect);
