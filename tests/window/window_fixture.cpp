#include "window_fixture.h"
#include <ostream>
#include "skin/skin_load.h"
#include "support/win_helpers.h"

DWORD fakeNow = 1000000;
DWORD WINAPI fakeTick() { return fakeNow; }

HICON makeIcon() {
    BYTE andMask[16 * 16 / 8];
    BYTE xorMask[16 * 16 / 8];
    memset(andMask, 0x00, sizeof(andMask));
    memset(xorMask, 0xFF, sizeof(xorMask));
    return CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask, xorMask);
}

bool iconAlive(HICON icon) {
    ICONINFO info;
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

void WindowFixture::SetUp() {
    if (!moduleInstance) moduleInstance = GetModuleHandleA(nullptr);
    host = &stand;
    stand.setConfig(COL_FULLSCREEN, 0);
    stand.setConfig(COL_MOUSECLOSE, 0);
    stand.setConfig(COL_USEVINDLE, 0);
    stand.setConfig(COL_DELAY, 2000);
    stand.setConfig(COL_ANIMATION, 0);
    stand.setConfig(COL_WAITFORCLICK, 1);
    stand.setConfig(COL_LIMIT, 20);
    tickSource = fakeTick;
    fakeNow = 1000000;
    composing = false;
    ResetDefaultLook();
    // The settings the tests assume, whatever the look reset read.
    windowSettings.delay = 2000;
    windowSettings.animation = 0;
    windowSettings.waitForClick = 1;
    windowSettings.limit = 20;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    anchorRight = work.right;
    anchorBottom = work.bottom;
    windowRect = RECT{0, 0, 0, 0};
    displayState = Hidden;

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = NotifyWindowProc;
    wc.hInstance = moduleInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = NOTIFY_WINDOW_CLASS;
    RegisterClassExA(&wc);
    window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, NOTIFY_WINDOW_CLASS, "",
                             WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0, nullptr, nullptr,
                             moduleInstance, nullptr);
    ASSERT_TRUE(window != nullptr);
    notificationWindow = window;
}

void WindowFixture::TearDown() {
    if (notificationWindow) {
        SendMessageA(notificationWindow, MSG_HIDE_ALL, 0, 0);
        DestroyWindow(notificationWindow);
    }
    if (IsWindow(window)) DestroyWindow(window);
    notificationWindow = nullptr;
    pumpMessages();
    UnregisterClassA(NOTIFY_WINDOW_CLASS, moduleInstance);
    listeners.clear();
    hovering = false;
    composing = false;
    tickSource = GetTickCount;
    host = nullptr;
}

int WindowFixture::add(const char* text, int displayTime, int clickable, const int32_t* origin,
                       HICON icon, int clickValue) {
    NotificationRequest r = {text, icon, nullptr, 0, displayTime, clickable, origin, clickValue};
    return (int)SendMessageA(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
}

bool WindowFixture::timerRunning(UINT id) {
    if (!KillTimer(window, id)) return false;
    SetTimer(window, id, id == ANIMATION_TIMER ? 10 : 100, nullptr);
    return true;
}

LPARAM WindowFixture::pointOnRow(int row) const {
    int x = skin.marginLeft + 2;
    int y = skin.marginTop + row * rowHeight + rowHeight / 2;
    return MAKELPARAM(x, y);
}

RECT WindowFixture::realRect() const {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(notificationWindow, &r);
    return r;
}
