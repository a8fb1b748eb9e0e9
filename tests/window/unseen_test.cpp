// Nothing is missed: while nobody can see the screen no line expires, and
// once it is seen again every shown line gets its whole time; in a flood
// each line's time starts when it comes into view, and a row above the
// lines says how many wait.
#include <oleacc.h>
#include <map>
#include <string>
#include "support/scoped_replace.h"
#include "window_fixture.h"
#include "window/private_messages.h"
#include "window/screen_watch.h"
#include "window/shown_lines.h"
#include "window/user_presence.h"

namespace {
// Windows' own flag that a screen saver runs, set for the test's session.
class ScreenSaverRunning {
public:
    ~ScreenSaverRunning() { set(false); }
    static void set(bool running) { SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, nullptr, 0); }
};

// A power setting's record as the system sends it: the display's state.
struct DisplaySetting {
    GUID setting;
    DWORD length;
    DWORD value;
};
const GUID CONSOLE_DISPLAY_STATE = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

bool sessionLocked = false;
bool fakeSessionUnseen() { return sessionLocked; }
HRESULT WINAPI notPresent(int* state) {
    *state = USER_NOT_PRESENT;
    return S_OK;
}

class UnseenTest : public WindowFixture {
protected:
    // The lines left after each tick of `ms`, until `total` ms passed.
    void tickFor(DWORD total, DWORD step = 100) {
        for (DWORD t = 0; t < total; t += step) {
            advance(step);
            tick(EXPIRY_TIMER);
        }
    }
    // A line shown for one delay (2 s) and one that waits for a click.
    void twoLines() {
        ASSERT_GT(add("na jeden raz", 1), 0);
        ASSERT_GT(add("czeka na klik", -1), 0);
        ASSERT_EQ(displayState, Shown);
    }
    // After the screen was not seen: the timed line has its whole 2 s again
    // from the first tick that sees the screen.
    void expectWholeTimeFromNow() {
        tick(EXPIRY_TIMER);  // the screen is seen again
        tickFor(1900);
        EXPECT_EQ(notificationQueue.count(), 2) << "the line did not get its whole time again";
        tickFor(200);
        ASSERT_EQ(notificationQueue.count(), 1);
        EXPECT_EQ(lineText(0), "czeka na klik");
    }
};
}  // namespace

TEST_F(UnseenTest, WhileTheScreenSaverRunsNoLineExpires) {
    ScreenSaverRunning saver;
    twoLines();
    tickFor(1000);
    ScreenSaverRunning::set(true);
    tickFor(10000);
    EXPECT_EQ(notificationQueue.count(), 2);
    // New notifications come and show as usual, and wait too.
    ASSERT_GT(add("w czasie wygaszacza", 1), 0);
    tickFor(5000);
    EXPECT_EQ(notificationQueue.count(), 3);
    ScreenSaverRunning::set(false);
    sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)notificationCounter, 0);
    expectWholeTimeFromNow();
}

TEST_F(UnseenTest, WhileTheDisplayIsOffNoLineExpires) {
    twoLines();
    DisplaySetting off = {CONSOLE_DISPLAY_STATE, sizeof(DWORD), 0};
    EXPECT_EQ(SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, (LPARAM)&off), TRUE);
    tickFor(10000);
    EXPECT_EQ(notificationQueue.count(), 2);
    // Another setting, or a record of another size, changes nothing.
    DisplaySetting other = {GUID_NULL, sizeof(DWORD), 1};
    DisplaySetting longer = {CONSOLE_DISPLAY_STATE, 8, 1};
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, (LPARAM)&other);
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, (LPARAM)&longer);
    tickFor(3000);
    EXPECT_EQ(notificationQueue.count(), 2);
    DisplaySetting dimmed = {CONSOLE_DISPLAY_STATE, sizeof(DWORD), 2};  // dimmed is seen
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, (LPARAM)&dimmed);
    expectWholeTimeFromNow();
}

// The session's lock is what the system reports when it announces a
// change, whatever the message claims; the shell's "not present" holds the
// lines without refusing anything.
TEST_F(UnseenTest, WhileTheSessionIsLockedOrTheUserAwayNoLineExpires) {
    ScopedReplace<ScreenQuery> session(sessionUnseenQuery, fakeSessionUnseen);
    twoLines();
    sessionLocked = false;
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    tickFor(2100);
    EXPECT_EQ(notificationQueue.count(), 1) << "a claimed lock the system does not report held the line";
    ASSERT_GT(add("przed blokadą", 1), 0);
    sessionLocked = true;
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    tickFor(10000);
    EXPECT_EQ(notificationQueue.count(), 2);
    sessionLocked = false;
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    tick(EXPIRY_TIMER);
    tickFor(2100);
    EXPECT_EQ(notificationQueue.count(), 1);

    ScopedReplace<QueryUserNotificationStateFn> shell(queryUserNotificationState, notPresent);
    stand.setConfig(COL_FULLSCREEN, 1);
    ASSERT_GT(add("nikogo nie ma", 1), 0) << "not present must not refuse a notification";
    tickFor(10000);
    EXPECT_EQ(notificationQueue.count(), 2);
}

