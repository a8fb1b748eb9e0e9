// The window's settings, cached each time the look is reset: the queue's
// delay, wait-for-click rule and limit, and placement's animation switch.
#pragma once

struct WindowSettings {
    int delay;         // ms, never 0
    int animation;
    int waitForClick;
    int limit;         // lines, <= 0 no limit
};
extern WindowSettings windowSettings;

// Reads them from the host's settings; a stored delay of 0 becomes 2000 and
// is written back.
void cacheWindowSettings();
