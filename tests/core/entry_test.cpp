// IMessageProc's table: identity answers, refusals, short records, window
// rebuild and tear-down, and the main-thread rule.
#include <string.h>
#include "core/network_states.h"
#include "plugin_fixture.h"
#include "recording_window.h"
#include "support/guard_page.h"
#include "window/notify_window.h"
#include "version.h"
#include "core/entry.h"

typedef PluginTest Entry;

static const char* textAnswer(StandInHost& h, int id) { return (const char*)(intptr_t)h.send(id); }

TEST_F(Entry, IdentityAnswers) {
    EXPECT_EQ(vorlane.send(30010), 774);
    EXPECT_EQ(vorlane.send(30011), 652);
    EXPECT_STREQ(textAnswer(vorlane, 30012), NOTIFY_VERSION_TEXT);
    EXPECT_STREQ(textAnswer(vorlane, 30013), "ZINGLET");
    EXPECT_STREQ(textAnswer(vorlane, 30014), "W98");
    EXPECT_EQ(vorlane.send(30015), 0);
    EXPECT_STREQ(textAnswer(vorlane, 30016), "Vorlane Notify");
    EXPECT_EQ(vorlane.send(30017), 0);
    EXPECT_EQ(vorlane.send(20020), 2);
    EXPECT_EQ(vorlane.send(20021), 224);
    // The texts are the library's constants: the same pointer every time.
    EXPECT_EQ(textAnswer(vorlane, 30013), textAnswer(vorlane, 30013));
    EXPECT_TRUE(vorlane.errors.empty());
    EXPECT_TRUE(vorlane.sent.empty());
}

TEST_F(Entry, UnhandledMessagesReportErrorOneAndAnswerZero) {
    EXPECT_EQ(vorlane.send(20003), 0);
    EXPECT_EQ(vorlane.send(774203), 0);
    ASSERT_EQ(vorlane.errors.size(), 2u);
    EXPECT_EQ(vorlane.errors[0], 1);
    EXPECT_EQ(vorlane.errors[1], 1);
    EXPECT_EQ(IMessageProc(nullptr), 0);
    EXPECT_EQ(vorlane.errors.size(), 3u);
}

TEST_F(Entry, EventsNotYetNotifiedAnswerZeroWithoutError) {
    HostMessageStatus status = {};
    status.size = sizeof(status);
    for (int id : {20100, 22200, 24011, 24012}) {
        status.id = id;
        EXPECT_EQ(deliver(status), 0) << id;
    }
    EXPECT_TRUE(vorlane.errors.empty());
}

TEST_F(Entry, ShortRecordsCarryNoParameters) {
    RecordingWindow window;
    // A 774202 that claims 22 bytes: what follows the header is not its p1.
    uint8_t raw[30];
    memset(raw, 0, sizeof(raw));
    HostMessage2* m = (HostMessage2*)raw;
    m->size = 22;
    m->id = 774202;
    m->p1 = 55;
    EXPECT_EQ(deliver(raw), 0);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].message, (UINT)MSG_REMOVE_ID);
    EXPECT_EQ(window.messages[0].wParam, 0u);
    // 29 bytes: still no p1.
    m->size = 29;
    deliver(raw);
    EXPECT_EQ(window.messages[1].wParam, 0u);
    m->size = 30;
    deliver(raw);
    EXPECT_EQ(window.messages[2].wParam, 55u);
    // Shorter than the header but holding the id: handled, without p1.
    m->size = 10;
    EXPECT_EQ(deliver(raw), 0);
    ASSERT_EQ(window.messages.size(), 4u);
    EXPECT_EQ(window.messages[3].wParam, 0u);
    EXPECT_TRUE(vorlane.errors.empty());
    // Too short for the id: refused as not handled.
    m->size = 5;
    EXPECT_EQ(deliver(raw), 0);
    EXPECT_EQ(window.messages.size(), 4u);
    EXPECT_EQ(vorlane.errors, std::vector<int>{1});
}

TEST_F(Entry, RecordsAreNeverReadPastTheirSize) {
    // The handler may not look past 30 bytes: the record ends where
    // readable memory ends.
    GuardPage guard;
    ASSERT_TRUE(guard.ready());
    HostMessage2 m = {};
    m.size = 30;
    m.id = 24011;
    EXPECT_EQ(IMessageProc((HostMessage*)guard.place(m)), 0);
    m.id = 24012;
    EXPECT_EQ(IMessageProc((HostMessage*)guard.place(m)), 0);
    // The same for the bare header, and for a record that ends with its id.
    HostMessage h = {};
    h.size = 22;
    h.id = 30013;
    EXPECT_STREQ((const char*)(intptr_t)IMessageProc(guard.place(h)), "ZINGLET");
    h.size = 6;
    EXPECT_STREQ((const char*)(intptr_t)IMessageProc(guard.place(h, 6)), "ZINGLET");
    EXPECT_TRUE(vorlane.errors.empty());
    h.size = 2;
    EXPECT_EQ(IMessageProc(guard.place(h, 2)), 0);
    EXPECT_EQ(vorlane.errors, std::vector<int>{1});
}

