// The plug-in's one clock: the tick count (milliseconds, as GetTickCount)
// that expiry, the growing animation and the description hold-back run on,
// and the calendar seconds (as time) of the networks' own reports. The
// plug-in reads the time only here; a test puts a clock of its own in place.
#pragma once
#include <windows.h>
#include <stdint.h>

class Clock {
public:
    virtual DWORD ticks() = 0;
    virtual int32_t calendarSeconds() = 0;

protected:
    ~Clock() = default;
};

// The clock in use: the system's, unless useClock put another in place.
Clock& currentClock();
// Null puts the system's clock back.
void useClock(Clock* clock);

inline DWORD currentTick() { return currentClock().ticks(); }
inline int32_t calendarNow() { return currentClock().calendarSeconds(); }
