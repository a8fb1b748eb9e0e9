// With DevIL reporting version 166 the plug-in refuses to start: one
// message box, result 0, no window class.
#include <gtest/gtest.h>
#include "core/plugin_state.h"
#include "host/stand_in_host.h"
#include "support/message_boxes.h"

// Wine's message box keeps its icon in control 0x0440; this hook runs
// before the catcher's (hooks installed later run first) and notes whether
// that icon is the system's error icon.
static bool errorIconShown = false;
static HHOOK iconHook = nullptr;
static LRESULT CALLBACK noteIcon(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HICON shown = (HICON)SendDlgItemMessageA((HWND)wParam, 0x0440, STM_GETICON, 0, 0);
        if (shown && shown == LoadIconA(nullptr, IDI_HAND)) errorIconShown = true;
    }
    return CallNextHookEx(iconHook, code, wParam, lParam);
}

TEST(OldImageLibrary, StartUpShowsOneErrorBoxAndRegistersNothing) {
    MessageBoxCatcher boxes;
    iconHook = SetWindowsHookExA(WH_CBT, noteIcon, nullptr, GetCurrentThreadId());
    StandInHost vorlane;
    vorlane.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    EXPECT_EQ(vorlane.start(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "DevIL version is different...exiting!");
    EXPECT_EQ(boxes.boxes[0].caption, "Zinglet");
    UnhookWindowsHookEx(iconHook);
    EXPECT_TRUE(errorIconShown || (boxes.boxes[0].style & MB_ICONMASK) == MB_ICONERROR);
    EXPECT_EQ(boxes.boxes[0].owner, nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), NOTIFY_WINDOW_CLASS, &wc));
    EXPECT_EQ(updateLayeredWindow, nullptr);
    // The pointer is kept: unlisted messages still report their error.
    EXPECT_EQ(host, (HostControl*)&vorlane);
    EXPECT_EQ(vorlane.send(20003), 0);
    EXPECT_EQ(vorlane.errors, std::vector<int>{1});
    vorlane.runShutdown();
    EXPECT_EQ(host, nullptr);
}
