// The pacing rule, driven by a fake clock: each pass of the loop either
// starts a frame or sleeps what the pacer asks (a spinning pass costs the
// fake clock 1 ms), so frame start times and sleeps can be checked exactly.
#include "app/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/VerticalSync.h"

namespace {

struct PacedRun {
    std::vector<int> frameStarts;
    std::vector<int> sleeps;
    int spinPasses = 0;
};

PacedRun RunPasses(FramePacer& pacer, int threshold, int startTime, int endTime) {
    PacedRun run;
    for (int now = startTime; now < endTime;) {
        if (pacer.StartFrameIfDue(now, threshold)) {
            run.frameStarts.push_back(now);
            continue;  // the frame itself takes no fake time
        }
        const int sleep = pacer.SleepBeforeNextPass(now, threshold);
        if (sleep > 0) run.sleeps.push_back(sleep);
        else ++run.spinPasses;
        now += sleep > 0 ? sleep : 1;
    }
    return run;
}

}  // namespace

TEST(FramePacer, FramesStartOneMillisecondAfterTheThreshold) {
    FramePacer pacer;
    PacedRun run = RunPasses(pacer, 20, 0, 100);
    EXPECT_EQ(run.frameStarts, (std::vector<int>{21, 42, 63, 84}));
    EXPECT_EQ(run.sleeps, (std::vector<int>{19, 19, 19, 19, 19})) << "then spins the last 2";
    EXPECT_EQ(run.spinPasses, 8);

    pacer.lastFrameTime = 100;
    const int sleeps[][2] = {{100, 19}, {117, 2}, {118, 1}, {119, 0}, {120, 0}};
    for (const auto& s : sleeps) EXPECT_EQ(pacer.SleepBeforeNextPass(s[0], 20), s[1]) << s[0];
    EXPECT_FALSE(pacer.StartFrameIfDue(120, 20)) << "20 ms is not more than 20";
    EXPECT_TRUE(pacer.StartFrameIfDue(121, 20));
}

TEST(FramePacer, ALateFrameRunsOnceAndNothingIsCaughtUp) {
    FramePacer pacer;
    pacer.lastFrameTime = 0;
    EXPECT_TRUE(pacer.StartFrameIfDue(95, 20));
    EXPECT_FALSE(pacer.StartFrameIfDue(100, 20));
    EXPECT_EQ(RunPasses(pacer, 20, 96, 160).frameStarts, (std::vector<int>{116, 137, 158}));
}

TEST(FramePacer, ThresholdsFromTheDebugKeysAndVerticalSync) {
    FramePacer zero;
    EXPECT_EQ(RunPasses(zero, 0, 0, 5).frameStarts, (std::vector<int>{1, 2, 3, 4}));
    FramePacer slow;
    EXPECT_EQ(RunPasses(slow, 40, 0, 130).frameStarts, (std::vector<int>{41, 82, 123}));
    // Below zero, or paced by vertical sync, every pass starts a frame.
    FramePacer negative;
    negative.lastFrameTime = 10;
    EXPECT_TRUE(negative.StartFrameIfDue(10, -1));
    EXPECT_TRUE(negative.StartFrameIfDue(10, -21));
    EXPECT_EQ(negative.SleepBeforeNextPass(10, -1), 0);
    FramePacer synced;
    synced.vsyncPaced = true;
    EXPECT_TRUE(synced.StartFrameIfDue(5, 20));
    EXPECT_TRUE(synced.StartFrameIfDue(5, 20));
    EXPECT_EQ(synced.SleepBeforeNextPass(5, 20), 0);

    EXPECT_TRUE(VerticalSyncPaces(true, 60));
    EXPECT_TRUE(VerticalSyncPaces(true, 50));
    EXPECT_FALSE(VerticalSyncPaces(true, 75));
    EXPECT_FALSE(VerticalSyncPaces(true, 0));
    EXPECT_FALSE(VerticalSyncPaces(false, 60));
}

TEST(MonotonicClock, NeverGoesBack) {
    MonotonicClock clock;
    int previous = clock.Now();
    EXPECT_GE(previous, 0);
    for (int i = 0; i < 1000; ++i) {
        const int now = clock.Now();
        EXPECT_GE(now, previous);
        previous = now;
    }
}
