#include "app/FramePacer.h"

#include <sys/prctl.h>

#include <cerrno>
#include <chrono>
#include <thread>

bool FramePacer::StartFrameIfDue(int now, int frameThreshold) {
    if (!vsyncPaced && now - lastFrameTime <= frameThreshold) return false;
    lastFrameTime = now;
    return true;
}

int FramePacer::NextFrameAt(int frameThreshold) const {
    return vsyncPaced ? 0 : lastFrameTime + frameThreshold + 1;
}

MonotonicClock::MonotonicClock() {
    clock_gettime(CLOCK_MONOTONIC, &start_);
    // Linux lets a sleep of this thread overrun by 50 us unless told
    // otherwise; a frame's deadline wants it woken on time.
    prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
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

void MonotonicClock::SleepUntil(int milliseconds, int spinMicroseconds) const {
    const long long ns = static_cast<long long>(start_.tv_sec) * 1000000000LL + start_.tv_nsec +
                         milliseconds * 1000000LL - spinMicroseconds * 1000LL;
    const timespec deadline{static_cast<time_t>(ns / 1000000000LL), static_cast<long>(ns % 1000000000LL)};
    // Absolute: a signal that interrupts the sleep does not stretch it.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}
