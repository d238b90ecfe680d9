// FramePacer: when the main loop starts a game frame.
//
// A frame is due at the first pass on which more than `frameThreshold`
// milliseconds have passed since the last frame started (21 ms apart with the
// default 20); a late frame runs once, never twice, and nothing is caught up.
// With vertical-sync pacing every pass runs a frame and the buffer swap sets
// the pace. Between frames the loop sleeps to an absolute deadline on the
// monotonic clock, kSpinMicroseconds before the frame is due, and spins only
// that last stretch: the waiting game keeps no processor core busy, and a
// sleep that wakes a little late still lets the frame start on its due
// millisecond. The clock's thread asks Linux for a timer slack of 1 us
// (instead of 50), so that the sleep ends close to its deadline.
//
// Times are milliseconds of a monotonic clock counted from start-up
// (MonotonicClock); the rule itself takes the time as an argument so that it
// can be driven by any clock.
#pragma once

#include <ctime>

struct FramePacer {
    static constexpr int kSpinMicroseconds = 100;

    bool vsyncPaced = false;
    int lastFrameTime = 0;  // start of the last frame that ran

    // Steps 2 to 4 of a pass: true when a frame starts now, which becomes the
    // last frame's start time.
    bool StartFrameIfDue(int now, int frameThreshold);

    // The first millisecond at which the next frame is due (with vertical
    // sync: at once, 0).
    int NextFrameAt(int frameThreshold) const;
};

// Wall time in milliseconds since the clock was made (CLOCK_MONOTONIC, so
// neither processor load nor changes of the system time affect it).
class MonotonicClock {
public:
    MonotonicClock();
    int Now() const;
    void Sleep(int milliseconds) const;
    // Sleeps until `spinMicroseconds` before the clock reads `milliseconds`;
    // at once when that has passed.
    void SleepUntil(int milliseconds, int spinMicroseconds) const;

private:
    timespec start_;
};
