// The queue through the window's private messages: splitting, numbering,
// expiry (also across the wrap of the tick count), duplicates, the limit,
// the removals, and that every icon handed in is destroyed exactly once.
#include <stdlib.h>
#include <vector>
#include "window_fixture.h"
#include "window/private_messages.h"

using QueueTest = WindowFixture;

static void expectFlags(const NotificationEntry& e, int previous, int next) {
    EXPECT_EQ(e.continuesPrevious, previous);
    EXPECT_EQ(e.continuesNext, next);
}

TEST_F(QueueTest, TextIsSplitAtLineFeedsIntoOneRunOfLines) {
    HICON icon = makeIcon();
    int32_t origin[3] = {7, 8, 9};
    NotificationRequest r = {"A\r\nB\r\n", icon, (HIMAGELIST)0x1234, 5, 1, 1, origin, 42};
    int id = (int)sendPrivateMessage(window, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
    ASSERT_GT(id, 0);
    ASSERT_EQ(notificationQueue.count(), 3);
    EXPECT_EQ(lineText(0), "A");
    EXPECT_EQ(lineText(1), "B");
    EXPECT_EQ(lineText(2), "");
    expectFlags(notificationQueue.row(0), 0, 1);
    expectFlags(notificationQueue.row(1), 1, 1);
    expectFlags(notificationQueue.row(2), 1, 0);
    EXPECT_EQ(notificationQueue.row(0).icon, icon);
    EXPECT_EQ(notificationQueue.row(0).imageList, (HIMAGELIST)0x1234);
    EXPECT_EQ(notificationQueue.row(0).imageIndex, 5);
    for (int i = 0; i < 3; ++i) {
        const NotificationEntry& e = notificationQueue.row(i);
        EXPECT_EQ(e.id, id);
        EXPECT_EQ(e.expiresAt, (int32_t)(clock.tick + 2000));
        EXPECT_EQ(e.clickable, 1);
        EXPECT_EQ(e.originAction, 7);
        EXPECT_EQ(e.originParent, 8);
        EXPECT_EQ(e.originContact, 9);
        EXPECT_EQ(e.clickValue, 42);
        if (i > 0) {
            EXPECT_EQ(e.icon, nullptr);
            EXPECT_EQ(e.imageList, nullptr);
            EXPECT_EQ(e.imageIndex, 0);
        }
    }

    // A lone carriage return is no line break, and the last segment keeps it.
    int second = add("A\rB\r");
    EXPECT_EQ(second, id + 1);
    ASSERT_EQ(notificationQueue.count(), 4);
    EXPECT_EQ(lineText(3), "A\rB\r");
    expectFlags(notificationQueue.row(3), 0, 0);
    EXPECT_TRUE(iconAlive(icon));
}

TEST_F(QueueTest, RefusedRequestsDestroyTheirIconAndTakeNoNumber) {
    int before = add("first");
    ASSERT_GT(before, 0);

    // No window yet.
    HICON icon = makeIcon();
    NotificationRequest r = {"x", icon, nullptr, 0, 1, 0, nullptr, 0};
    notificationWindow = nullptr;
    EXPECT_EQ(addNotification(&r), -1);
    notificationWindow = window;
    EXPECT_FALSE(iconAlive(icon));

    // A null text or a null request is refused, not read.
    icon = makeIcon();
    r.text = nullptr;
    r.icon = icon;
    EXPECT_EQ(sendPrivateMessage(window, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r), -1);
    EXPECT_FALSE(iconAlive(icon));
    EXPECT_EQ(sendPrivateMessage(window, MSG_ADD_NOTIFICATION, 0, 0), -1);

    // A duplicate clickable origin.
    int32_t origin[3] = {130, 30, 4};
    ASSERT_EQ(add("msg", -1, 1, origin), before + 1);
    icon = makeIcon();
    EXPECT_EQ(add("again", -1, 1, origin, icon), -1);
    EXPECT_FALSE(iconAlive(icon));
    // The same origin without clickable is no duplicate.
    icon = makeIcon();
    EXPECT_EQ(add("plain", -1, 0, origin, icon), before + 2);
    EXPECT_TRUE(iconAlive(icon));
    EXPECT_EQ(notificationQueue.count(), 3);
}

TEST_F(QueueTest, ClickableRequestWithoutOriginGetsTheNoContactOrigin) {
    int id = add("one", -1, 1, nullptr);
    ASSERT_GT(id, 0);
    const NotificationEntry& e = notificationQueue.row(0);
    EXPECT_EQ(e.originAction, 0);
    EXPECT_EQ(e.originParent, 0);
    EXPECT_EQ(e.originContact, -2);
    // A second one shares that origin, so it is a duplicate.
    EXPECT_EQ(add("two", -1, 1, nullptr), -1);
    int32_t none[3] = {0, 0, -2};
    EXPECT_EQ(add("three", -1, 1, none), -1);
}

TEST_F(QueueTest, ExpiryFollowsDisplayTimeAndWaitForClick) {
    windowSettings.waitForClick = 0;
    DWORD start = clock.tick;
    add("message", -1);
    add("status", 1);
    add("long", 3);
    windowSettings.waitForClick = 1;
    add("waits", 0);
    ASSERT_EQ(notificationQueue.count(), 4);
    EXPECT_EQ(notificationQueue.row(0).expiresAt, (int32_t)(start + 4000));
    EXPECT_EQ(notificationQueue.row(1).expiresAt, (int32_t)(start + 2000));
    EXPECT_EQ(notificationQueue.row(2).expiresAt, (int32_t)(start + 6000));
    EXPECT_EQ(notificationQueue.row(3).expiresAt, -1);

    ASSERT_EQ(displayState, Shown);
    advance(1999);
    tick(EXPIRY_TIMER);
    EXPECT_EQ(notificationQueue.count(), 4);
    advance(1);
    tick(EXPIRY_TIMER);
    ASSERT_EQ(notificationQueue.count(), 3);
    EXPECT_EQ(lineText(0), "message");
    advance(2000);
    tick(EXPIRY_TIMER);
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(lineText(0), "long");
    advance(2000);
    tick(EXPIRY_TIMER);
    ASSERT_EQ(notificationQueue.count(), 1);
    // The waiting line stays however long the window is shown.
    advance(0x40000000);
    tick(EXPIRY_TIMER);
    advance(0x40000000);
    tick(EXPIRY_TIMER);
    ASSERT_EQ(notificationQueue.count(), 1);
    EXPECT_EQ(lineText(0), "waits");
}

// The tick count turns negative (as a signed value) after 24.8 days and
// wraps to 0 after 49.7; an expiry computed just before must still come on
// time, neither at once nor never.
TEST_F(QueueTest, ExpiryIsRightAcrossTheWrapOfTheTickCount) {
    const DWORD starts[] = {0x80000000u - 1000, 0u - 1000};
    for (DWORD start : starts) {
        clock.tick = start;
        ASSERT_GT(add("wraps", 1), 0);
        EXPECT_EQ(notificationQueue.row(0).expiresAt, (int32_t)(start + 2000));
        advance(500);
        tick(EXPIRY_TIMER);
        EXPECT_EQ(notificationQueue.count(), 1) << "expired at once, start " << start;
        advance(1499);
        tick(EXPIRY_TIMER);
        EXPECT_EQ(notificationQueue.count(), 1) << "start " << start;
        advance(1);
        tick(EXPIRY_TIMER);
        EXPECT_EQ(notificationQueue.count(), 0) << "never expired, start " << start;
        EXPECT_EQ(displayState, Hidden);
    }
}

// Spans of 2^31 ms or more (a huge delay, or many delays) would read as
// already past; they are held just below.
TEST_F(QueueTest, VeryLongDisplayTimesDoNotExpireAtOnce) {
    windowSettings.delay = 0x50000000;  // two delays exceed 2^31 ms
    windowSettings.waitForClick = 0;
    ASSERT_GT(add("default rule", -1), 0);
    ASSERT_GT(add("many delays", 100), 0);
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(notificationQueue.row(r).expiresAt, (int32_t)(clock.tick + 0x7FFFFFFFu)) << r;
    advance(100);
    tick(EXPIRY_TIMER);
    EXPECT_EQ(notificationQueue.count(), 2);
    advance(0x7FFFFFFFu - 100);
    tick(EXPIRY_TIMER);
    EXPECT_TRUE(notificationQueue.empty());
}

TEST_F(QueueTest, ComputedExpiryOfMinusOneDoesNotWaitForAClick) {
    clock.tick = 0xFFFFFFFFu - 2000;  // now + 2000 is -1 as a signed value
    ASSERT_GT(add("edge", 1), 0);
    EXPECT_EQ(notificationQueue.row(0).expiresAt, 0);
    advance(2001);
    tick(EXPIRY_TIMER);
    EXPECT_EQ(notificationQueue.count(), 0);
}

TEST_F(QueueTest, LimitTrimsWholeNotificationsFromTheFront) {
    windowSettings.limit = 3;
    HICON oldest = makeIcon();
    add("one", 1, 0, nullptr, oldest);
    add("two");
    add("three");
    HICON newest = makeIcon();
    add("four", 1, 0, nullptr, newest);
    ASSERT_EQ(notificationQueue.count(), 3);
    EXPECT_EQ(lineText(0), "two");
    EXPECT_EQ(lineText(2), "four");
    EXPECT_FALSE(iconAlive(oldest));
    EXPECT_TRUE(iconAlive(newest));

    sendPrivateMessage(window, MSG_HIDE_ALL, 0, 0);
    HICON pair = makeIcon();
    add("pair 1\npair 2", 1, 0, nullptr, pair);
    add("single");
    add("another");
    // Removing the two-line notification leaves 2 lines, below the limit.
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(lineText(0), "single");
    EXPECT_EQ(lineText(1), "another");
    EXPECT_FALSE(iconAlive(pair));
}

TEST_F(QueueTest, NotificationLongerThanTheLimitEmptiesTheQueueAndHidesTheWindow) {
    windowSettings.limit = 2;
    HICON kept = makeIcon();
    int first = add("kept", 1, 0, nullptr, kept);
    ASSERT_TRUE(IsWindowVisible(window));
    HICON big = makeIcon();
    EXPECT_EQ(add("a\nb\nc", 1, 0, nullptr, big), -1);
    EXPECT_EQ(notificationQueue.count(), 0);
    EXPECT_FALSE(iconAlive(kept));
    EXPECT_FALSE(iconAlive(big));
    // Nothing of the old picture stays on the screen.
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(displayState, Hidden);
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
    // The dropped notification used its number.
    EXPECT_EQ(add("next"), first + 2);
}

TEST_F(QueueTest, RemovalByIdAndByContact) {
    int32_t ola[3] = {130, 30, 5};
    int32_t ala[3] = {130, 30, 6};
    int32_t other[3] = {131, 30, 5};
    HICON olaIcon = makeIcon();
    int a = add("ola\nsecond line", -1, 1, ola, olaIcon);
    int b = add("ala", -1, 1, ala);
    add("not clickable", -1, 0, ola);
    add("other action", -1, 1, other);
    ASSERT_EQ(notificationQueue.count(), 5);

    sendPrivateMessage(window, MSG_REMOVE_CONTACT, 5, 0);
    ASSERT_EQ(notificationQueue.count(), 3);
    EXPECT_FALSE(iconAlive(olaIcon));
    EXPECT_EQ(notificationQueue.row(0).id, b);
    EXPECT_EQ(lineText(1), "not clickable");
    EXPECT_EQ(lineText(2), "other action");

    // An id nobody carries changes nothing but re-shows and re-places.
    ShowWindow(window, SW_HIDE);
    sendPrivateMessage(window, MSG_REMOVE_ID, a, 0);
    EXPECT_EQ(notificationQueue.count(), 3);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(windowRect, fullSizeRect());
    EXPECT_EQ(realRect(), fullSizeRect());

    sendPrivateMessage(window, MSG_REMOVE_ID, b, 0);
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(lineText(0), "not clickable");
    EXPECT_EQ(displayState, Shown);

    // Emptying the queue hides the window and stops expiry.
    sendPrivateMessage(window, MSG_REMOVE_ID, notificationQueue.row(0).id, 0);
    sendPrivateMessage(window, MSG_REMOVE_ID, notificationQueue.row(0).id, 0);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(displayState, Hidden);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
}

// Hide-all hides as every other way of hiding does: no timer runs once
// nothing is shown, whether or not the window is destroyed afterwards.
TEST_F(QueueTest, HideAllEmptiesCollapsesAndStopsTheTimers) {
    HICON icons[3] = {makeIcon(), makeIcon(), makeIcon()};
    add("one", 1, 0, nullptr, icons[0]);
    add("two\nlines", 1, 0, nullptr, icons[1]);
    add("three", -1, 0, nullptr, icons[2]);
    ASSERT_EQ(displayState, Shown);
    sendPrivateMessage(window, MSG_HIDE_ALL, 0, 0);
    EXPECT_TRUE(notificationQueue.empty());
    for (HICON i : icons) EXPECT_FALSE(iconAlive(i));
    EXPECT_EQ(contentWidth, 0);
    EXPECT_EQ(contentHeight, 0);
    EXPECT_EQ(windowRect, (RECT{anchorRight - 1, anchorBottom - 1, anchorRight, anchorBottom}));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(displayState, Hidden);
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
    EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
}

// Wine's GDI handle table holds about 65,500 objects: leaking one icon or
// bitmap per notification would make creation fail before the end. The
// soak runs on a message-only window of the same class and procedure, so it
// measures the queue and the composing rather than the X server resizing,
// mapping and unmapping a window 70,000 times.
TEST_F(QueueTest, SeventyThousandNotificationsLeakNoHandles) {
    const char* env = getenv("NOTIFY_SOAK");
    const int total = env ? atoi(env) : 70000;
    HWND quiet = CreateWindowExA(0, NOTIFY_WINDOW_CLASS, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, moduleInstance, nullptr);
    ASSERT_TRUE(quiet != nullptr);
    notificationWindow = quiet;
    stand.setConfig(COL_FULLSCREEN, 0);  // the taskbar probe is not what this soak measures
    std::vector<HICON> handedOver;
    handedOver.reserve(total);
    for (int i = 0; i < total; ++i) {
        HICON icon = makeIcon();
        ASSERT_TRUE(icon != nullptr) << "icon " << i;
        NotificationRequest r = {"Wiadomość od <b>Ola", icon, nullptr, 0, 1, 0, nullptr, 0};
        int id = addNotification(&r);
        ASSERT_GT(id, 0) << "notification " << i;
        handedOver.push_back(icon);
        if (i % 3 == 0) {
            removeById(id);
        } else if (i % 3 == 1) {
            removeClicked(0);
        } else {
            clock.tick += 2000;
            expireDueLines();
        }
        ASSERT_TRUE(notificationQueue.empty()) << "notification " << i;
    }
    int alive = 0;
    for (HICON icon : handedOver) alive += iconAlive(icon) ? 1 : 0;
    EXPECT_EQ(alive, 0);
    HDC dc = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 64);
    ReleaseDC(nullptr, dc);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                             "MS sans serif");
    HICON icon = makeIcon();
    EXPECT_TRUE(bitmap != nullptr);
    EXPECT_TRUE(font != nullptr);
    EXPECT_TRUE(icon != nullptr);
    DeleteObject(bitmap);
    DeleteObject(font);
    DestroyIcon(icon);
    DestroyWindow(quiet);
    notificationWindow = window;
}
