// A notification window of the real class and procedure, a stand-in host
// answering the settings, and a clock the tests move by hand.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "skin/alpha_channel.h"
#include "skin/paint.h"
#include "skin/skin.h"
#include "support/fake_clock.h"
#include "window/listeners.h"
#include "window/notify_window.h"
#include "window/placement.h"
#include "window/window_settings.h"
#include "window/window_update.h"
#include "window/notification_queue.h"

// A 16 x 16 icon of its own; the queue is to destroy it.
HICON makeIcon();
// Whether the handle still names an icon.
bool iconAlive(HICON icon);

// What a screen reader reads of the window: its children's names, top row
// first; a window that answers no accessible object fails the test.
std::vector<std::wstring> accessibleLineNames(HWND window);
// A window class of the test's own with the given procedure.
void registerTestClass(const char* name, WNDPROC proc = DefWindowProcA);
// The one click notice (host message 10103) the host received, field by field.
void expectClickNotice(const StandInHost& h, const int32_t origin[3], int32_t clickValue);

class WindowFixture : public ::testing::Test {
protected:
    StandInHost stand;
    FakeClock clock;
    HWND window = nullptr;

    void SetUp() override;
    void TearDown() override;

    int add(const char* text, int displayTime = 1, int clickable = 0,
            const int32_t* origin = nullptr, HICON icon = nullptr, int clickValue = 0);
    void advance(DWORD ms) { clock.advance(ms); }
    LRESULT tick(UINT id) { return SendMessageA(window, WM_TIMER, id, 0); }
    // Whether the window's timer runs (probed by stopping and restarting it).
    bool timerRunning(UINT id);
    // A client point inside the text area on the given row.
    LPARAM pointOnRow(int row) const;
    RECT realRect() const;
    std::string lineText(int row) const { return notificationQueue.row(row).text; }
};

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& out, const RECT& r);
