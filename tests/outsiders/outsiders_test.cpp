// The notification window's class name is public: any program, and any
// thread of the host's process, can send the window anything. Its private
// messages are obeyed only from the plug-in's own code (also when the host
// runs a handler on another of its threads), and the listeners of other
// programs cannot hold the host's thread beyond the broadcast's budget.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "contract/received_message.h"
#include "core/dispatch.h"
#include "host/double/stand_in_host.h"
#include "support/child_process.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/screen_watch.h"
#include "window/listeners.h"
#include "window/notification_queue.h"
#include "support/copy_recorder.h"
#include "core/entry.h"

namespace {
const int NET = 10;

std::string testProgram(const char* name) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string path(self, n < sizeof(self) ? n : 0);
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

LONG accessViolations = 0;
LONG CALLBACK countAccessViolations(EXCEPTION_POINTERS* e) {
    if (e->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) InterlockedIncrement(&accessViolations);
    return EXCEPTION_CONTINUE_SEARCH;
}

std::string hexHandle(HWND w) {
    char text[16];
    snprintf(text, sizeof(text), "%lx", (unsigned long)(ULONG_PTR)w);
    return text;
}

struct Shown {
    int id;
    std::string text;
    bool operator==(const Shown& o) const { return id == o.id && text == o.text; }
};

class Outsiders : public ::testing::Test {
protected:
    StandInHost vorlane;
    MessageBoxCatcher boxes;
    int ola = 0;
    HWND recorder = nullptr;

    void SetUp() override {
        vorlane.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        ASSERT_EQ(vorlane.runStartup(), 1);
        vorlane.setConfig(COL_EVENTS_MSG, 1);
        vorlane.setConfig(COL_USEVINDLE, 1);
        vorlane.setConfig(COL_FULLSCREEN, 0);
        ola = vorlane.addContact(NET, "1234", "Ola");
        ASSERT_TRUE(IsWindow(notificationWindow));
        listeners.clear();
        recorder = makeCopyRecorder();
        SendMessageA(notificationWindow, MSG_SUBSCRIBE, (WPARAM)recorder, 0);
        recordedCopies.clear();
    }
    void TearDown() override {
        if (recorder) DestroyWindow(recorder);
        vorlane.runShutdown();
        EXPECT_TRUE(boxes.boxes.empty());
    }

    // A request of another plug-in, through the host: the plug-in's own road.
    int request(const char* text) {
        PopupRequest r = popupRequest(text);
        r.displayTime = 100;
        return vorlane.deliver((HostMessage*)&r);
    }
    // A message from Ola, as the host reports it on the thread it chooses.
    int receive(bool onOtherThread) {
        ReceivedMessage m = {};
        m.size = 58;
        m.net = NET;
        m.type = 1;
        m.from = "1234";
        m.body = "";
        HostMessage2 h = {};
        h.size = sizeof(h);
        h.id = 20100;
        h.p1 = (intptr_t)&m;
        return onOtherThread ? vorlane.deliverOnThread((HostMessage*)&h) : vorlane.deliver((HostMessage*)&h);
    }
    // The records the in-process listener heard.
    std::vector<std::string> heard() const {
        std::vector<std::string> texts;
        auto it = recordedCopies.find(recorder);
        if (it != recordedCopies.end())
            for (const RecordedCopy& c : it->second) texts.push_back(c.text());
        return texts;
    }
    std::vector<Shown> shown() const {
        std::vector<Shown> s;
        for (int r = 0; r < notificationQueue.count(); r++)
            s.push_back({notificationQueue.row(r).id, notificationQueue.row(r).text});
        return s;
    }
};

struct StrangerThread {
    HWND window;
    const NotificationRequest* request;
    int id;
    LRESULT answers[5];
};

DWORD WINAPI strangerThread(LPVOID p) {
    StrangerThread* s = (StrangerThread*)p;
    s->answers[0] = SendMessageA(s->window, MSG_ADD_NOTIFICATION, 0, (LPARAM)s->request);
    s->answers[1] = SendMessageA(s->window, MSG_BROADCAST_TEXT, NOTIFY_INFO_MESSAGE, (LPARAM) "\x1Aname=Obcy");
    s->answers[2] = SendMessageA(s->window, MSG_REMOVE_ID, (WPARAM)s->id, 0);
    s->answers[3] = SendMessageA(s->window, MSG_REMOVE_CONTACT, 1, 0);
    s->answers[4] = SendMessageA(s->window, MSG_HIDE_ALL, 0, 0);
    return 0;
}
}  // namespace

TEST_F(Outsiders, AnotherThreadOfTheProcessIsRefusedWithWellFormedBlocks) {
    const int first = request("Pierwsza");
    ASSERT_GT(request("Druga"), 0);
    const std::vector<Shown> before = shown();
    ASSERT_EQ(before.size(), 2u);

    HICON icon = CopyIcon(LoadIconA(nullptr, IDI_INFORMATION));
    const int32_t origin[3] = {0, 0, -2};
    NotificationRequest r = {"Podrzucona", icon, nullptr, 0, 1, 0, origin, 0};
    StrangerThread s = {notificationWindow, &r, first, {}};
    HANDLE thread = CreateThread(nullptr, 0, strangerThread, &s, 0, nullptr);
    ASSERT_TRUE(thread);
    ASSERT_TRUE(pumpUntil(10000, [&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }));
    CloseHandle(thread);

    EXPECT_EQ(s.answers[0], -1);
    for (int i = 1; i < 5; i++) EXPECT_EQ(s.answers[i], 0) << i;
    EXPECT_EQ(shown(), before) << "a line changed";
    EXPECT_TRUE(IsWindowVisible(notificationWindow));
    EXPECT_EQ(heard(), std::vector<std::string>{}) << "the listener heard a stranger";
    ICONINFO info;
    EXPECT_TRUE(GetIconInfo(icon, &info)) << "the stranger's icon was destroyed";
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    // The plug-in's own road is untouched.
    EXPECT_EQ(vorlane.send(NOTIFY_CLOSE, first), 0);
    EXPECT_EQ(notificationQueue.count(), 1);
    sendToNotificationWindow(MSG_BROADCAST_TEXT, NOTIFY_INFO_MESSAGE, (LPARAM) "\x1Aname=Swoj");
    EXPECT_EQ(heard(), std::vector<std::string>{"\x1Aname=Swoj"});
}

