// The window procedure: clicks and what the host hears of them, the class
// cursor over the rows, mouse-close, the right button, display changes.
#include <string.h>
#include "window_fixture.h"
#include "support/win_helpers.h"

using WindowProcTest = WindowFixture;

static HCURSOR classCursor(HWND window) { return (HCURSOR)(LONG_PTR)GetClassLongA(window, GCL_HCURSOR); }

TEST_F(WindowProcTest, AClickOnAClickableNotificationRemovesItThenTellsTheHost) {
    int32_t origin[3] = {130, 30, 7};
    HICON icon = makeIcon();
    add("older", -1, 0);
    add("Wiadomość od <b>Ola\nline two\nline three", -1, 1, origin, icon, 55);
    add("newer", 1);
    ASSERT_EQ(notificationQueue.count(), 5);

    // What the host sees when the notice arrives.
    int linesAtNotice = -1;
    RECT rectAtNotice = {};
    stand.answerers.set(Address::hostMessage(10103), [&](HostMessage*) {
        linesAtNotice = notificationQueue.count();
        rectAtNotice = realRect();
        return 1;
    });
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, pointOnRow(1));
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(lineText(0), "older");
    EXPECT_EQ(lineText(1), "newer");
    EXPECT_FALSE(iconAlive(icon));
    EXPECT_EQ(linesAtNotice, 2);
    EXPECT_EQ(rectAtNotice, fullSizeRect());
    EXPECT_TRUE(IsWindowVisible(window));

    expectClickNotice(stand, origin, 55);
}

TEST_F(WindowProcTest, ClickingTheMiddleLineRemovesTheWholeNotificationOnly) {
    add("before");
    add("one\ntwo\nthree", -1, 1);
    add("after");
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, pointOnRow(2));
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(lineText(0), "before");
    EXPECT_EQ(lineText(1), "after");
}

TEST_F(WindowProcTest, AWaitingLineIsRemovedSilentlyAndTheLastClickHides) {
    add("waits for a click", -1, 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, pointOnRow(0));
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(stand.countSent(10103), 0);
    EXPECT_EQ(displayState, Hidden);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
}

TEST_F(WindowProcTest, ClicksElsewhereCloseEverythingOnlyWithMouseClose) {
    add("timed", 1);
    add("clickable", -1, 1);
    // A timed line, the top-left margin and the right margin.
    LPARAM misses[] = {pointOnRow(0), MAKELPARAM(1, 1),
                       MAKELPARAM(contentWidth - 1, skin.marginTop + rowHeight + 2)};
    for (LPARAM at : misses) SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(notificationQueue.count(), 2);
    EXPECT_TRUE(IsWindowVisible(window));

    stand.setConfig(COL_MOUSECLOSE, 1);
    SendMessageA(window, WM_MOUSEMOVE, 0, pointOnRow(0));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, pointOnRow(0));
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_FALSE(hovering);
    EXPECT_EQ(displayState, Hidden);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
    EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
    EXPECT_EQ(stand.countSent(10103), 0);
}

TEST_F(WindowProcTest, TheHandShowsOverLinesThatReactToAClick) {
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    add("clickable", 1, 1);
    add("timed", 1, 0);
    add("waits", -1, 0);
    SendMessageA(window, WM_MOUSEMOVE, 0, pointOnRow(0));
    EXPECT_EQ(classCursor(window), hand);
    SendMessageA(window, WM_MOUSEMOVE, 0, pointOnRow(1));
    EXPECT_EQ(classCursor(window), arrow);
    SendMessageA(window, WM_MOUSEMOVE, 0, pointOnRow(2));
    EXPECT_EQ(classCursor(window), hand);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(skin.marginLeft, skin.marginTop + 1));
    EXPECT_EQ(classCursor(window), arrow);
    SendMessageA(window, WM_MOUSEMOVE, 0, pointOnRow(2));
    SendMessageA(window, WM_MOUSEMOVE, 0,
                 MAKELPARAM(skin.marginLeft + 2, contentHeight - skin.marginBottom));
    EXPECT_EQ(classCursor(window), arrow);
}