TEST_F(Entry, RebuildHidesDestroysAndLoadsANewWindow) {
    RecordingWindow* window = new RecordingWindow;
    HWND old = window->handle;
    EXPECT_EQ(vorlane.send(21020), 0);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].message, (UINT)MSG_HIDE_ALL);
    EXPECT_TRUE(window->destroyed);
    EXPECT_FALSE(IsWindow(old));
    // LoadSkin made a window of the plug-in's class in its place.
    ASSERT_NE(notificationWindow, nullptr);
    EXPECT_NE(notificationWindow, old);
    char name[64] = "";
    GetClassNameA(notificationWindow, name, sizeof(name));
    EXPECT_STREQ(name, NOTIFY_WINDOW_CLASS);
    delete window;

    // Without a window, 21020 destroys nothing and only creates one.
    EXPECT_EQ(vorlane.send(22101), 1);
    EXPECT_EQ(notificationWindow, nullptr);
    EXPECT_EQ(vorlane.send(21020), 0);
    EXPECT_NE(notificationWindow, nullptr);
    EXPECT_EQ(vorlane.send(22101), 1);
}

TEST_F(Entry, TearDownEmptiesNetworkStatesAndWindowMessagesWithoutWindowDoNothing) {
    networkStates[10] = NetworkState{0xFFFFFFFFu, 0x41, 1000};
    networkStates[12] = NetworkState{5, 0x02, 2000};
    RecordingWindow window;
    EXPECT_EQ(vorlane.send(22101), 1);
    EXPECT_TRUE(networkStates.empty());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].message, (UINT)MSG_HIDE_ALL);
    EXPECT_TRUE(window.destroyed);
    EXPECT_EQ(notificationWindow, nullptr);
    // No window at all: requests answer 0 and nothing breaks.
    EXPECT_EQ(vorlane.send(774202, 3), 0);
    EXPECT_EQ(vorlane.send(22101), 1);
    EXPECT_EQ(vorlane.send(22100), 1);
    EXPECT_NE(notificationWindow, nullptr);
}

TEST_F(Entry, RequestsFromAnotherThreadAreDeliveredAgainOnTheMainThread) {
    RecordingWindow window;
    window.addResult = 12;
    PopupRequest r = popupRequest("z wątku");
    r.icon = 0x40A00400;
    EXPECT_EQ(vorlane.deliverOnThread((HostMessage*)&r), 12);
    EXPECT_EQ(vorlane.recalls, 1);
    ASSERT_EQ(window.requests.size(), 1u);
    EXPECT_EQ(window.requests[0].text, "z wątku");

    EXPECT_EQ(vorlane.deliverOnThread((HostMessage*)&r), 12);
    HostMessage2 close = {};
    close.size = 30;
    close.id = 774202;
    close.p1 = 4;
    EXPECT_EQ(vorlane.deliverOnThread((HostMessage*)&close), 0);
    EXPECT_EQ(vorlane.recalls, 3);
    EXPECT_EQ(window.messages.back().message, (UINT)MSG_REMOVE_ID);
    EXPECT_EQ(window.messages.back().wParam, 4u);

    // Other messages are answered on the thread they come on.
    HostMessage2 identity = {};
    identity.size = 30;
    identity.id = 30013;
    EXPECT_STREQ((const char*)(intptr_t)vorlane.deliverOnThread((HostMessage*)&identity), "ZINGLET");
    EXPECT_EQ(vorlane.recalls, 3);
    // On the main thread there is nothing to recall.
    EXPECT_EQ(deliver(r), 12);
    EXPECT_EQ(vorlane.recalls, 3);
}

TEST_F(Entry, ShutdownUnregistersTheClassAndDropsTheHost) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), NOTIFY_WINDOW_CLASS, &wc));
    EXPECT_EQ(wc.lpfnWndProc, NotifyWindowProc);
    EXPECT_EQ(wc.style, (UINT)(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.lpszMenuName, nullptr);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(host, (HostControl*)&vorlane);
    EXPECT_EQ(vorlane.stop(), 1);
    EXPECT_EQ(host, nullptr);
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), NOTIFY_WINDOW_CLASS, &wc));
    // Stopped: unlisted messages only answer 0.
    EXPECT_EQ(vorlane.send(20003), 0);
    EXPECT_TRUE(vorlane.errors.empty());
}
