// Add-then-expire of single-line notifications through the real window
// procedure, with the time per notification; also what its parts cost.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "core/plugin_state.h"
#include "skin/paint.h"
#include "skin/shape.h"
#include "skin/skin_load.h"
#include "window/clock.h"
#include "window/notify_window.h"
#include "window/placement.h"
#include "window/queue.h"

static DWORD now = 1000;
static DWORD WINAPI benchTick() { return now; }

static double seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (double)(b.QuadPart - a.QuadPart) / (double)f.QuadPart;
}

static LARGE_INTEGER stamp() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

static void report(const char* what, int count, LARGE_INTEGER a, LARGE_INTEGER b) {
    double s = seconds(a, b);
    printf("%-52s %6d in %8.3f s: %8.1f us each\n", what, count, s, s * 1e6 / count);
}

static int addLine(HWND window, const char* text, int displayTime) {
    NotificationRequest r = {text, nullptr, nullptr, 0, displayTime, 0, nullptr, 0};
    return (int)SendMessageA(window, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
}

static void addThenExpire(HWND window, int count, const char* what) {
    LARGE_INTEGER a = stamp();
    for (int i = 0; i < count; ++i) {
        addLine(window, "Wiadomość od <b>Ola", 1);
        now += 2000;
        SendMessageA(window, WM_TIMER, EXPIRY_TIMER, 0);
    }
    report(what, count, a, stamp());
}

int main() {
    const int count = 10000;
    moduleInstance = GetModuleHandleA(nullptr);
    tickSource = benchTick;
    ResetDefaultLook();
    windowSettings.delay = 2000;
    windowSettings.animation = 0;
    windowSettings.waitForClick = 1;
    windowSettings.limit = 20;

    registerNotifyWindowClass(moduleInstance);
    CreateNotificationWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    HWND window = notificationWindow;
    if (!window) {
        printf("no window\n");
        return 1;
    }

    if (getenv("BENCH_PARTS")) goto parts;
    // Each notification shows the window and its expiry hides it again.
    addThenExpire(window, count, "add then expire, window shown and hidden");

    // A waiting line keeps the window shown: the queue, composing, placing.
    addLine(window, "czeka na kliknięcie", -1);
    addThenExpire(window, count, "add then expire, window stays shown");

parts:
    if (notificationQueue.empty()) addLine(window, "czeka na kliknięcie", -1);
    LARGE_INTEGER a = stamp();
    for (int i = 0; i < count; ++i) ComposeNotifications();
    report("ComposeNotifications of one line", count, a, stamp());

    a = stamp();
    for (int i = 0; i < count; ++i) ShowWindow(window, SW_SHOWNA);
    report("ShowWindow SW_SHOWNA of a shown window", count, a, stamp());

    a = stamp();
    for (int i = 0; i < count; ++i) SetTimer(window, EXPIRY_TIMER, 100, nullptr);
    report("SetTimer restarting the expiry timer", count, a, stamp());

    a = stamp();
    for (int i = 0; i < count; ++i) applyWindowRect();
    report("applyWindowRect at the same place", count, a, stamp());

    HICON model = LoadIconA(nullptr, IDI_APPLICATION);
    a = stamp();
    for (int i = 0; i < count; ++i) DestroyIcon(CopyIcon(model));
    report("CopyIcon and DestroyIcon", count, a, stamp());

    BYTE andMask[32], xorMask[32];
    memset(andMask, 0, sizeof(andMask));
    memset(xorMask, 0xFF, sizeof(xorMask));
    a = stamp();
    for (int i = 0; i < count; ++i)
        DestroyIcon(CreateIcon(moduleInstance, 16, 16, 1, 1, andMask, xorMask));
    report("CreateIcon (monochrome) and DestroyIcon", count, a, stamp());

    SendMessageA(window, MSG_HIDE_ALL, 0, 0);
    DestroyWindow(window);
    UnregisterClassA(NOTIFY_WINDOW_CLASS, moduleInstance);
    return 0;
}