TEST_F(WindowProcTest, HitTestKeepsToTheTextAreaAndTheRows) {
    add("first");
    add("second");
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(hitTestRow(pointOnRow(0)), 0);
    EXPECT_EQ(hitTestRow(pointOnRow(1)), 1);
    EXPECT_EQ(hitTestRow(MAKELPARAM(skin.marginLeft, skin.marginTop + 1)), -1);
    EXPECT_EQ(hitTestRow(MAKELPARAM(contentWidth - skin.marginRight, skin.marginTop + 1)), -1);
    EXPECT_EQ(hitTestRow(MAKELPARAM(skin.marginLeft + 1, skin.marginTop)), -1);
    EXPECT_EQ(hitTestRow(MAKELPARAM(skin.marginLeft + 1, skin.marginTop + 1)), 0);
    EXPECT_EQ(hitTestRow(MAKELPARAM(skin.marginLeft + 1, skin.marginTop + rowHeight)), 1);
    // Coordinates left of or above the window arrive as large unsigned values.
    EXPECT_EQ(hitTestRow(MAKELPARAM(-5, skin.marginTop + 1)), -1);
    EXPECT_EQ(hitTestRow(MAKELPARAM(skin.marginLeft + 1, -5)), -1);
}

static bool contextMenuSeen = false;
static LRESULT CALLBACK watchSent(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
    if (code >= 0 && sent->message == WM_CONTEXTMENU) contextMenuSeen = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(WindowProcTest, TheRightButtonIsSwallowed) {
    add("one");
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, watchSent, nullptr, GetCurrentThreadId());
    contextMenuSeen = false;
    // The default procedure would answer the release with WM_CONTEXTMENU.
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    DefWindowProcA(plain, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    bool defaultSends = contextMenuSeen;
    DestroyWindow(plain);
    contextMenuSeen = false;
    EXPECT_EQ(SendMessageA(window, WM_RBUTTONUP, 0, pointOnRow(0)), 0);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(defaultSends);
    EXPECT_FALSE(contextMenuSeen);
    EXPECT_EQ(notificationQueue.count(), 1);
}

TEST_F(WindowProcTest, ADisplayChangeReplacesTheWindowEmptyAndHidden) {
    HICON icon = makeIcon();
    add("before the change", -1, 0, nullptr, icon);
    HWND old = window;
    SendMessageA(old, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_FALSE(iconAlive(icon));
    EXPECT_EQ(displayState, Hidden);
    ASSERT_TRUE(notificationWindow != nullptr);
    EXPECT_NE(notificationWindow, old);
    EXPECT_TRUE(IsWindow(notificationWindow));
    EXPECT_FALSE(IsWindowVisible(notificationWindow));
    window = notificationWindow;
    // The new window works as the old one did.
    EXPECT_GT(add("after"), 0);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowProcTest, DestroyingTheWindowForgetsItsHandle) {
    add("one");
    HFONT fonts[4] = {skin.normalFont, skin.boldFont, skin.underlineFont, skin.boldUnderlineFont};
    HBITMAP picture = composedBitmap;
    for (HFONT f : fonts) ASSERT_EQ(GetObjectType(f), (DWORD)OBJ_FONT);
    ASSERT_EQ(GetObjectType(picture), (DWORD)OBJ_BITMAP);
    DestroyWindow(window);
    for (HFONT f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
    EXPECT_EQ(GetObjectType(picture), 0u);
    EXPECT_EQ(notificationWindow, nullptr);
    EXPECT_EQ(displayState, Hidden);
    EXPECT_EQ(composedBitmap, nullptr);
    // The look's fonts and background picture go with the window.
    EXPECT_EQ(skin.normalFont, nullptr);
    EXPECT_EQ(skin.boldFont, nullptr);
    EXPECT_EQ(skin.underlineFont, nullptr);
    EXPECT_EQ(skin.boldUnderlineFont, nullptr);
    EXPECT_EQ(skin.skinBitmap, nullptr);
    HICON icon = makeIcon();
    NotificationRequest r = {"no window", icon, nullptr, 0, 1, 0, nullptr, 0};
    EXPECT_EQ(addNotification(&r), -1);
    EXPECT_FALSE(iconAlive(icon));
    hideAll();
}
