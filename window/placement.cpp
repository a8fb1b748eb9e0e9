// Placement of the notification window at the work area's bottom-right
// corner, its growing animation and its timers.
//
// States and timers:
//   Hidden  - nothing shown, and no timer of ours runs: a laptop's battery
//             pays for every wake-up. Hiding (hideWindow) is one step on
//             every path, hide-all right before the window's destruction
//             included: it stops both timers and sets the state; only
//             showing starts a timer again.
//   Growing - timer 1 (ANIMATION_TIMER, 10 ms) moves the top and left edges
//             towards the full size; the right and bottom edges stay at the
//             anchor. Reaching the full size stops timer 1 and starts timer 2.
//   Shown   - timer 2 (EXPIRY_TIMER, 100 ms) removes expired lines, shrinking
//             the window at once, and hides it when the last line goes.
// The window is shown only with SW_SHOWNA (it never takes the focus) and
// hidden only with SW_HIDE.
#include "placement.h"
#include <limits.h>
#include <stdint.h>
#include "clock.h"
#include "paint.h"
#include "plugin_state.h"
#include "shape.h"
#include "window_settings.h"

int anchorRight = 0, anchorBottom = 0;
static int workAreaTop = 0;
RECT windowRect = {0, 0, 0, 0};
DisplayState displayState = Hidden;
int lastTick = 0;

static const UINT ANIMATION_PERIOD = 10;
static const UINT EXPIRY_PERIOD = 100;

static RECT workArea() {
    RECT work = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void resetPlacement() {
    const RECT work = workArea();
    anchorRight = work.right;
    anchorBottom = work.bottom;
    workAreaTop = work.top;
    SetRectEmpty(&windowRect);
    displayState = Hidden;
}

bool moveToWorkArea() {
    const RECT work = workArea();
    if (work.right == anchorRight && work.bottom == anchorBottom && work.top == workAreaTop) return false;
    OffsetRect(&windowRect, work.right - anchorRight, work.bottom - anchorBottom);
    anchorRight = work.right;
    anchorBottom = work.bottom;
    workAreaTop = work.top;
    return true;
}

void placeAfterWorkAreaMove() {
    if (displayState == Hidden) return;
    if (displayState == Shown) {
        windowRect = fullSizeRect();
    } else {
        // Growing: never larger than the picture, which may have lost rows.
        if (windowRect.right - windowRect.left > contentWidth) windowRect.left = windowRect.right - contentWidth;
        if (windowRect.bottom - windowRect.top > contentHeight) windowRect.top = windowRect.bottom - contentHeight;
    }
    applyWindowRect();
}

int pictureHeightLimit() {
    const int height = anchorBottom - workAreaTop;
    return height > 0 ? height : INT_MAX;
}

void startAnimationClock() { lastTick = (int)currentTick(); }

void placementWindowDestroyed() { displayState = Hidden; }

void applyWindowRect() { PlaceNotificationWindow(windowRect); }

RECT fullSizeRect() {
    RECT r = {anchorRight - contentWidth, anchorBottom - contentHeight, anchorRight, anchorBottom};
    return r;
}

static void showWindowNoActivate() {
    if (notificationWindow) ShowWindow(notificationWindow, SW_SHOWNA);
}

static void startTimer(UINT id, UINT period) {
    if (notificationWindow) SetTimer(notificationWindow, id, period, nullptr);
}

static void stopTimer(UINT id) {
    if (notificationWindow) KillTimer(notificationWindow, id);
}

// Windows' own "Show animations in Windows"; on where the system cannot say.
static bool systemAnimationsOn() {
    BOOL on = TRUE;
    if (!SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &on, 0)) return true;
    return on != FALSE;
}

void showAfterAdd() {
    if (windowSettings.animation && systemAnimationsOn()) {
        if (displayState == Shown) {
            stopTimer(EXPIRY_TIMER);
            displayState = Growing;
        } else if (displayState == Hidden) {
            RECT strip = {anchorRight - contentWidth, anchorBottom - 1, anchorRight, anchorBottom};
            windowRect = strip;
            applyWindowRect();
            showWindowNoActivate();
            displayState = Growing;
        }
        lastTick = (int)currentTick();
        startTimer(ANIMATION_TIMER, ANIMATION_PERIOD);
    } else {
        // A window still growing when animations were switched off takes
        // its full size now.
        stopTimer(ANIMATION_TIMER);
        windowRect = fullSizeRect();
        applyWindowRect();
        showWindowNoActivate();
        displayState = Shown;
        startTimer(EXPIRY_TIMER, EXPIRY_PERIOD);
    }
}

void placeAtFullSize(bool show) {
    if (show) showWindowNoActivate();
    windowRect = fullSizeRect();
    applyWindowRect();
}

void hideWindow() {
    stopTimer(ANIMATION_TIMER);
    stopTimer(EXPIRY_TIMER);
    displayState = Hidden;
    windowRect.left = anchorRight - 1;
    windowRect.top = anchorBottom - 1;
    windowRect.right = anchorRight;
    windowRect.bottom = anchorBottom;
    if (notificationWindow) ShowWindow(notificationWindow, SW_HIDE);
}

void collapseAfterExpiry() {
    RECT collapsed = {anchorRight - 10, anchorBottom - 1, anchorRight, anchorBottom};
    windowRect = collapsed;
    applyWindowRect();
}

void animationStep() {
    DWORD now = currentTick();
    int dt = (int)(int32_t)(now - (DWORD)lastTick);
    lastTick = (int)now;
    double f = dt * 0.05;

    RECT r = windowRect;
    // A picture emptied under a growing window has no height to divide by.
    if (r.right - r.left < contentWidth && contentHeight > 0) {
        int q = (contentWidth * -6) / contentHeight;
        r.left += (int)(q * f);
    }
    if (r.bottom - r.top < contentHeight) r.top += (int)(f * -6.0);
    if (r.right - r.left > contentWidth) r.left = r.right - contentWidth;
    if (r.bottom - r.top > contentHeight) r.top = r.bottom - contentHeight;

    if (r.right - r.left >= contentWidth && r.bottom - r.top >= contentHeight) {
        stopTimer(ANIMATION_TIMER);
        displayState = Shown;
        startTimer(EXPIRY_TIMER, EXPIRY_PERIOD);
    }
    windowRect = r;
    applyWindowRect();
}

// A taskbar that cannot be seen (missing, hidden, or auto-hidden with its
// centre beyond the screens) is not covered by anything: only a visible
// taskbar with a foreign window over its centre means a fullscreen program.
bool fullscreenTest() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar || !IsWindowVisible(taskbar)) return false;
    RECT bar;
    if (!GetWindowRect(taskbar, &bar)) return false;
    POINT centre;
    centre.x = (LONG)((bar.left + bar.right) * 0.5);
    centre.y = (LONG)((bar.top + bar.bottom) * 0.5);

    int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (vw <= 0 || vh <= 0) {
        vx = vy = 0;
        vw = GetSystemMetrics(SM_CXSCREEN);
        vh = GetSystemMetrics(SM_CYSCREEN);
    }
    if (centre.x < vx || centre.y < vy || centre.x >= vx + vw || centre.y >= vy + vh) return false;

    HWND found = ChildWindowFromPointEx(GetDesktopWindow(), centre,
                                        CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    for (HWND w = found; w; w = GetParent(w))
        if (w == taskbar) return false;
    return true;
}
