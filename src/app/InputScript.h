// InputScript: recorded input for the real game frame, by frame number. The
// replay tool and the tests feed the same scripts to RunGameFrame through an
// EventSource queue, with the random draws seeded once from the script's seed.
//
// Format, one instruction a line; "#" starts a remark:
//   seed 7                     seeds the draws once, before the first frame (default 1)
//   stage Foundry              a recorded run's opening stage (--play starts there)
//   data 0123456789abcdef      a recorded run's game data (see DataDigest); --play
//                              refuses other data
//   frames 300                 how long a replay runs (default: the last frame named)
//   frame 12 press right       queued before frame 12 runs (the first frame is 1)
//   frame 40 release right     a key by its input.cfg name ("left ctrl", "z", "escape")
//   frame 40 press keyjump     or by its binding: the lowest key bound to Jump
//   frame 40 press keypause    the lowest key of keypause or keymute
//   frame 41 press joyjump     a joystick button by its binding, or "button 2"
//   frame 50 stick -20000      joystick axis 0; "axis 1 300" for any axis
//   frame 55 hat 8             the joystick hat: 1 up, 2 right, 4 down, 8 left, 0 centred
//   frame 56 focus lost        the window loses input focus ("focus gained")
//   frame 90 quit              the window's close button
//   frame 60 state             replay: print the state line after frame 60
//   frame 60 screenshot a.png  replay: save the picture of frame 60
//   frame 60 window a.png      replay: save the whole window as shown (scaled)
//   frame 60 pixels 8 16 2 3   replay: print the colours of the 2 x 3 pixels
//                              from (8, 16), screen pixels from the top left
//   frame 60 objects Enemies   replay: print the names and positions of a list
//   frame 60 expect dash 41    replay: the state line must show these values
//                              (see StateMismatch); a run that misses one fails
// Events are delivered exactly as SDL would queue them: while the stage flow
// keeps input off they wait in the queue and arrive together once it is on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/EventPump.h"

class InputBindings;

struct ScriptedEvent {
    enum class Kind { Key, Button, Axis, Hat, Focus, Quit };
    Kind kind = Kind::Key;
    bool down = false;    // Key, Button: press or release
    int code = -1;        // key symbol, button or axis; -1: take it from `binding`
    std::string binding;  // "keyjump", "joydash", ...: resolved against the game's bindings
    int value = 0;        // Axis; Hat: its bits; Focus: 1 gained
};

struct ScriptReport {
    std::string kind;      // "state", "screenshot", "window", "pixels", "objects" or "expect"
    std::string argument;  // screenshot: the file; objects: the category; expect: its words
    int x = 0, y = 0, width = 0, height = 0;  // pixels: the screen rectangle
};

struct InputScript {
    unsigned seed = 1;
    std::string stage;  // "": any
    std::string data;   // "": any
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

// The script's words for an event the game took ("press keyjump", "stick
// -20000"), by binding where one drives it, so that a run plays the same
// under other bindings; "" for what a replay does not need: Escape, the
// close button, the fullscreen keys and keys and buttons that drive nothing.
std::string ScriptEventText(const SDL_Event& event, const InputBindings& bindings);

// Queues the script's events for frame, resolving binding names; a binding
// no key or button drives is skipped with one line on standard output.
void QueueFrameEvents(const InputScript& script, int frame, const InputBindings& bindings,
                      EventSource& events);
