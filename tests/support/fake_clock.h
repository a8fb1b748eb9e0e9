// A clock a test turns by hand, in place of the system's while it lives.
#pragma once
#include "contract/clock.h"

class FakeClock final : public Clock {
public:
    explicit FakeClock(DWORD startTick = 1000000, int32_t startSeconds = 1700000000)
        : tick(startTick), seconds(startSeconds) {
        useClock(this);
    }
    ~FakeClock() { useClock(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    DWORD ticks() override { return tick; }
    int32_t calendarSeconds() override {
        const int32_t now = seconds;
        seconds += secondsPerRead;
        return now;
    }
    void advance(DWORD ms) { tick += ms; }

    DWORD tick;
    int32_t seconds;
    // Each read of the calendar moves it on by this much afterwards.
    int32_t secondsPerRead = 0;
};
