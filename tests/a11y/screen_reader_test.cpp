// The plug-in as a screen reader in another process reads it: the host here
// (the plug-in attached in-process) makes notifications come and go while
// screen_reader.exe hears the window's events and reads its accessible
// object step by step. Both sides are checked: what the reader printed and
// what the host received.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <memory>
#include <string>
#include <vector>
#include "support/scoped_replace.h"
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "contract/received_message.h"
#include "core/dispatch.h"
#include "core/network_states.h"
#include "host/double/stand_in_host.h"
#include "support/child_process.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"
#include "window/announcements.h"
#include "support/fake_clock.h"
#include "support/network_plugin.h"
#include "window/notify_window.h"
#include "window/placement.h"
#include "window/notification_queue.h"
#include "core/entry.h"

namespace {
const int NET = StandInNetwork::NET, NETWORK_PLUGIN = StandInNetwork::PLUGIN;

// Waits for the event while answering this thread's messages (the reader's
// calls on the window arrive among them).
bool answerUntil(HANDLE event) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        if (MsgWaitForMultipleObjects(1, &event, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
        pumpMessages();
    }
    return false;
}

// screen_reader.exe with its steps, one step at each `step()`.
class Reader {
public:
    explicit Reader(std::vector<std::string> steps) {
        std::string pid = std::to_string(GetCurrentProcessId());
        go = CreateEventA(nullptr, FALSE, FALSE, ("VorlaneReaderGo-" + pid).c_str());
        done = CreateEventA(nullptr, FALSE, FALSE, ("VorlaneReaderDone-" + pid).c_str());
        steps.insert(steps.begin(), pid);
        child = std::make_unique<Child>(binProgram("screen_reader.exe"), steps, ERRORS_COLLECTED);
    }
    ~Reader() {
        child.reset();
        CloseHandle(go);
        CloseHandle(done);
    }
    // The reader's hooks are in place, and this thread has seen them: Wine
    // refreshes its view of the hooks when the thread takes a message.
    bool ready() {
        bool ok = child->started() && answerUntil(done);
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
        pumpMessages();
        return ok;
    }
    bool step() {
        SetEvent(go);
        return answerUntil(done);
    }
    std::string transcript() { return child->finish(30000).output; }

private:
    HANDLE go = nullptr, done = nullptr;
    std::unique_ptr<Child> child;
};

class ScreenReader : public ::testing::Test {
protected:
    MessageBoxCatcher boxes;
    FakeClock clock{9000000, 1700000000};
    StandInHost h;
    StandInNetwork network{h};
    int ola = 0;

    void SetUp() override {
        h.setConfig(COL_SKIN, std::string("[brak]"));
        h.setConfig(COL_EVENTS_MSG, 1);
        h.setConfig(COL_EVENTS_STATUS, 1);
        h.setConfig(COL_MSGBODY, 1);
        h.setConfig(COL_FULLSCREEN, 0);
        h.setConfig(COL_USEVINDLE, 0);
        h.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
        h.runStartup();
        ASSERT_TRUE(IsWindow(notificationWindow));
        ola = h.addContact(NET, "1234", "Ola");
        h.setContact(ola, 20, 1);
        h.setContact(ola, 2, 0);
        // The network reported itself long enough ago for contacts' changes to show.
        status(24012, NETWORK_PLUGIN, 0x40);
        clock.seconds += QUIET_SECONDS;
        sendToNotificationWindow(MSG_HIDE_ALL, 0, 0);
        h.clearRecords();
    }
    void TearDown() override {
        h.runShutdown();
        EXPECT_TRUE(boxes.boxes.empty());
    }
    void status(int id, int subject, int value) {
        HostMessageStatus m = {};
        m.size = sizeof(m);
        m.id = id;
        m.p1 = subject;
        m.p2 = value;
        h.deliver((HostMessage*)&m);
    }
    void receive(const char* body) {
        ReceivedMessage m = {};
        m.size = sizeof(m);
        m.net = NET;
        m.type = 1;
        m.from = "1234";
        m.body = body;
        m.text18 = m.text26 = "";
        m.contact = -2;
        h.send(20100, (intptr_t)&m);
    }
    int request(const char* text) {
        PopupRequest r = popupRequest(text);
        r.displayTime = 1;
        return h.deliver((HostMessage*)&r);
    }
};

// Records what the plug-in raises through UI Automation, as a system that
// has it would be asked.
struct FakeProvider : IUnknown {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 0;
} provider;
std::vector<std::wstring> raised;
HRESULT WINAPI fakeHostProvider(HWND, IUnknown** out) {
    provider.AddRef();
    *out = &provider;
    return S_OK;
}
HRESULT WINAPI fakeRaise(IUnknown* p, int, int, BSTR text, BSTR) {
    raised.push_back(p == &provider && text ? text : L"(no provider or text)");
    return S_OK;
}
}  // namespace

