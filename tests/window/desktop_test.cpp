// The window and the user's desktop: a work area that changes while lines
// are shown (a taskbar moved or grown), Windows' own switches for
// animations and the shell's busy states, and floods of lines with no
// limit. The work area and the animation switch are changed for real and
// put back; the busy states go through their replaceable query, since no
// system here can be put into a presentation or a full-screen game.
#include <windows.h>
#include <string>
#include "support/scoped_replace.h"
#include "window_fixture.h"
#include "window/private_messages.h"
#include "window/shown_lines.h"
#include "window/user_presence.h"

namespace {
// A 1250 text as a screen reader reads it.
std::wstring wideText(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    MultiByteToWideChar(1250, 0, text.data(), (int)text.size(), &wide[0], (int)wide.size());
    return wide;
}

RECT systemWorkArea() {
    RECT work = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Changes the work area as a moving taskbar does (every top-level window
// hears WM_SETTINGCHANGE), and puts the old one back at the end. The change
// is the session's only, never written to the prefix's settings, so a test
// that crashes leaves no other work area behind it; the announcement that
// Windows makes is sent here, since Wine makes it only for a saved change.
class WorkAreaChange {
public:
    WorkAreaChange() : saved(systemWorkArea()) {}
    ~WorkAreaChange() { set(saved); }
    static void set(RECT area) {
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    }
    const RECT saved;
};

class SystemAnimations {
public:
    SystemAnimations() { SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &saved, 0); }
    ~SystemAnimations() { set(saved); }
    static void set(BOOL on) { SystemParametersInfoA(SPI_SETCLIENTAREAANIMATION, 0, (void*)(INT_PTR)on, 0); }
    BOOL saved = TRUE;
};

int fakeState = 5;  // QUNS_ACCEPTS_NOTIFICATIONS
HRESULT WINAPI fakeNotificationState(int* state) {
    *state = fakeState;
    return S_OK;
}

// Empties the window as the removal of its last line does: hidden, with
// its timers stopped, so the next popup grows from nothing.
void removeEveryLine(HWND window) {
    while (!notificationQueue.empty())
        sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)notificationQueue.row(0).id, 0);
}
}  // namespace

using DesktopTest = WindowFixture;

TEST_F(DesktopTest, TheWindowFollowsTheWorkAreaShownGrowingAndHidden) {
    WorkAreaChange change;
    const RECT wide = change.saved;
    const RECT narrow = {wide.left, wide.top, wide.right - 200, wide.bottom - 150};
    auto corner = [&](const RECT& r) { return POINT{r.right, r.bottom}; };
    auto expectCornerAt = [&](const RECT& area) {
        const RECT real = realRect();
        EXPECT_EQ(real.right, corner(area).x);
        EXPECT_EQ(real.bottom, corner(area).y);
    };

    // Shown: it moves at once, with its lines, times and places kept.
    ASSERT_GT(add("pierwsza", 3), 0);
    ASSERT_GT(add("druga", 3), 0);
    const std::vector<std::wstring> before = accessibleLineNames(window);
    WorkAreaChange::set(narrow);
    expectCornerAt(narrow);
    EXPECT_EQ(realRect(), fullSizeRect());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(accessibleLineNames(window), before);
    ASSERT_GT(add("trzecia", 3), 0);  // the next line grows it there too
    expectCornerAt(narrow);
    WorkAreaChange::set(wide);
    expectCornerAt(wide);
    EXPECT_EQ(accessibleLineNames(window).size(), 3u);

    // Growing: the growth goes on towards the new corner.
    removeEveryLine(window);
    windowSettings.animation = 1;
    ASSERT_GT(add("rośnie\nw górę"), 0);
    advance(10);
    tick(ANIMATION_TIMER);
    WorkAreaChange::set(narrow);
    expectCornerAt(narrow);
    for (int i = 0; i < 200 && !timerRunning(EXPIRY_TIMER); i++) {
        advance(10);
        tick(ANIMATION_TIMER);
    }
    EXPECT_EQ(realRect(), fullSizeRect());
    expectCornerAt(narrow);

    // Hidden: the next popup appears at the corner of the day.
    removeEveryLine(window);
    WorkAreaChange::set(wide);
    windowSettings.animation = 0;
    ASSERT_GT(add("znowu"), 0);
    expectCornerAt(wide);
}

