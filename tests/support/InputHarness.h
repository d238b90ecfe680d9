// InputHarness: recorded input for the real game frame. A script of key,
// joystick and window events by frame drives RunGameFrame (event pump
// included) through an EventSource queue, with rand() seeded once, and each
// frame's state is captured for tests; the replay tool feeds the same
// scripts to the real program under Xvfb.
//
// Script format, one instruction a line; "#" starts a remark:
//   seed 7                     srand(7) once, before the first frame (default 1)
//   frames 300                 how long a replay runs (default: the last frame named)
//   frame 12 press right       queued before frame 12 runs (the first frame is 1)
//   frame 40 release right     a key by its input.cfg name ("left ctrl", "z", "escape")
//   frame 40 press keyjump     or by its binding: the lowest key bound to Jump
//   frame 41 press joyjump     a joystick button by its binding, or "button 2"
//   frame 50 stick -20000      joystick axis 0; "axis 1 300" for any axis
//   frame 90 quit              the window's close button
//   frame 60 state             replay: print the state line after frame 60
//   frame 60 screenshot a.png  replay: save the picture of frame 60
//   frame 60 pixels 8 16 2 3   replay: print the colours of the 2 x 3 pixels
//                              from (8, 16), screen pixels from the top left
//   frame 60 objects Enemies   replay: print the names and positions of a list
// Events are delivered exactly as SDL would queue them: while the stage flow
// keeps input off they wait in the queue and arrive together once it is on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/SoundCache.h"
#include "objects/Vector2.h"
#include "player/EventPump.h"

struct Game;
class InputBindings;
struct AnimationSet;

struct ScriptedEvent {
    enum class Kind { Key, Button, Axis, Quit };
    Kind kind = Kind::Key;
    bool down = false;    // Key, Button: press or release
    int code = -1;        // key symbol, button or axis; -1: take it from `binding`
    std::string binding;  // "keyjump", "joydash", ...: resolved against the game's bindings
    int value = 0;        // Axis
};

struct ScriptReport {
    std::string kind;      // "state", "screenshot", "pixels" or "objects"
    std::string argument;  // screenshot: the file; objects: the category
    int x = 0, y = 0, width = 0, height = 0;  // pixels: the screen rectangle
};

struct InputScript {
    unsigned seed = 1;
    int frames = 0;
    std::map<int, std::vector<ScriptedEvent>> events;  // by frame
    std::map<int, std::vector<ScriptReport>> reports;  // by frame

    // The last frame an instruction names, or `frames` when that is set.
    int Length() const;
};

// Parses one event ("press right", "release keyjump", "stick 20000", "quit").
bool ParseScriptedEvent(const std::string& text, ScriptedEvent& event, std::string& error);

// Parses a whole script; error names the line ("line 3: ...").
bool ParseInputScript(const std::string& text, InputScript& script, std::string& error);

// Queues the script's events for frame, resolving binding names; a binding
// no key or button drives is skipped with one line on standard output.
void QueueFrameEvents(const InputScript& script, int frame, const InputBindings& bindings,
                      EventSource& events);

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

    int Objects(const std::string& category) const;
    // True when the frame requested this sound file on this channel.
    bool Played(const std::string& name, int channel) const;
};

// The name of the set's current animation, "" when it has none.
std::string AnimationName(const AnimationSet& anim);

// The game's state now, with the given sounds.
FrameState CaptureFrameState(const Game& game, std::vector<SoundRequest> sounds);

// One line: "frame 12 pos 64.00,132.00 vel 2.00,0.00 anim Walk ... | Player 1 | sounds ...
// | stage Foundry phase 0 fade 0.00 input 1".
std::string FormatFrameState(const FrameState& state);

class InputHarness {
public:
    // Seeds rand() with the script's seed and takes over the World's sound log.
    explicit InputHarness(Game& game, InputScript script = InputScript());
    ~InputHarness();
    InputHarness(const InputHarness&) = delete;
    InputHarness& operator=(const InputHarness&) = delete;

    // Runs the next frame with the script's events for it and then `extra`,
    // events separated by ", " ("press keyjump, press keydash"). A bad event
    // fails the running test.
    FrameState Step(const std::string& extra = "");

    // Runs frames until the script's length (or count frames), stopping after
    // a frame that quits.
    std::vector<FrameState> Run(int count = -1);

    // The frame that ran last: the game's frame counter.
    int frame() const;

    EventSource events = EventSource::Queue();

private:
    Game& game_;
    InputScript script_;
    std::vector<SoundRequest> log_;
    std::vector<SoundRequest>* previousLog_;
};
