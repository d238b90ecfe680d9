// InputHarness: events in the input scripts' words (app/InputScript.h)
// driving the real game frame, event pump included, with each frame's state
// captured for tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/InputScript.h"
#include "app/StateLine.h"

struct Game;

// StateMismatch (app/StateLine.h) as a test assertion.
::testing::AssertionResult Shows(const FrameState& s, const std::string& expect);

// One step of a scenario: frames to run (events on the first of them), then
// the expectations the last one's state line must show.
struct Beat {
    int frames;
    const char* events;
    const char* expect;
};

class InputHarness {
public:
    // Seeds the random draws with 1 and takes over the World's sound log.
    explicit InputHarness(Game& game);
    ~InputHarness();
    InputHarness(const InputHarness&) = delete;
    InputHarness& operator=(const InputHarness&) = delete;

    // Runs the next frame with `extra`'s events, in the input script's words
    // and separated by ", " ("press keyjump, press keydash"). A bad event
    // fails the running test.
    FrameState Step(const std::string& extra = "");

    // Plays the beats in order; a failure names the beat and the line.
    void Play(const std::vector<Beat>& beats);

    // Appends every frame's sound requests to all as well.
    void CaptureSounds(std::vector<SoundRequest>* all) { all_ = all; }
    // Passes on to that log what was requested since, between frames too.
    void Flush();

    EventSource events = EventSource::Queue();

private:
    Game& game_;
    std::vector<SoundRequest> log_;
    std::vector<SoundRequest>* previousLog_;
    std::vector<SoundRequest>* all_ = nullptr;
    size_t counted_ = 0;  // entries of log_ already passed on
};