TEST_F(DesktopTest, ASettingChangeFromAnotherProgramMovesAndEmptiesNothing) {
    ASSERT_GT(add("zostaje\nna miejscu", 3), 0);
    const RECT where = realRect();
    const std::vector<std::wstring> lines = accessibleLineNames(window);
    // The work area is as it was: a forged notice of a new one, or of a
    // high-contrast switch that did not happen, changes nothing.
    for (WPARAM what : {(WPARAM)SPI_SETWORKAREA, (WPARAM)SPI_SETHIGHCONTRAST, (WPARAM)0})
        SendMessageA(window, WM_SETTINGCHANGE, what, 0);
    EXPECT_EQ(realRect(), where);
    EXPECT_EQ(accessibleLineNames(window), lines);
    EXPECT_EQ(window, notificationWindow);  // the look was not rebuilt
}

TEST_F(DesktopTest, WindowsAnimationsOffShowTheWindowAtFullSizeAtOnce) {
    SystemAnimations animations;
    windowSettings.animation = 1;
    SystemAnimations::set(FALSE);
    ASSERT_GT(add("od razu cała"), 0);
    EXPECT_EQ(realRect(), fullSizeRect());
    EXPECT_TRUE(timerRunning(EXPIRY_TIMER));
    EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
    // Switched back on, the next popup grows again.
    removeEveryLine(window);
    SystemAnimations::set(TRUE);
    ASSERT_GT(add("rośnie"), 0);
    EXPECT_LT(realRect().bottom - realRect().top, contentHeight);
    EXPECT_TRUE(timerRunning(ANIMATION_TIMER));
}

TEST_F(DesktopTest, TheShellsBusyStatesRefuseNotificationsLikeAFullScreenProgram) {
    ScopedReplace<QueryUserNotificationStateFn> fake(queryUserNotificationState, fakeNotificationState);
    stand.setConfig(COL_FULLSCREEN, 1);
    for (int busy : {USER_BUSY, USER_D3D_FULL_SCREEN, USER_PRESENTING}) {
        SCOPED_TRACE(busy);
        fakeState = busy;
        HICON icon = makeIcon();
        EXPECT_EQ(add("nie teraz", 1, 0, nullptr, icon), -1);
        EXPECT_FALSE(iconAlive(icon));
        EXPECT_FALSE(IsWindowVisible(window));
    }
    fakeState = 5;  // accepts notifications
    EXPECT_GT(add("teraz tak"), 0);
    // With the full-screen rule off, a busy user is notified all the same.
    fakeState = USER_PRESENTING;
    stand.setConfig(COL_FULLSCREEN, 0);
    EXPECT_GT(add("mimo prezentacji"), 0);
}

TEST_F(DesktopTest, AFloodWithNoLimitShowsTheNewestLinesThatFitAndLosesNone) {
    windowSettings.limit = 0;
    const RECT work = systemWorkArea();
    std::vector<int> ids;
    // Lines that wait for a click, so a click on any of them removes it.
    for (int i = 1; i <= 1200; i++) ids.push_back(add(("linia " + std::to_string(i)).c_str(), -1));
    ASSERT_EQ(ids.back(), ids.front() + 1199);
    const RECT real = realRect();
    EXPECT_GE(real.top, work.top);
    EXPECT_EQ(real.bottom, work.bottom);
    // Above the lines, a row says how many wait.
    std::vector<std::wstring> shown = accessibleLineNames(window);
    ASSERT_GT(shown.size(), 3u);
    ASSERT_LT(shown.size(), 1200u);
    EXPECT_EQ(shown.back(), L"linia 1200");
    const int top = 1200 - ((int)shown.size() - 1) + 1;
    EXPECT_EQ(shown[0], wideText(waitingNotificationsText(top - 1)));
    EXPECT_EQ(shown[1], L"linia " + std::to_wstring(top));
    // A click on the count row does nothing; one on the top line shown
    // removes that line, and the one before it comes into view.
    SendMessageA(window, WM_LBUTTONDOWN, 0, pointOnRow(0));
    EXPECT_EQ(notificationQueue.count(), 1200);
    SendMessageA(window, WM_LBUTTONDOWN, 0, pointOnRow(1));
    std::vector<std::wstring> after = accessibleLineNames(window);
    ASSERT_EQ(after.size(), shown.size());
    EXPECT_EQ(after[0], wideText(waitingNotificationsText(top - 2)));
    EXPECT_EQ(after[1], L"linia " + std::to_wstring(top - 1));
    EXPECT_EQ(after[2], L"linia " + std::to_wstring(top + 1));
    EXPECT_EQ(notificationQueue.count(), 1199);

    // As the newer lines close, the older come into view, none lost.
    for (size_t i = 3; i < ids.size(); i++) sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)ids[i], 0);
    ASSERT_EQ(notificationQueue.count(), 3);
    EXPECT_EQ(accessibleLineNames(window), (std::vector<std::wstring>{L"linia 1", L"linia 2", L"linia 3"}));
    EXPECT_EQ(realRect(), fullSizeRect());
}
