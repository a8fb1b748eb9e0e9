// The plug-in's one clock: the tick count (milliseconds, as GetTickCount)
// that expiry, the growing animation, the description hold-back and the
// listeners' time budget run on, and the calendar seconds (as time) of the
// networks' own reports. The plug-in reads the time only here; a test puts a
// clock of its own in place. Waits the system does itself (the real-time
// timeout of a copy sent to a listener) still pass in real time.
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
