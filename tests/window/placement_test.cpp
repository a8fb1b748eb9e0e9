// Placement: full size at the anchor, the growing animation step by step
// with the hand-moved clock, the expiry follow-up, hovering, and the
// taskbar test against a taskbar window of the test's own.
#include "window_fixture.h"
#include "support/win_helpers.h"

using PlacementTest = WindowFixture;

TEST_F(PlacementTest, WithoutAnimationTheWindowShowsAtOnceAtTheAnchor) {
    ASSERT_GT(add("Wiadomość od <b>Ola"), 0);
    ASSERT_GT(contentWidth, 0);
    ASSERT_GT(contentHeight, 0);
    RECT full = {anchorRight - contentWidth, anchorBottom - contentHeight, anchorRight, anchorBottom};
    EXPECT_EQ(windowRect, full);
    EXPECT_EQ(realRect(), full);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(displayState, Shown);
    EXPECT_TRUE(timerRunning(EXPIRY_TIMER));
    EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
    // Shown without activation: the window never takes the focus.
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_NE(GetActiveWindow(), window);
}

TEST_F(PlacementTest, AnimationGrowsAStripUpwardsToTheFullSize) {
    windowSettings.animation = 1;
    ASSERT_GT(add("Wiadomość od <b>Ola"), 0);
    const int w = contentWidth, h = contentHeight;
    ASSERT_GT(h, 6);
    EXPECT_EQ(windowRect, (RECT{anchorRight - w, anchorBottom - 1, anchorRight, anchorBottom}));
    EXPECT_EQ(realRect(), windowRect);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(displayState, Growing);
    EXPECT_TRUE(timerRunning(ANIMATION_TIMER));

    // The expiry timer does nothing while growing.
    advance(10);
    tick(EXPIRY_TIMER);
    EXPECT_EQ(windowRect.top, anchorBottom - 1);
    // 10 ms: the top moves by the integer part of 10 * 0.05 * -6 = -3.
    tick(ANIMATION_TIMER);
    EXPECT_EQ(windowRect.top, anchorBottom - 4);
    EXPECT_EQ(windowRect.left, anchorRight - w);
    // 3 ms: 0.15 * -6 = -0.9 moves nothing.
    advance(3);
    tick(ANIMATION_TIMER);
    EXPECT_EQ(windowRect.top, anchorBottom - 4);
    // 7 ms: -2.1 moves two pixels.
    advance(7);
    tick(ANIMATION_TIMER);
    EXPECT_EQ(windowRect.top, anchorBottom - 6);
    EXPECT_EQ(displayState, Growing);

    int steps = 0;
    while (displayState == Growing && steps < 1000) {
        advance(10);
        tick(ANIMATION_TIMER);
        ++steps;
        EXPECT_EQ(windowRect.right, anchorRight);
        EXPECT_EQ(windowRect.bottom, anchorBottom);
        EXPECT_EQ(windowRect.left, anchorRight - w);
    }
    EXPECT_EQ(displayState, Shown);
    EXPECT_EQ(windowRect, fullSizeRect());
    EXPECT_EQ(realRect(), fullSizeRect());
    EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
    EXPECT_TRUE(timerRunning(EXPIRY_TIMER));
}

TEST_F(PlacementTest, AnAddWhileShownGrowsLeftAndTopTogether) {
    windowSettings.animation = 1;
    add("short");
    while (displayState == Growing) {
        advance(10);
        tick(ANIMATION_TIMER);
    }
    RECT before = windowRect;
    add("a much wider line of text than the first one was");
    add("and a third");
    EXPECT_EQ(displayState, Growing);
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
    EXPECT_EQ(windowRect, before);  // grows from where it stands
    const int w = contentWidth, h = contentHeight;
    ASSERT_GT(w, before.right - before.left);
    ASSERT_GT(h, before.bottom - before.top);

    advance(20);
    tick(ANIMATION_TIMER);
    double f = 20 * 0.05;
    int q = (w * -6) / h;
    EXPECT_EQ(windowRect.left, before.left + (int)(q * f));
    EXPECT_EQ(windowRect.top, before.top + (int)(f * -6.0));
    while (displayState == Growing) {
        advance(10);
        tick(ANIMATION_TIMER);
    }
    EXPECT_EQ(windowRect, fullSizeRect());
}

TEST_F(PlacementTest, AnAddWhileGrowingRestartsTheStepClock) {
    windowSettings.animation = 1;
    add("first");
    advance(10);
    tick(ANIMATION_TIMER);
    RECT before = windowRect;
    ASSERT_EQ(displayState, Growing);
    // Half a second passes before the next add: the step after it counts
    // only the time since that add, not since the last step.
    advance(500);
    add("second");
    EXPECT_EQ(displayState, Growing);
    EXPECT_EQ(windowRect, before);
    EXPECT_TRUE(timerRunning(ANIMATION_TIMER));
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
    advance(10);
    tick(ANIMATION_TIMER);
    EXPECT_EQ(windowRect.top, before.top - 3);
}

TEST_F(PlacementTest, LimitTrimmingCutsAGrowingWindowAtTheNextStep) {
    windowSettings.animation = 1;
    windowSettings.limit = 2;
    add("a very wide first notification that sets the width of the window");
    add("second");
    while (displayState == Growing) {
        advance(10);
        tick(ANIMATION_TIMER);
    }
    int wideWidth = windowRect.right - windowRect.left;
    add("third");  // the wide one goes
    ASSERT_LT(contentWidth, wideWidth);
    advance(1);
    tick(ANIMATION_TIMER);
    EXPECT_EQ(windowRect.right - windowRect.left, contentWidth);
    EXPECT_EQ(windowRect, fullSizeRect());
    EXPECT_EQ(displayState, Shown);
}

