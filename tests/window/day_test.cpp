// A day of traffic in accelerated time through IMessageProc: a request from
// another plug-in every second, a received message every 10 s, a storm of
// status changes of 100 contacts every 15 minutes, a preview and a change
// of the settings every hour. The clock is the injectable one; the expiry
// timer ticks every third simulated second.
//
// Under Wine GetGuiResources answers 0 and the process's private usage is
// not reported, so both are measured by probing: GDI handles by filling
// the process's 65,536-entry table with regions and counting how many fit;
// private memory by walking the address space for committed private pages.
// USER handles live in a table shared with every other process of the
// session, which a test must not fill: every icon handed over is checked to
// be destroyed, and the process's own windows are counted.
#include <windows.h>
#include <psapi.h>
#include <stdlib.h>
#include <time.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "core/network_states.h"
#include "core/plugin_fixture.h"
#include "contract/received_message.h"
#include "window_fixture.h"
#include "window/private_messages.h"
#include "support/network_plugin.h"
#include "support/fake_clock.h"
#include "core/entry.h"

namespace {
const int NETWORK_PLUGIN = StandInNetwork::PLUGIN, NET = StandInNetwork::NET, CONTACTS = 100;
const int DAY = 24 * 3600, HOUR = 3600;
const int PREVIEW_BUTTON = 774116, CODE_CLICK = 1;

int freeGdiHandles() {
    std::vector<HRGN> made;
    made.reserve(70000);
    for (HRGN r; made.size() < 70000 && (r = CreateRectRgn(0, 0, 1, 1)) != nullptr;) made.push_back(r);
    for (HRGN r : made) DeleteObject(r);
    return (int)made.size();
}

size_t privateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION m;
    for (uintptr_t at = 0; VirtualQuery((void*)at, &m, sizeof(m)) == sizeof(m);) {
        if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
        uintptr_t next = (uintptr_t)m.BaseAddress + m.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

BOOL CALLBACK countOwn(HWND w, LPARAM count) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId()) ++*(int*)count;
    return TRUE;
}

// Top-level and message-only windows of this process.
int ownWindows() {
    int n = 0;
    EnumWindows(countOwn, (LPARAM)&n);
    for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;)
        countOwn(w, (LPARAM)&n);
    return n;
}

class Day : public PluginTest {
protected:
    FakeClock clock{1000, 1700000000};
    StandInNetwork network{vorlane};
    std::vector<int> rows;
    std::vector<HICON> handedOver;
    int hourOfSettings = 0;