// In a flood with no limit, each line's time starts when it comes into
// view: every line is shown for its whole time, none expires unseen.
TEST_F(UnseenTest, InAFloodEveryLineIsShownForItsWholeTime) {
    windowSettings.limit = 0;
    for (int i = 1; i <= 120; i++) ASSERT_GT(add(("fala " + std::to_string(i)).c_str(), 1 + i % 2), 0);
    ASSERT_GT(firstShownRow(), 0) << "the flood fits the screen";
    std::map<int, DWORD> seenSince;  // id -> tick it came into view
    std::map<int, DWORD> spans;
    for (int r = 0; r < notificationQueue.count(); r++) spans[notificationQueue.row(r).id] = notificationQueue.row(r).span;
    size_t gone = 0;
    for (int step = 0; step < 2000 && !notificationQueue.empty(); step++) {
        std::map<int, bool> present;
        for (int r = 0; r < notificationQueue.count(); r++) present[notificationQueue.row(r).id] = true;
        for (auto it = seenSince.begin(); it != seenSince.end();) {
            if (present.count(it->first)) {
                ++it;
                continue;
            }
            EXPECT_GE(clock.tick - it->second, spans[it->first]) << "line " << it->first << " cut short";
            it = seenSince.erase(it);
            gone++;
        }
        for (int r = firstShownRow(); r < notificationQueue.count(); r++)
            seenSince.emplace(notificationQueue.row(r).id, clock.tick);
        for (int r = 0; r < firstShownRow(); r++)
            EXPECT_EQ(seenSince.count(notificationQueue.row(r).id), 0u) << "a line seen went back to waiting";
        advance(100);
        tick(EXPIRY_TIMER);
    }
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(gone + seenSince.size(), 120u) << "a line expired without ever being shown";
}

TEST_F(UnseenTest, TheCountRowSaysHowManyWaitInPolish) {
    EXPECT_EQ(waitingNotificationsText(1), "Jeszcze 1 powiadomienie");
    EXPECT_EQ(waitingNotificationsText(2), "Jeszcze 2 powiadomienia");
    EXPECT_EQ(waitingNotificationsText(5), "Jeszcze 5 powiadomień");
    EXPECT_EQ(waitingNotificationsText(12), "Jeszcze 12 powiadomień");
    EXPECT_EQ(waitingNotificationsText(22), "Jeszcze 22 powiadomienia");
    EXPECT_EQ(waitingNotificationsText(25), "Jeszcze 25 powiadomień");
    EXPECT_EQ(waitingNotificationsText(1155), "Jeszcze 1155 powiadomień");

    // Two-line notifications: the count is of notifications, and a screen
    // reader finds the count row as the first child, static text.
    windowSettings.limit = 0;
    for (int i = 1; i <= 60; i++) ASSERT_GT(add(("Od <b>" + std::to_string(i) + "<b>\ntreść").c_str(), -1), 0);
    ASSERT_TRUE(countRowShown());
    int waiting = 0;
    for (int r = 0; r < firstShownRow(); r++) waiting += notificationQueue.row(r).continuesPrevious ? 0 : 1;
    EXPECT_EQ(countRowText(), waitingNotificationsText(waiting));
    IAccessible* acc = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&acc), S_OK);
    LONG children = 0;
    acc->get_accChildCount(&children);
    EXPECT_EQ(children, notificationQueue.count() - firstShownRow() + 1);
    VARIANT first, role;
    VariantInit(&first);
    first.vt = VT_I4;
    first.lVal = 1;
    BSTR name = nullptr;
    acc->get_accName(first, &name);
    acc->get_accRole(first, &role);
    EXPECT_EQ(std::wstring(name ? name : L""), L"Jeszcze " + std::to_wstring(waiting) + L" powiadomie\u0144");
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_STATICTEXT);
    SysFreeString(name);
    BSTR action = nullptr;
    EXPECT_EQ(acc->get_accDefaultAction(first, &action), S_FALSE) << "the count row has nothing to do";
    first.lVal = 2;  // the top line below it, maybe the second line of a notification
    acc->get_accRole(first, &role);
    EXPECT_EQ(role.lVal, notificationQueue.row(firstShownRow()).continuesPrevious ? ROLE_SYSTEM_STATICTEXT
                                                                                  : ROLE_SYSTEM_ALERT);
    acc->Release();
    // A click on it does nothing, even with the mouse-close setting on.
    stand.setConfig(COL_MOUSECLOSE, 1);
    SendMessageA(window, WM_LBUTTONDOWN, 0, pointOnRow(0));
    EXPECT_EQ(notificationQueue.count(), 120);
    // It goes when nothing waits.
    while (firstShownRow() > 0) sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)notificationQueue.row(0).id, 0);
    EXPECT_FALSE(countRowShown());
}
