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
    int now = startTime;
    while (now < endTime) {
        if (pacer.StartFrameIfDue(now, threshold)) {
            run.frameStarts.push_back(now);
            continue;  // the frame itself takes no fake time
        }
        const int sleep = pacer.SleepBeforeNextPass(now, threshold);
        if (sleep > 0) {
            run.sleeps.push_back(sleep);
            now += sleep;
        } else {
            ++run.spinPasses;
            ++now;
        }
    }
    return run;
}

}  // namespace

TEST(FramePacer, FramesStartOneMillisecondAfterTheThreshold) {
    FramePacer pacer;
    PacedRun run = RunPasses(pacer, 20, 0, 100);
    EXPECT_EQ(run.frameStarts, (std::vector<int>{21, 42, 63, 84}));
    // Each wait sleeps 19 ms, then spins the last 2.
    EXPECT_EQ(run.sleeps, (std::vector<int>{19, 19, 19, 19, 19}));
    EXPECT_EQ(run.spinPasses, 8);
    EXPECT_EQ(pacer.lastFrameTime, 84);
}

TEST(FramePacer, SleepLeavesTheLastTwoMillisecondsToSpin) {
    FramePacer pacer;
    pacer.lastFrameTime = 100;
    EXPECT_EQ(pacer.SleepBeforeNextPass(100, 20), 19);
    EXPECT_EQ(pacer.SleepBeforeNextPass(117, 20), 2);
    EXPECT_EQ(pacer.SleepBeforeNextPass(118, 20), 1);
    EXPECT_EQ(pacer.SleepBeforeNextPass(119, 20), 0);
    EXPECT_EQ(pacer.SleepBeforeNextPass(120, 20), 0);
    EXPECT_FALSE(pacer.StartFrameIfDue(120, 20)) << "20 ms is not more than 20";
    EXPECT_TRUE(pacer.StartFrameIfDue(121, 20));
}

TEST(FramePacer, ALateFrameRunsOnceAndNothingIsCaughtUp) {
    FramePacer pacer;
    pacer.lastFrameTime = 0;
    EXPECT_TRUE(pacer.StartFrameIfDue(95, 20));
    EXPECT_FALSE(pacer.StartFrameIfDue(95, 20));
    EXPECT_FALSE(pacer.StartFrameIfDue(100, 20));
    PacedRun run = RunPasses(pacer, 20, 96, 160);
    EXPECT_EQ(run.frameStarts, (std::vector<int>{116, 137, 158}));
}

TEST(FramePacer, ThresholdsFromTheDebugKeys) {
    FramePacer zero;
    EXPECT_EQ(RunPasses(zero, 0, 0, 5).frameStarts, (std::vector<int>{1, 2, 3, 4}));

    // Below zero every pass starts a frame, even within one millisecond.
    FramePacer negative;
    negative.lastFrameTime = 10;
    EXPECT_TRUE(negative.StartFrameIfDue(10, -1));
    EXPECT_TRUE(negative.StartFrameIfDue(10, -1));
    EXPECT_TRUE(negative.StartFrameIfDue(10, -21));
    EXPECT_EQ(negative.SleepBeforeNextPass(10, -1), 0);

    FramePacer slow;
    EXPECT_EQ(RunPasses(slow, 40, 0, 130).frameStarts, (std::vector<int>{41, 82, 123}));
}

TEST(FramePacer, VerticalSyncPacingRunsAFrameOnEveryPass) {
    FramePacer pacer;
    pacer.vsyncPaced = true;
    EXPECT_TRUE(pacer.StartFrameIfDue(5, 20));
    EXPECT_TRUE(pacer.StartFrameIfDue(5, 20));
    EXPECT_EQ(pacer.lastFrameTime, 5);
    EXPECT_EQ(pacer.SleepBeforeNextPass(5, 20), 0);

    EXPECT_TRUE(VerticalSyncPaces(true, 60));
    EXPECT_TRUE(VerticalSyncPaces(true, 50));
    EXPECT_FALSE(VerticalSyncPaces(true, 75));
    EXPECT_FALSE(VerticalSyncPaces(true, 0));
    EXPECT_FALSE(VerticalSyncPaces(false, 60));
}

TEST(MonotonicClock, CountsFromItsCreationAndNeverGoesBack) {
    MonotonicClock clock;
    int previous = clock.Now();
    EXPECT_GE(previous, 0);
    for (int i = 0; i < 1000; ++i) {
        const int now = clock.Now();
        EXPECT_GE(now, previous);
        previous = now;
    }
}
