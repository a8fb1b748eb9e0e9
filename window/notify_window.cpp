// The notification window's procedure: private messages count only when
// the plug-in sent them, and each message goes to its handler here (the
// mouse, the timers, a changed setting, the painting) or to the files that
// do the work (the window's update step, the listeners, accessibility).
// No exception leaves it.
#include "notify_window.h"
#include <commctrl.h>
#include <new>
#include "accessible.h"
#include "alpha_channel.h"
#include "config_columns.h"
#include "gdi_guards.h"
#include "host_api.h"
#include "host_messages.h"
#include "listeners.h"
#include "paint.h"
#include "placement.h"
#include "plugin_state.h"
#include "private_messages.h"
#include "screen_watch.h"
#include "row_layout.h"
#include "shown_lines.h"
#include "skin_load.h"
#include "window_setup.h"
#include "window_update.h"

bool hovering = false;

static void onCreate(HWND window) {
    hovering = false;
    startAnimationClock();
    watchScreen(window);
}

static void onDestroy(HWND window) {
    stopWatchingScreen(window);
    placementWindowDestroyed();
    TRACKMOUSEEVENT cancel = {sizeof(cancel), TME_CANCEL | TME_LEAVE, window, 0};
    _TrackMouseEvent(&cancel);
    // The window's look goes with it.
    ReleaseLook();
    releaseAccessible(window);
    forgetNotificationWindow(window);
}

static void onPaint(HWND window) {
    ScopedPaint paint(window);
    PaintNotificationWindow(paint.get());
}

// A new look in a new window, as after a changed skin setting: the queue
// is emptied first.
static void rebuildLook(HWND window) {
    hideAll();
    DestroyWindow(window);  // nothing is shown once it is gone
    LoadSkin();
}

// Another program may send this message as well, so what counts is what
// the system reports now: a switch of high contrast rebuilds the look, the
// lines going on in the new one with their times, icons and ids; a moved
// work area moves the window, and anything else changes nothing.
static void onSettingChange(HWND window) {
    if (highContrastQuery() != LookReadInHighContrast()) {
        std::deque<NotificationEntry> lines = notificationQueue.takeAll();
        rebuildLook(window);
        showInNewLook(std::move(lines));
        return;
    }
    followWorkArea();
}

static LRESULT onTimer(UINT_PTR id) {
    if (composing) return 1;
    switch (displayState) {
    case Growing:
        if (id == ANIMATION_TIMER) animationStep();
        break;
    case Shown:
        if (id == EXPIRY_TIMER && !hovering) expireDueLines();
        break;
    case Hidden:
        break;
    }
    return 0;
}

// The shown row under a client point, the count row included, or -1.
static int shownRowAt(LPARAM lParam) {
    return RowAtPoint((int)(unsigned)LOWORD(lParam), (int)(unsigned)HIWORD(lParam), shownRowCount());
}

int hitTestRow(LPARAM lParam) {
    return queueRowOf(shownRowAt(lParam));
}

bool rowRect(int row, RECT* rect) {
    const int shown = shownRowOf(row);
    if (shown < 0 || rowHeight <= 0) return false;
    *rect = RowRect(shown);
    return true;
}

bool reactsToClick(int row) {
    if (row < 0 || row >= notificationQueue.count()) return false;
    const NotificationEntry& e = notificationQueue.row(row);
    return e.expiresAt == -1 || e.clickable;
}

static void setClassCursor(HWND window, LPCSTR cursor) {
    SetClassLongA(window, GCL_HCURSOR, (LONG)(LONG_PTR)LoadCursorA(nullptr, cursor));
}

static void onMouseMove(HWND window, LPARAM lParam) {
    if (!hovering) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, window, 0};
        _TrackMouseEvent(&track);
        hovering = true;
    }
    setClassCursor(window, IDC_ARROW);
    if (reactsToClick(hitTestRow(lParam))) setClassCursor(window, IDC_HAND);
}

void clickLine(int row) {
    if (!reactsToClick(row)) return;
    const NotificationEntry& e = notificationQueue.row(row);
    ActionNotice notice = {};
    notice.size = sizeof(notice);
    notice.action.actionId = e.originAction;
    notice.action.parentId = e.originParent;
    notice.action.contact = e.originContact;
    notice.code = NOTICE_CLICK;
    notice.zero = 0;
    notice.value1 = e.clickValue;
    notice.value2 = 0;
    bool clickable = e.clickable != 0;
    // Removes the notification, then re-places the rest or hides the window;
    // the host hears of the click only afterwards.
    removeClicked(row);
    if (clickable) hostCall(HOST_ACTION_NOTICE, (intptr_t)&notice, 0);
}

static void onLeftButtonDown(LPARAM lParam) {
    if (notificationQueue.empty()) return;
    // The count row is no notification: a click on it does nothing.
    if (countRowShown() && shownRowAt(lParam) == 0) return;
    int row = hitTestRow(lParam);
    if (reactsToClick(row)) {
        clickLine(row);
        return;
    }
    if (configInt(COL_MOUSECLOSE)) {
        hovering = false;
        closeAllByMouse();
    }
}

static bool isPrivateMessage(UINT message) {
    return message >= MSG_ADD_NOTIFICATION && message <= MSG_BROADCAST_TEXT;
}

static LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Another program, or another thread on its own, gets the refusal and
    // nothing more: its pointers are not read, its icon is not ours.
    if (isPrivateMessage(message) && !sentByPlugin(message, wParam, lParam))
        return message == MSG_ADD_NOTIFICATION ? -1 : 0;
    switch (message) {
    case WM_CLOSE:
        // Only the plug-in destroys its window; a WM_CLOSE from outside
        // would leave the user without notifications until the next look.
        return 0;
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_DESTROY:
        onDestroy(window);
        break;
    case WM_GETOBJECT: {
        LRESULT answer = 0;
        if (answerGetObject(window, wParam, lParam, &answer)) return answer;
        break;
    }
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_DISPLAYCHANGE:
        rebuildLook(window);
        return 0;
    case WM_SETTINGCHANGE:
        onSettingChange(window);
        return 0;
    case WM_WTSSESSION_CHANGE:
        onSessionChange();
        return 0;
    case WM_POWERBROADCAST:
        onPowerBroadcast(wParam, lParam);
        return TRUE;
    case WM_TIMER:
        return onTimer(wParam);
    case WM_MOUSEMOVE:
        onMouseMove(window, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(lParam);
        return 0;
    case WM_RBUTTONUP:
        return 0;
    case WM_MOUSELEAVE:
        hovering = false;
        return 0;
    case MSG_SUBSCRIBE:
        subscribeListener((HWND)wParam);
        return 0;
    case MSG_UNSUBSCRIBE:
        unsubscribeListener((HWND)wParam);
        return 0;
    case MSG_ADD_NOTIFICATION:
        return addNotification((const NotificationRequest*)lParam);
    case MSG_HIDE_ALL:
        hideAll();
        return 0;
    case MSG_REMOVE_CONTACT:
        removeByContact((int)wParam);
        return 0;
    case MSG_REMOVE_ID:
        removeById((int)wParam);
        return 0;
    case MSG_BROADCAST_TEXT:
        broadcastText((int)wParam, (const char*)lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return dispatch(window, message, wParam, lParam);
    } catch (...) {
        // Out of memory while copying texts: the request is refused.
        return message == MSG_ADD_NOTIFICATION ? -1 : 0;
    }
}

ATOM registerNotifyWindowClass(HINSTANCE module) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = NotifyWindowProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = NOTIFY_WINDOW_CLASS;
    return RegisterClassExA(&wc);
}
