// Listener windows: subscription, WM_COPYDATA copies (also to a window of
// another thread), dead and stalled listeners dropped, the broadcast's time
// budget on the plug-in's clock, and the replay of the messages the host
// holds when a listener subscribes.
#include <string.h>
#include <map>
#include <string>
#include <vector>
#include "window_fixture.h"
#include "contract/info_record.h"
#include "support/win_helpers.h"
#include "window/private_messages.h"
#include "support/copy_recorder.h"

namespace {
HWND makeListener() { return makeCopyRecorder(); }

struct OtherThread {
    HANDLE thread = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND listener = nullptr;
    DWORD id = 0;
    static DWORD WINAPI run(void* p) {
        OtherThread* self = (OtherThread*)p;
        self->listener = makeListener();
        SetEvent(self->ready);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
        DestroyWindow(self->listener);
        return 0;
    }
    OtherThread() {
        thread = CreateThread(nullptr, 0, run, this, 0, &id);
        WaitForSingleObject(ready, 5000);
    }
    ~OtherThread() {
        PostThreadMessageA(id, WM_QUIT, 0, 0);
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
        CloseHandle(ready);
    }
};
// A listener on its own thread that stops pumping its messages right after
// creating its window and a sibling, until `release` is set (or 15 s have
// passed).
struct StalledThread {
    static LONG copies;
    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        // The copy may arrive after the sender gave up: count it, never read it.
        if (m == WM_COPYDATA) return InterlockedIncrement(&copies), 1;
        return DefWindowProcA(w, m, wp, lp);
    }
    HANDLE thread = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND listener = nullptr;
    HWND sibling = nullptr;
    DWORD id = 0;
    static HWND make() {
        return CreateWindowExA(0, "StalledListener", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    static DWORD WINAPI run(void* p) {
        StalledThread* self = (StalledThread*)p;
        self->listener = make();
        self->sibling = make();
        SetEvent(self->ready);
        WaitForSingleObject(self->release, 15000);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
        DestroyWindow(self->listener);
        DestroyWindow(self->sibling);
        return 0;
    }
    StalledThread() {
        copies = 0;
        registerTestClass("StalledListener", proc);
        thread = CreateThread(nullptr, 0, run, this, 0, &id);
        WaitForSingleObject(ready, 5000);
    }
    ~StalledThread() {
        SetEvent(release);
        PostThreadMessageA(id, WM_QUIT, 0, 0);
        WaitForSingleObject(thread, 20000);
        CloseHandle(thread);
        CloseHandle(ready);
        CloseHandle(release);
        UnregisterClassA("StalledListener", GetModuleHandleA(nullptr));
    }
};
LONG StalledThread::copies = 0;

// Listeners that take their own time over a copy on the test's clock: each
// moves it on by its GWLP_USERDATA milliseconds while it handles WM_COPYDATA,
// and the order of the copies is kept.
FakeClock* timedClock = nullptr;
std::vector<HWND> timedCopies;
LRESULT CALLBACK timedProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m != WM_COPYDATA) return DefWindowProcA(w, m, wp, lp);
    timedCopies.push_back(w);
    timedClock->advance((DWORD)GetWindowLongPtrA(w, GWLP_USERDATA));
    return TRUE;
}
HWND makeTimedListener(DWORD ms) {
    registerTestClass("TimedListener", timedProc);
    HWND w = CreateWindowExA(0, "TimedListener", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(w, GWLP_USERDATA, (LONG_PTR)ms);
    return w;
}
}  // namespace

class ListenerTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        recordedCopies.clear();
        timedClock = &clock;
        timedCopies.clear();
    }
    void subscribe(HWND w) { SendMessageA(window, MSG_SUBSCRIBE, (WPARAM)w, 0); }
    void broadcast(const char* record) { sendPrivateMessage(window, MSG_BROADCAST_TEXT, 1, (LPARAM)record); }
};