TEST_F(PlacementTest, ExpiryShrinksAtOnceAndHidesAfterTheLastLine) {
    add("first line", 1);
    add("second\nthird", 2);
    int threeRows = contentHeight;
    advance(2000);
    tick(EXPIRY_TIMER);
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_LT(contentHeight, threeRows);
    EXPECT_EQ(windowRect, fullSizeRect());
    EXPECT_EQ(realRect(), fullSizeRect());
    // A tick with nothing due changes nothing.
    RECT kept = windowRect;
    advance(100);
    tick(EXPIRY_TIMER);
    EXPECT_EQ(windowRect, kept);

    advance(2000);
    tick(EXPIRY_TIMER);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(displayState, Hidden);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
    EXPECT_EQ(windowRect, (RECT{anchorRight - 10, anchorBottom - 1, anchorRight, anchorBottom}));
    EXPECT_EQ(realRect(), windowRect);
}

TEST_F(PlacementTest, NoLineExpiresWhileTheMouseRestsOnTheWindow) {
    add("stays while hovered", 1);
    // The pointer really rests on the window, so the tracking stays armed.
    SetCursorPos(windowRect.left + 1, windowRect.top + 1);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(hovering);
    // Leave tracking is armed for this window.
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(_TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, window);
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);
    advance(5000);
    tick(EXPIRY_TIMER);
    EXPECT_EQ(notificationQueue.count(), 1);
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(hovering);
    tick(EXPIRY_TIMER);
    EXPECT_TRUE(notificationQueue.empty());
    SetCursorPos(0, 0);  // away from every window the other tests show
}

TEST_F(PlacementTest, TimerTicksAreIgnoredWhileAPictureIsComposed) {
    add("one", 1);
    advance(3000);
    composing = true;
    EXPECT_EQ(tick(EXPIRY_TIMER), 1);
    EXPECT_EQ(notificationQueue.count(), 1);
    composing = false;
    EXPECT_EQ(tick(EXPIRY_TIMER), 0);
    EXPECT_TRUE(notificationQueue.empty());
}

// A taskbar of the test's own: FindWindowA finds it before Wine's hidden one.
class TaskbarTest : public WindowFixture {
protected:
    HWND taskbar = nullptr, cover = nullptr;
    void SetUp() override {
        WindowFixture::SetUp();
        registerTestClass("Shell_TrayWnd");
        registerTestClass("TaskbarCover");
        taskbar = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 738, 1024, 30,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(taskbar, SW_SHOWNA);
        stand.setConfig(COL_FULLSCREEN, 1);
        pumpMessages();
    }
    void TearDown() override {
        if (cover) DestroyWindow(cover);
        DestroyWindow(taskbar);
        UnregisterClassA("Shell_TrayWnd", GetModuleHandleA(nullptr));
        UnregisterClassA("TaskbarCover", GetModuleHandleA(nullptr));
        WindowFixture::TearDown();
    }
    // A topmost popup over the taskbar's centre (512, 753), owned by `owner`.
    void coverCentre(HWND owner = nullptr) {
        if (cover) DestroyWindow(cover);
        cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TaskbarCover", "", WS_POPUP,
                                400, 700, 200, 68, owner, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
        ShowWindow(cover, SW_SHOWNA);
        pumpMessages();
    }
};

TEST_F(TaskbarTest, AVisibleUncoveredTaskbarLetsNotificationsThrough) {
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar);
    EXPECT_FALSE(fullscreenTest());
    EXPECT_GT(add("shown"), 0);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(TaskbarTest, AWindowOverTheTaskbarCentreRefusesEveryNotification) {
    coverCentre();
    EXPECT_TRUE(fullscreenTest());
    int counter = notificationCounter;
    HICON icon = makeIcon();
    EXPECT_EQ(add("refused", 1, 0, nullptr, icon), -1);
    EXPECT_EQ(add("refused too", -1, 1, nullptr), -1);
    EXPECT_FALSE(iconAlive(icon));
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(notificationCounter, counter);

    // With the setting off the notification is shown on top.
    stand.setConfig(COL_FULLSCREEN, 0);
    EXPECT_GT(add("shown"), 0);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(TaskbarTest, AHiddenOrAutoHiddenTaskbarIsNotCovered) {
    coverCentre();
    // Slid down off the screen, as an auto-hidden taskbar is: its centre
    // (512, 783) lies outside every screen.
    MoveWindow(taskbar, 0, 766, 1024, 34, FALSE);
    EXPECT_FALSE(fullscreenTest());
    EXPECT_GT(add("auto-hidden taskbar"), 0);
    MoveWindow(taskbar, 0, 738, 1024, 30, FALSE);
    EXPECT_TRUE(fullscreenTest());
    ShowWindow(taskbar, SW_HIDE);
    EXPECT_FALSE(fullscreenTest());
    EXPECT_GT(add("hidden taskbar"), 0);
}

// A popup of the taskbar's own (its clock's tooltip, a menu) over its centre
// is part of the taskbar: the walk up the owners reaches it.
TEST_F(TaskbarTest, APopupOwnedByTheTaskbarDoesNotCoverIt) {
    coverCentre(taskbar);
    ASSERT_EQ(GetParent(cover), taskbar);
    EXPECT_FALSE(fullscreenTest());
    EXPECT_GT(add("shown over the taskbar's own popup"), 0);

    // Owned by another window, the same popup covers it.
    HWND stranger = CreateWindowExA(WS_EX_TOOLWINDOW, "TaskbarCover", "", WS_POPUP, 0, 0, 10, 10,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    coverCentre(stranger);
    EXPECT_TRUE(fullscreenTest());
    DestroyWindow(cover);
    cover = nullptr;
    DestroyWindow(stranger);
}