TEST_F(ScreenReader, HearsEveryNewNotificationOnceAndFollowsTheLines) {
    HWND window = notificationWindow;
    Reader reader({"read", "read", "read", "act:2", "select:1", "read", "read"});
    ASSERT_TRUE(reader.ready());
    auto step = [&] {
        ASSERT_TRUE(reader.step());
        EXPECT_NE(GetForegroundWindow(), window);
    };

    ASSERT_GT(request("Kopia <b>zapasowa<b> gotowa"), 0);  // expires after one delay
    step();
    receive("Cześć!");
    step();
    // The same sender again is a duplicate and raises nothing; the status
    // change after it raises its own alert.
    receive("Jesteś?");
    clock.advance(1000);
    status(24011, ola, 0x40);
    ASSERT_EQ(notificationQueue.count(), 4);
    step();

    step();  // act:2, the message's first line
    ASSERT_EQ(h.countSent(10103), 1);
    ActionNotice notice;
    memcpy(&notice, h.lastSent(10103)->p1Bytes.data(), sizeof(notice));
    EXPECT_EQ(notice.action.actionId, 130);
    EXPECT_EQ(notice.action.contact, ola);
    EXPECT_EQ(notice.code, 1);
    step();  // select:1 takes no focus

    clock.advance(1500);  // the request's time has come, the status line's not
    SendMessageA(window, WM_TIMER, EXPIRY_TIMER, 0);
    step();
    sendToNotificationWindow(MSG_HIDE_ALL, 0, 0);
    step();

    EXPECT_EQ(reader.transcript(),
              "alert 1 role=8 name=Kopia zapasowa gotowa description= action=\n"
              "children 1: Kopia zapasowa gotowa [8]\n"
              "alert 2 role=8 name=Wiadomość od Ola description=\"Cześć!\" action=Kliknij\n"
              "children 3: Kopia zapasowa gotowa [8] | Wiadomość od Ola [8] | \"Cześć!\" [41]\n"
              "alert 4 role=8 name=Ola jest dostępna description= action=\n"
              "children 4: Kopia zapasowa gotowa [8] | Wiadomość od Ola [8] | \"Cześć!\" [41] | "
              "Ola jest dostępna [8]\n"
              "act 2: 0x00000000\n"
              "reorder\n"
              "select 1: 0x80020003\n"
              "reorder\n"
              "children 1: Ola jest dostępna [8]\n"
              "reorder\n"
              "children 0:\n");
}

TEST_F(ScreenReader, AnObjectHeldAfterTheWindowIsGoneFailsCleanly) {
    ASSERT_GT(request("Kopia zapasowa gotowa"), 0);
    Reader reader({"hold", "held", "held"});
    ASSERT_TRUE(reader.ready());
    ASSERT_TRUE(reader.step());
    h.destroyWindow();  // 22101
    ASSERT_FALSE(IsWindow(notificationWindow));
    ASSERT_TRUE(reader.step());
    h.stop();  // 20002: the library may go now
    ASSERT_TRUE(reader.step());
    std::string said = reader.transcript();
    size_t last = said.rfind("held:");
    ASSERT_NE(last, std::string::npos) << said;
    EXPECT_EQ(said.substr(0, last),
              "hold: kept\n"
              "reorder\n"
              "held: count 0x800401fd name 0x800401fd act 0x800401fd\n");
    // After 20002 the calls do not reach the library at all: COM refuses them.
    unsigned long count = 0, name = 0, act = 0;
    ASSERT_EQ(sscanf(said.c_str() + last, "held: count %lx name %lx act %lx", &count, &name, &act), 3) << said;
    for (unsigned long hr : {count, name, act}) {
        EXPECT_TRUE(FAILED((HRESULT)hr)) << said;
        EXPECT_NE(hr, (unsigned long)CO_E_OBJNOTCONNECTED) << said;
    }
    EXPECT_EQ(h.countSent(10103), 0);
}

TEST_F(ScreenReader, WhereUiAutomationExistsANewNotificationIsRaisedWithItsText) {
    raised.clear();
    {
        ScopedReplace<decltype(uiaHostProviderFromHwnd)> host(uiaHostProviderFromHwnd, fakeHostProvider);
        ScopedReplace<decltype(uiaRaiseNotificationEvent)> raise(uiaRaiseNotificationEvent, fakeRaise);
        request("Kopia <b>zapasowa<b>\nspróbuję ponownie");
        request("Kopia <b>zapasowa<b>\nspróbuję ponownie");  // not clickable: shown again
        PopupRequest clickable = popupRequest("Kliknij mnie");
        clickable.clickable = 1;
        h.deliver((HostMessage*)&clickable);
        EXPECT_EQ(h.deliver((HostMessage*)&clickable), -1);  // a duplicate: nothing raised
    }
    EXPECT_EQ(raised, (std::vector<std::wstring>{L"Kopia zapasowa\nspróbuję ponownie",
                                                 L"Kopia zapasowa\nspróbuję ponownie", L"Kliknij mnie"}));
    EXPECT_EQ(provider.refs, 0u);
}
