// From the host's request to the screen and back: a 52-byte popup request
// delivered to IMessageProc (linked in, then the built DLL) shows the
// composed picture at the work area's corner, and a click on it reaches the
// host as message 10103 with the request's origin and click value.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "skin/paint.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"
#include "support/fake_clock.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "window_fixture.h"
#include "core/entry.h"

namespace {
std::string dllPath() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string path(exe, n);
    return path.substr(0, path.find_last_of('\\') + 1) + "..\\dist\\notify.dll";
}

PopupRequest popup(const char* text, int32_t contact, int32_t clickValue) {
    PopupRequest r = popupRequest(text);
    r.displayTime = 3;
    r.clickable = 1;
    r.icon = 0x50000010;
    r.originAction = 130;
    r.originParent = 30;
    r.originContact = contact;
    r.clickValue = clickValue;
    return r;
}

// What the screen shows over the window's rectangle.
std::vector<uint32_t> screenPixels(const RECT& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<uint32_t> px = readPixels(bitmap);
    DeleteObject(bitmap);
    for (uint32_t& p : px) p &= 0xFFFFFF;
    return px;
}

void expectMessageClick(const StandInHost& h, int32_t contact, int32_t clickValue) {
    const int32_t origin[3] = {130, 30, contact};
    expectClickNotice(h, origin, clickValue);
}

// The shown window's rectangle, checked to stand at the work area's corner.
RECT shownAtCorner(HWND window) {
    RECT shown = {0, 0, 0, 0};
    GetWindowRect(window, &shown);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(shown.right, work.right);
    EXPECT_EQ(shown.bottom, work.bottom);
    return shown;
}

}  // namespace

TEST(EndToEnd, APopupRequestIsShownComposedAndItsClickReachesTheHost) {
    MessageBoxCatcher boxes;
    FakeClock clock(7000000);
    StandInHost h;
    h.setConfig(COL_SKIN, std::string("[brak]"));
    h.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    h.runStartup();
    ASSERT_TRUE(IsWindow(notificationWindow));
    HWND window = notificationWindow;

    PopupRequest r = popup("Wiadomość od <b>Ola", 9, 77);
    int id = h.deliver((HostMessage*)&r);
    ASSERT_GT(id, 0);
    pumpMessages();
    ASSERT_TRUE(IsWindowVisible(window));
    RECT shown = shownAtCorner(window);
    EXPECT_EQ(shown.right - shown.left, contentWidth);
    EXPECT_EQ(shown.bottom - shown.top, contentHeight);

    // The screen shows exactly the composed picture.
    std::vector<uint32_t> composed = readPixels(composedBitmap);
    for (uint32_t& p : composed) p &= 0xFFFFFF;
    ASSERT_EQ(composed.size(), (size_t)contentWidth * contentHeight);
    pumpUntil(5000, [&] { return screenPixels(shown) == composed; });
    EXPECT_EQ(screenPixels(shown), composed);
    // The tooltip look: its frame and its background.
    EXPECT_EQ(composed[0], rgbOf(GetSysColor(COLOR_INFOTEXT)));
    EXPECT_EQ(composed[(size_t)contentWidth * (contentHeight - 2) + contentWidth - 2],
              rgbOf(GetSysColor(COLOR_INFOBK)));

    // The same contact once more is a duplicate while the first is shown.
    PopupRequest again = popup("Wiadomość od <b>Ola", 9, 78);
    EXPECT_EQ(h.deliver((HostMessage*)&again), -1);

    h.clearRecords();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 2 + rowHeight / 2));
    expectMessageClick(h, 9, 77);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(boxes.boxes.empty());

    h.runShutdown();
    EXPECT_FALSE(IsWindow(window));
}

TEST(EndToEnd, TheBuiltLibraryShowsAPopupAndReportsItsClick) {
    MessageBoxCatcher boxes;
    StandInHost h;
    h.setConfig(COL_SKIN, std::string("[brak]"));
    ASSERT_TRUE(h.loadPlugin(dllPath().c_str())) << dllPath();
    h.runStartup();
    HWND window = findOwnWindow("VorlaneNotifyWindow");
    ASSERT_TRUE(window != nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    PopupRequest r = popup("Wiadomość od <b>Ala", 12, 5);
    ASSERT_GT(h.deliver((HostMessage*)&r), 0);
    ASSERT_TRUE(IsWindowVisible(window));
    RECT shown = shownAtCorner(window);
    EXPECT_GE(shown.right - shown.left, 100);
    EXPECT_GE(shown.bottom - shown.top, 17);
    int w = shown.right - shown.left;
    std::vector<uint32_t> px;
    pumpUntil(5000, [&] {
        px = screenPixels(shown);
        return px[0] == rgbOf(GetSysColor(COLOR_INFOTEXT));
    });
    EXPECT_EQ(px[0], rgbOf(GetSysColor(COLOR_INFOTEXT)));
    EXPECT_EQ(px[(size_t)w * 1 + w - 2], rgbOf(GetSysColor(COLOR_INFOBK)));

    h.clearRecords();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 8));
    expectMessageClick(h, 12, 5);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(boxes.boxes.empty());
    h.runShutdown();
    h.unloadPlugin();
}
