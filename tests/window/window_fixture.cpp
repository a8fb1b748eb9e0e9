#include "window_fixture.h"
#include <oleacc.h>
#include <string.h>
#include <ostream>
#include "window/window_setup.h"
#include "support/win_helpers.h"
#include "window/private_messages.h"

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

std::vector<std::wstring> accessibleLineNames(HWND window) {
    std::vector<std::wstring> names;
    IAccessible* acc = nullptr;
    if (AccessibleObjectFromWindow(window, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&acc) != S_OK) {
        ADD_FAILURE() << "the window answers no accessible object";
        return names;
    }
    LONG count = 0;
    acc->get_accChildCount(&count);
    for (LONG i = 1; i <= count; i++) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = i;
        BSTR name = nullptr;
        acc->get_accName(child, &name);
        names.push_back(name ? name : L"");
        SysFreeString(name);
    }
    acc->Release();
    return names;
}

void registerTestClass(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void expectClickNotice(const StandInHost& h, const int32_t origin[3], int32_t clickValue) {
    ASSERT_EQ(h.countSent(10103), 1);
    const StandInHost::Sent* sent = h.lastSent(10103);
    ASSERT_GE(sent->p1Bytes.size(), sizeof(ActionNotice));
    ActionNotice n;
    memcpy(&n, sent->p1Bytes.data(), sizeof(n));
    EXPECT_EQ(sent->p2, 0);
    EXPECT_EQ(n.size, 30);
    EXPECT_EQ(n.action.actionId, origin[0]);
    EXPECT_EQ(n.action.parentId, origin[1]);
    EXPECT_EQ(n.action.contact, origin[2]);
    EXPECT_EQ(n.code, 1);
    EXPECT_EQ(n.zero, 0);
    EXPECT_EQ(n.value1, clickValue);
    EXPECT_EQ(n.value2, 0);
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
    composing = false;
    ResetDefaultLook();
    // The look reset caches the window settings and the work-area corner.
    ASSERT_EQ(windowSettings.delay, 2000);
    ASSERT_EQ(windowSettings.animation, 0);
    ASSERT_EQ(windowSettings.waitForClick, 1);
    ASSERT_EQ(windowSettings.limit, 20);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_EQ(anchorRight, work.right);
    ASSERT_EQ(anchorBottom, work.bottom);
    windowRect = RECT{0, 0, 0, 0};
    displayState = Hidden;

    registerNotifyWindowClass(moduleInstance);
    // Created as the skin loader creates it for a look without transparency.
    CreateNotificationWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    window = notificationWindow;
    ASSERT_TRUE(window != nullptr);
}

void WindowFixture::TearDown() {
    if (notificationWindow) {
        sendPrivateMessage(notificationWindow, MSG_HIDE_ALL, 0, 0);
        DestroyWindow(notificationWindow);
    }
    if (IsWindow(window)) DestroyWindow(window);
    notificationWindow = nullptr;
    pumpMessages();
    UnregisterClassA(NOTIFY_WINDOW_CLASS, moduleInstance);
    listeners.clear();
    hovering = false;
    composing = false;
    host = nullptr;
}

int WindowFixture::add(const char* text, int displayTime, int clickable, const int32_t* origin,
                       HICON icon, int clickValue) {
    NotificationRequest r = {text, icon, nullptr, 0, displayTime, clickable, origin, clickValue};
    return (int)sendPrivateMessage(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
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
