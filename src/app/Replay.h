// Replay: a player's run recorded (--record FILE) and played back
// (--play FILE) in the input-script format the tests use (InputScript.h).
//
// A recording starts with a remark, the seed, the opening stage and the
// game data's digest, then every event the game took, by frame and by
// binding, so it plays the same under other bindings. It ends with the
// number of frames the run finished and an "expect" line with the state
// after the last: the hero, the list sizes and the stage flow. Lines are
// written as they come, so a run that crashes leaves its record.
//
// Played back, the run starts in its stage with its seed; a replay whose
// stage (--stage) or data differ is refused with one line. Only Escape, the
// close button and the fullscreen keys are heard while it plays. It ends
// after its last frame, and says whether it ended as recorded.
#pragma once

#include <cstdio>
#include <string>

#include "app/InputScript.h"

struct Game;
struct ProgramHooks;

// A digest of the game's data: every file under data/ (found in any letter
// case) but game.cfg, which holds the player's settings, by its lower-case
// path and its bytes. 16 hex digits; "" when there is no data folder.
std::string DataDigest();

class RunRecorder {
public:
    RunRecorder() = default;
    RunRecorder(const RunRecorder&) = delete;
    RunRecorder& operator=(const RunRecorder&) = delete;
    ~RunRecorder();

    // Creates the file; false with the reason when it cannot.
    bool Open(const std::string& path, std::string& why);
    void Begin(unsigned seed, const std::string& stage, const std::string& digest);
    // An event the game took before `frame` ran; "" records nothing.
    void Event(int frame, const std::string& text);
    // After each frame that ran to its end.
    void FrameDone(const Game& game);
    // The closing lines; the file is closed.
    void Finish();

private:
    std::FILE* file_ = nullptr;
    int frames_ = 0;
    std::string expect_;  // the state after frame frames_, as expectations
};

// The state of the game as "expect" words: every field of the state line but
// the frame number and the sounds, and each list's size.
std::string StateExpectation(const Game& game);

// Reads a replay and checks it against this game (its stage option and data
// digest); false with one line in `why` when it cannot be played.
bool LoadReplay(const std::string& path, const std::string& stageOption, const std::string& digest,
                InputScript& script, std::string& why);

// Hooks that play the script in the real program with its seed and events;
// the run ends after its last frame with one line saying whether it ended as
// recorded. A missed expectation prints its line and clears asRecorded.
void PlayReplay(const InputScript& script, ProgramHooks& hooks, bool& asRecorded);
