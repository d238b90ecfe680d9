#include "app/FramePacer.h"

#include <chrono>
#include <thread>

bool FramePacer::StartFrameIfDue(int now, int frameThreshold) {
    if (!vsyncPaced && now - lastFrameTime <= frameThreshold) return false;
    lastFrameTime = now;
    return true;
}

int FramePacer::SleepBeforeNextPass(int now, int frameThreshold) const {
    if (vsyncPaced) return 0;
    const int remaining = lastFrameTime + frameThreshold + 1 - now;
    return remaining > kSpinMilliseconds ? remaining - kSpinMilliseconds : 0;
}

MonotonicClock::MonotonicClock() {
    clock_gettime(CLOCK_MONOTONIC, &start_);
}

int MonotonicClock::Now() const {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns =
        (now.tv_sec - start_.tv_sec) * 1000000000LL + (now.tv_nsec - start_.tv_nsec);
    return static_cast<int>(ns / 1000000LL);
}

void MonotonicClock::Sleep(int milliseconds) const {
    // Sleeps on through signals; no wait for 0 or less.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