TEST_F(Outsiders, AHostMessageHandledOnAnotherThreadStillShowsItsNotification) {
    EXPECT_EQ(receive(true), 0);
    ASSERT_EQ(notificationQueue.count(), 1);
    EXPECT_EQ(notificationQueue.row(0).text, "Wiadomość od <b>Ola");
    EXPECT_EQ(heard(), std::vector<std::string>{"\x1Aname=Ola"}) << "the info record of a foreign thread";
}

TEST_F(Outsiders, AnotherProgramsWildPointersAreRefusedAndTheHostLivesOn) {
    const int id = request("Zostaje");
    ASSERT_GT(id, 0);
    const std::vector<Shown> before = shown();
    accessViolations = 0;
    PVOID watcher = AddVectoredExceptionHandler(1, countAccessViolations);
    ChildRun run = runChild(testProgram("stranger.exe"), {hexHandle(notificationWindow), std::to_string(id)}, 60000);
    RemoveVectoredExceptionHandler(watcher);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    // Wine swallows a fault in a procedure run for another process's
    // message; it is counted here before that.
    EXPECT_EQ(accessViolations, 0) << "a pointer of another process was read";
    EXPECT_FALSE(screenUnseen()) << "another program's notices held the lines";
    for (const char* answer : {"2025 0x10 -> -1", "2025 0xdeadbeef -> -1", "2029 0x10 -> 0", "2029 0xdeadbeef -> 0",
                               "2026 0x0 -> 0", "2027 0x0 -> 0", "2028 0x0 -> 0", "16 0x0 -> 0",
                               "536 0xdeadbeef -> 1", "done"})
        EXPECT_NE(run.output.find(answer), std::string::npos) << answer << "\n" << run.output;
    EXPECT_TRUE(IsWindow(notificationWindow)) << "WM_CLOSE from outside destroyed the window";
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(IsWindowVisible(notificationWindow));
    EXPECT_TRUE(heard().empty());
    EXPECT_GT(request("Dalej działa"), id);
    EXPECT_EQ(notificationQueue.count(), 2);
}

// Twelve listener windows of one program, each taking a second over a
// copy, and one that answers at once: each copy that runs out of time
// drops its listener, the other windows of that busy thread are passed
// over, and the fast one hears every record.
TEST_F(Outsiders, SlowListenersCannotStallTheHostAndAFastOneHearsEverything) {
    DestroyWindow(recorder);
    recorder = nullptr;
    listeners.clear();
    Child program(testProgram("slow_listeners.exe"), {hexHandle(notificationWindow), "12", "1000", "12"});
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(pumpUntil(30000, [] { return listeners.size() == 13; })) << listeners.size() << " subscribed";
    const int messages = 6;
    const DWORD mostHeldMs = 5000;
    for (int i = 0; i < messages; i++) {
        // Only the first is shown (the others are Ola's duplicates); every
        // one sends its info record.
        const DWORD start = GetTickCount();
        EXPECT_EQ(receive(false), 0);
        const DWORD held = GetTickCount() - start;
        EXPECT_LE(held, mostHeldMs) << "message " << i << " held the host's thread for " << held << " ms";
    }
    ChildRun run = program.finish(60000);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    size_t heard = 0;
    for (size_t at = 0; (at = run.output.find("fast: name=Ola", at)) != std::string::npos; at++) heard++;
    EXPECT_EQ(heard, (size_t)messages) << run.output;
}

// Thirty-six listener windows of one program, each taking 100 ms over a
// copy: under the copy's limit, so only the broadcast's budget of a second
// can cut them short, where together they would hold the host's thread for
// 3.6 seconds. Each record waits until the listeners' thread is idle again,
// so no copy finds it busy with the one before; none is dropped.
TEST_F(Outsiders, ABroadcastSpendsNoMoreThanItsBudgetOnListenersUnderTheCopyLimit) {
    DestroyWindow(recorder);
    recorder = nullptr;
    listeners.clear();
    Child program(testProgram("slow_listeners.exe"), {hexHandle(notificationWindow), "36", "100", "30"});
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(pumpUntil(30000, [] { return listeners.size() == 37; })) << listeners.size() << " subscribed";
    const std::vector<HWND> subscribed = listeners;
    for (int i = 0; i < 3; i++) {
        for (HWND w : subscribed) {
            DWORD_PTR answer = 0;
            ASSERT_TRUE(SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000 * machineSlower(), &answer))
                << "a listener's thread stays busy";
        }
        const DWORD start = GetTickCount();
        EXPECT_EQ(receive(false), 0);
        const DWORD held = GetTickCount() - start;
        EXPECT_LE(held, 1800u) << "record " << i << " held the host's thread for " << held << " ms";
    }
    EXPECT_EQ(listeners.size(), 37u) << "a listener under the copy's limit was dropped";
    TerminateProcess(program.process, 0);
}