TEST_F(ListenerTest, SubscriptionsKeepOneEntryPerWindow) {
    HWND a = makeListener(), b = makeListener();
    subscribe(a);
    subscribe(a);
    subscribe((HWND)0x12345678);
    subscribe(nullptr);
    subscribe(b);
    ASSERT_EQ(listeners.size(), 2u);
    EXPECT_EQ(listeners[0], a);
    EXPECT_EQ(listeners[1], b);
    SendMessageA(window, MSG_UNSUBSCRIBE, (WPARAM)a, 0);
    SendMessageA(window, MSG_UNSUBSCRIBE, (WPARAM)a, 0);
    ASSERT_EQ(listeners.size(), 1u);
    EXPECT_EQ(listeners[0], b);
    // The listener list outlives the window.
    DestroyWindow(window);
    EXPECT_EQ(listeners.size(), 1u);
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(ListenerTest, BroadcastCopiesTheTextToLiveListenersAndDropsDeadOnes) {
    OtherThread other;
    ASSERT_TRUE(other.listener != nullptr);
    HWND first = makeListener(), dead = makeListener();
    subscribe(first);
    subscribe(dead);
    subscribe(other.listener);
    DestroyWindow(dead);
    const char record[] = "\x1Aname=Ola";
    sendPrivateMessage(window, MSG_BROADCAST_TEXT, 2, (LPARAM)record);
    ASSERT_EQ(listeners.size(), 2u);
    EXPECT_EQ(listeners[0], first);
    EXPECT_EQ(listeners[1], other.listener);
    for (HWND w : {first, other.listener}) {
        ASSERT_EQ(recordedCopies[w].size(), 1u);
        const RecordedCopy& c = recordedCopies[w][0];
        EXPECT_EQ(c.kind, 2u);
        EXPECT_EQ(c.bytes.size(), sizeof(record));
        EXPECT_EQ(c.bytes, std::string(record, sizeof(record)));
    }
    EXPECT_TRUE(recordedCopies[dead].empty());

    sendPrivateMessage(window, MSG_BROADCAST_TEXT, 1, (LPARAM) "");
    ASSERT_EQ(recordedCopies[first].size(), 2u);
    EXPECT_EQ(recordedCopies[first][1].kind, 1u);
    EXPECT_EQ(recordedCopies[first][1].bytes.size(), 1u);
    // A null text is no broadcast.
    sendPrivateMessage(window, MSG_BROADCAST_TEXT, 1, 0);
    EXPECT_EQ(recordedCopies[first].size(), 2u);
    DestroyWindow(first);
}

TEST_F(ListenerTest, ANewListenerHearsOfTheHeldMessages) {
    stand.addContact(5, "111", "Ola");
    stand.addContact(5, "222", "Ala");
    stand.heldMessages.push_back({5, 1, "111", "hej"});
    stand.heldMessages.push_back({5, 1, "222", "cześć"});
    stand.setConfig(COL_USEVINDLE, 1);

    HWND older = makeListener();
    subscribe(older);  // the replay reaches every listener
    recordedCopies.clear();
    HWND fresh = makeListener();
    subscribe(fresh);

    ASSERT_EQ(stand.countSent(103), 2);
    const StandInHost::Sent* selection = stand.lastSent(103);
    ASSERT_EQ(selection->p1Bytes.size(), 30u);
    int32_t values[7];
    memcpy(values, selection->p1Bytes.data() + 2, sizeof(values));
    EXPECT_EQ(*(const uint16_t*)selection->p1Bytes.data(), 30);
    const int32_t expected[7] = {-1, 0, 1, 0, 2, -1, 0};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(values[i], expected[i]) << "value " << i;

    for (HWND w : {older, fresh}) {
        ASSERT_EQ(recordedCopies[w].size(), 2u);
        // Asked for from the last held message down to the first.
        EXPECT_EQ(recordedCopies[w][0].bytes, setInfoField("", "name", "Ala") + '\0');
        EXPECT_EQ(recordedCopies[w][1].bytes, setInfoField("", "name", "Ola") + '\0');
        EXPECT_EQ(recordedCopies[w][0].kind, 2u);
    }
    DestroyWindow(older);
    DestroyWindow(fresh);
}

TEST_F(ListenerTest, TheBlankRecordIsFilledExactlyAsTheHostExpects) {
    stand.addContact(5, "111", "Ola");
    stand.heldMessages.push_back({5, 1, "111", "hej"});
    stand.setConfig(COL_USEVINDLE, 1);
    std::vector<uint8_t> blank, selection;
    stand.answerers.set(Address::hostMessage(106), [&](HostMessage* m) {
        const HostMessage2* m2 = (const HostMessage2*)m;
        blank.assign((uint8_t*)m2->p2, (uint8_t*)m2->p2 + 58);
        selection.assign((uint8_t*)m2->p1, (uint8_t*)m2->p1 + 30);
        return 0;  // nothing delivered: no broadcast follows
    });
    HWND w = makeListener();
    subscribe(w);
    ASSERT_EQ(blank.size(), 58u);
    auto i32 = [&](size_t at) {
        int32_t v;
        memcpy(&v, blank.data() + at, 4);
        return v;
    };
    EXPECT_EQ(*(const uint16_t*)blank.data(), 58);
    for (size_t at : {2, 6, 10, 30, 34, 38, 46, 50, 54}) EXPECT_EQ(i32(at), 0) << "offset " << at;
    EXPECT_EQ(i32(42), -2);
    for (size_t at : {14, 18, 22, 26}) {
        const char* text = (const char*)(intptr_t)i32(at);
        ASSERT_TRUE(text != nullptr) << "offset " << at;
        EXPECT_EQ(text[0], 0) << "offset " << at;
    }
    int32_t index;
    memcpy(&index, selection.data() + 26, 4);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(recordedCopies[w].empty());

    // With the setting off nobody asks the host.
    stand.setConfig(COL_USEVINDLE, 0);
    stand.clearRecords();
    HWND second = makeListener();
    subscribe(second);
    EXPECT_EQ(stand.countSent(103), 0);
    EXPECT_EQ(listeners.size(), 2u);
    DestroyWindow(w);
    DestroyWindow(second);
}

TEST_F(ListenerTest, AListenerThatStopsPumpingIsDroppedAndTheOthersStillHear) {
    StalledThread stalled;
    ASSERT_TRUE(stalled.listener != nullptr);
    HWND before = makeListener(), after = makeListener();
    subscribe(before);
    subscribe(stalled.listener);
    subscribe(after);
    ASSERT_EQ(listeners.size(), 3u);

    sendPrivateMessage(window, MSG_BROADCAST_TEXT, 1, (LPARAM) "\x1Aname=Ola");
    // The sender gave up on the stalled listener (it is still stalled) and
    // went on to the next one.
    EXPECT_EQ(WaitForSingleObject(stalled.thread, 0), (DWORD)WAIT_TIMEOUT);
    ASSERT_EQ(listeners.size(), 2u);
    EXPECT_EQ(listeners[0], before);
    EXPECT_EQ(listeners[1], after);
    EXPECT_EQ(recordedCopies[before].size(), 1u);
    EXPECT_EQ(recordedCopies[after].size(), 1u);

    SetEvent(stalled.release);
    // Once this is answered the thread has handled whatever was still pending.
    DWORD_PTR ignored;
    SendMessageTimeoutA(stalled.listener, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    LONG copiesAfterRelease = stalled.copies;
    sendPrivateMessage(window, MSG_BROADCAST_TEXT, 1, (LPARAM) "\x1Aname=Ala");
    EXPECT_EQ(recordedCopies[after].size(), 2u);
    EXPECT_EQ(stalled.copies, copiesAfterRelease);
    DestroyWindow(before);
    DestroyWindow(after);
}

// The thread of a listener whose copy ran out is still busy with it: its
// other windows wait for the next record and keep their subscription.
TEST_F(ListenerTest, TheOtherWindowsOfAStalledThreadWaitForTheNextRecord) {
    StalledThread stalled;
    ASSERT_TRUE(stalled.sibling != nullptr);
    HWND after = makeListener();
    subscribe(stalled.listener);
    subscribe(stalled.sibling);
    subscribe(after);
    broadcast("\x1Aname=Ola");
    EXPECT_EQ(listeners, (std::vector<HWND>{stalled.sibling, after}));
    EXPECT_EQ(recordedCopies[after].size(), 1u);
    DestroyWindow(after);
}

// 200 ms over a copy is the most a listener may take; one that took more
// than 50 ms waits behind the others with the next record.
TEST_F(ListenerTest, AListenerOverItsTimeIsDroppedAndSlowOnesAreServedLast) {
    HWND slow = makeTimedListener(51), atLimit = makeTimedListener(200), over = makeTimedListener(201),
         quick = makeTimedListener(50), last = makeTimedListener(0);
    for (HWND w : {slow, atLimit, over, quick, last}) subscribe(w);

    const DWORD start = clock.tick;
    broadcast("\x1Aname=Ola");
    EXPECT_EQ(timedCopies, (std::vector<HWND>{slow, atLimit, over, quick, last}));
    EXPECT_EQ(clock.tick - start, 502u);
    EXPECT_EQ(listeners, (std::vector<HWND>{slow, atLimit, quick, last})) << "the one over 200 ms is dropped";

    timedCopies.clear();
    broadcast("\x1Aname=Ala");
    EXPECT_EQ(timedCopies, (std::vector<HWND>{quick, last, slow, atLimit}));
    for (HWND w : {slow, atLimit, over, quick, last}) DestroyWindow(w);
}

// One record spends at most a second on all listeners: the one whose copy
// the rest of the second cut short is kept as a slow one, and those after
// it miss the record but keep their subscription and are served first with
// the next.
TEST_F(ListenerTest, OneRecordSpendsAtMostASecondAndTheListenersCutShortStay) {
    std::vector<HWND> steady;
    for (int i = 0; i < 6; i++) steady.push_back(makeTimedListener(150));
    HWND cutShort = makeTimedListener(150), missed = makeTimedListener(0);
    for (HWND w : steady) subscribe(w);
    subscribe(cutShort);
    subscribe(missed);

    const DWORD start = clock.tick;
    broadcast("\x1Aname=Ola");
    std::vector<HWND> served = steady;
    served.push_back(cutShort);
    EXPECT_EQ(timedCopies, served) << "the budget ran out after the seventh";
    EXPECT_EQ(clock.tick - start, 1050u);
    EXPECT_EQ(listeners.size(), 8u) << "nobody is dropped for the budget";

    timedCopies.clear();
    broadcast("\x1Aname=Ala");
    ASSERT_FALSE(timedCopies.empty());
    EXPECT_EQ(timedCopies[0], missed);
    for (HWND w : steady) DestroyWindow(w);
    DestroyWindow(cutShort);
    DestroyWindow(missed);
}