    void SetUp() override {
        PluginTest::SetUp();
        for (int column : {COL_EVENTS_STATUS, COL_EVENTS_MSG, COL_STATUSDESCR, COL_MSGBODY, COL_SELFSTATUS,
                           COL_USEVINDLE})
            vorlane.setConfig(column, 1);
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_WAITFORCLICK, 0);
        vorlane.setConfig(COL_ANIMATION, 0);
        vorlane.setConfig(COL_FULLSCREEN, 0);
        for (int i = 0; i < CONTACTS; i++) {
            int row = vorlane.addContact(NET, std::to_string(1000 + i), i % 2 ? "Ola" : "Jan");
            for (int column : {COL_CNT_STATUS, COL_CNT_STATUSDESCR, COL_CNT_MSG, COL_CNT_MSGBODY})
                vorlane.setContact(row, column, 1);
            rows.push_back(row);
        }
        ASSERT_EQ(vorlane.declareOptions(), 1);
        ASSERT_EQ(vorlane.createWindow(), 1);
        statusOf(24012, NETWORK_PLUGIN, 0x02, "w pracy");
    }
    void TearDown() override {
        vorlane.destroyWindow();
        vorlane.stop();
        networkStates.clear();
    }
    void statusOf(int id, int p1, int p2, const char* description) {
        HostMessageStatus m = {};
        m.size = sizeof(m);
        m.id = id;
        m.p1 = p1;
        m.p2 = p2;
        m.description = description;
        deliver(m);
    }
    // The window as a message-only one: the day measures the plug-in, not
    // the X server mapping and moving a window 100,000 times.
    void quietWindow() { SetParent(notificationWindow, HWND_MESSAGE); }

    void second(int t) {
        // Every fifth request hands over an icon; the others name a host icon.
        PopupRequest r = popupRequest("Wtyczka <b>mówi");
        r.displayTime = 1;
        if (t % 5 == 0) {
            HICON icon = makeIcon();
            handedOver.push_back(icon);
            r.iconFlags = 1;
            r.icon = (uint32_t)(uintptr_t)icon;
        }
        deliver(r);
        if (t % 10 == 0) {
            std::string from = std::to_string(1000 + t / 10 % CONTACTS);
            ReceivedMessage m = {58, 0, NET, 1, from.c_str(), "", "Cześć, co słychać?", "", 0, 0, 0, -2, 0, 0, 0};
            vorlane.send(20100, (intptr_t)&m);
        }
        if (t % 900 == 450) {
            static const int statuses[] = {0x02, 0x14, 0x03, 0x40};
            for (int i = 0; i < CONTACTS; i++) {
                vorlane.setContact(rows[i], 2, statuses[(t / 900 + i) % 4]);
                statusOf(24011, rows[i], statuses[(t / 900 + i + 1) % 4], i % 3 ? "opis" : nullptr);
            }
        }
        if (t % HOUR == 1800) {
            ActionNotice preview = {};
            preview.size = sizeof(preview);
            preview.action.actionId = PREVIEW_BUTTON;
            preview.code = CODE_CLICK;
            vorlane.send(22200, (intptr_t)&preview);
            quietWindow();
            ++hourOfSettings;
            vorlane.setConfig(COL_LIMIT, hourOfSettings % 2 ? 5 : 20);
            vorlane.setConfig(COL_DELAY, hourOfSettings % 3 ? 2000 : 1500);
            vorlane.setConfig(COL_SKIN, std::string("[brak]"));
            vorlane.send(21020);
            quietWindow();
        }
        // The stand-in host's records of what it was sent are not the plug-in's memory.
        vorlane.clearRecords();
        clock.advance(1000);
        clock.seconds += 1;
        // Lines last two seconds or less: a tick every third second takes
        // them in batches, as a busy interface thread would.
        if (t % 3 == 2) SendMessageA(notificationWindow, WM_TIMER, EXPIRY_TIMER, 0);
    }
};
}  // namespace

TEST_F(Day, TwentyFourHoursLeaveHandlesAndMemoryWhereTheyWere) {
    // What the system reports, for the record: 0 under Wine.
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&counters, sizeof(counters));
    printf("GetGuiResources: GDI %lu, USER %lu; private usage %lu\n",
           GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
           (unsigned long)counters.PrivateUsage);

    // NOTIFY_DAY_FROM and NOTIFY_DAY_HOURS run a part of the day: the suite
    // runs its two halves side by side.
    const char* from = getenv("NOTIFY_DAY_FROM");
    const char* hours = getenv("NOTIFY_DAY_HOURS");
    const int start = from ? atoi(from) * HOUR : 0;
    const int end = hours ? start + atoi(hours) * HOUR : DAY;
    quietWindow();
    // The hour before fills the caches of the system and of the heap.
    for (int t = start - HOUR; t < start; t++) second(t + DAY);
    const int gdiBefore = freeGdiHandles();
    const size_t memoryBefore = privateBytes();
    const int windowsBefore = ownWindows();

    for (int t = start; t < end; t++) second(t);
    sendPrivateMessage(notificationWindow, MSG_HIDE_ALL, 0, 0);

    const int gdiAfter = freeGdiHandles();
    const size_t memoryAfter = privateBytes();
    printf("free GDI handles %d -> %d; private bytes %u -> %u; %u icons handed over\n", gdiBefore, gdiAfter,
           (unsigned)memoryBefore, (unsigned)memoryAfter, (unsigned)handedOver.size());
    // The bounds: 16 GDI handles and 2 MB over more than 50,000 notifications,
    // far below one handle or 40 bytes kept per notification.
    EXPECT_GE(gdiAfter, gdiBefore - 16);
    EXPECT_LE(memoryAfter, memoryBefore + 2 * 1024 * 1024);
    EXPECT_EQ(ownWindows(), windowsBefore);
    int alive = 0;
    for (HICON icon : handedOver) alive += iconAlive(icon) ? 1 : 0;
    EXPECT_EQ(alive, 0);
}
