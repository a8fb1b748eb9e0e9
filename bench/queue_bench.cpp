// One notification through the real window procedure, animation off: the
// add that brings a hidden window into view, and the add followed by its
// expiry. The baseline is the sum of the calls the path must make, each
// timed alone in the same situation: composing, putting the window in
// place, showing it and starting the expiry timer (and for the expiry:
// stopping the timer, hiding the window and putting it at its collapsed place).
// Last, the expiry tick with the read of whether a screen saver runs,
// against the same tick without it.
#include <windows.h>
#include <stdio.h>
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "skin/paint.h"
#include "window/window_setup.h"
#include "support/bench_table.h"
#include "support/bench_window.h"
#include "support/skin_scene.h"
#include "support/win_helpers.h"
#include "support/fake_clock.h"
#include "window/notify_window.h"
#include "window/placement.h"
#include "window/window_settings.h"
#include "window/notification_queue.h"
#include "window/private_messages.h"
#include "window/screen_watch.h"

static FakeClock* benchClock;  // the bench turns time on by hand

static const char STATUS_TEXT[] = "<b>Ola<b> jest dostępna";
static HWND window;
static HIMAGELIST icons;
static int iconIndex;

// A status change as the plug-in sends it: one delay long, the host's icon.
static LRESULT addOne() {
    NotificationRequest r = {STATUS_TEXT, nullptr, icons, iconIndex, 1, 0, nullptr, 0};
    return sendPrivateMessage(window, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
}

// Its expiry: the clock passes its time and the expiry timer ticks.
static void expire() {
    benchClock->advance(2 * (DWORD)windowSettings.delay);
    SendMessageA(window, WM_TIMER, EXPIRY_TIMER, 0);
}

// One tick of the expiry timer, posted and taken as the system's are.
static void tickThroughTheQueue() {
    PostMessageA(window, WM_TIMER, EXPIRY_TIMER, 0);
    MSG m;
    while (PeekMessageA(&m, window, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&m);
}

// Back to a hidden, empty window with nothing left to paint.
static void settle() {
    if (!notificationQueue.empty()) expire();
    pumpMessages();
}

int main() {
    StandInHost stand;  // only for its icon image list
    icons = stand.imageList();
    iconIndex = stand.iconIndex(24011);
    FakeClock clock(1000);
    benchClock = &clock;
    window = openBenchWindow(20);
    if (!window) return 1;
    const RECT collapsed = {anchorRight - 10, anchorBottom - 1, anchorRight, anchorBottom};
    auto placeAt = [](const RECT& r) {
        windowRect = r;
        applyWindowRect();
    };
    addOne();
    const RECT full = fullSizeRect();
    settle();

    // Round after round: the two paths, then each part alone in the state
    // the path meets it in (a hidden window at its collapsed place, one line).
    CallTimes addTimes, addExpireTimes, composeTimes, applyTimes, showTimes, timerTimes, killTimes, hideTimes,
        collapseTimes;
    for (int round = 0; round < benchRounds() * 20; round++) {
        addTimes.time(addOne);
        settle();
        addExpireTimes.time([] {
            addOne();
            expire();
        });
        settle();

        addLine(STATUS_TEXT, nullptr, icons, iconIndex);  // the line alone, as the queue keeps it
        composeTimes.time([] { ComposeNotifications(notificationQueue); });
        applyTimes.time([&] { placeAt(full); });
        showTimes.time([] { ShowWindow(window, SW_SHOWNA); });
        timerTimes.time([] { SetTimer(window, EXPIRY_TIMER, 100, nullptr); });
        killTimes.time([] { KillTimer(window, EXPIRY_TIMER); });
        hideTimes.time([] { ShowWindow(window, SW_HIDE); });
        collapseTimes.time([&] { placeAt(collapsed); });
        notificationQueue.clear();
        pumpMessages();
    }
    const double compose = composeTimes.lowerQuartile(), apply = applyTimes.lowerQuartile();
    const double show = showTimes.lowerQuartile(), timer = timerTimes.lowerQuartile();
    const double kill = killTimes.lowerQuartile(), hide = hideTimes.lowerQuartile();
    const double collapse = collapseTimes.lowerQuartile();
    const double add = addTimes.lowerQuartile(), addExpire = addExpireTimes.lowerQuartile();

    const double required = compose + apply + show + timer;
    printRow("add to visible, one notification, animation off", add, required, 1.2);
    printPart("ComposeNotifications of one line", compose);
    printPart("applyWindowRect to the full size", apply);
    printPart("ShowWindow SW_SHOWNA of the hidden window", show);
    printPart("SetTimer of the expiry timer", timer);
    const double expiry = kill + hide + collapse;
    printRow("add then expire, one notification", addExpire, required + expiry, 1.2);
    printPart("KillTimer of the expiry timer", kill);
    printPart("ShowWindow SW_HIDE of the shown window", hide);
    printPart("applyWindowRect of the hidden window, collapsed", collapse);

    // The expiry tick with a line shown that is not due yet, as the window
    // gets it (taken from its thread's queue and dispatched): with the read
    // of whether a screen saver runs, and with a query that only answers no.
    addOne();
    static ScreenQuery systemSaver = screenSaverQuery;
    double withRead = 0, withoutRead = 0;
    bestPair(benchRounds() * 4, 200, [] { tickThroughTheQueue(); },
             [] {
                 screenSaverQuery = [] { return false; };
                 tickThroughTheQueue();
                 screenSaverQuery = systemSaver;
             },
             &withRead, &withoutRead);
    printRow("expiry tick, the screen saver read, against no read", withRead, withoutRead, 1.1);
    // The window procedure's part of it alone, called directly.
    bestPair(benchRounds() * 4, 200, [] { SendMessageA(window, WM_TIMER, EXPIRY_TIMER, 0); },
             [] {
                 screenSaverQuery = [] { return false; };
                 SendMessageA(window, WM_TIMER, EXPIRY_TIMER, 0);
                 screenSaverQuery = systemSaver;
             },
             &withRead, &withoutRead);
    printRow("    the procedure alone, the read against no read", withRead, withoutRead);
    settle();

    closeBenchWindow(window);
    return 0;
}
