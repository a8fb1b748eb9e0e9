#include "clock.h"
#include <time.h>

namespace {
class SystemClock final : public Clock {
public:
    DWORD ticks() override { return GetTickCount(); }
    int32_t calendarSeconds() override { return (int32_t)time(nullptr); }
};
SystemClock systemClock;
Clock* inUse = &systemClock;
}  // namespace

Clock& currentClock() { return *inUse; }
void useClock(Clock* clock) { inUse = clock ? clock : &systemClock; }
