#include "bench_window.h"
#include <stdio.h>
#include "contract/plugin_state.h"
#include "window/notify_window.h"
#include "window/window_settings.h"
#include "window/window_setup.h"

HWND openBenchWindow(int limit) {
    moduleInstance = GetModuleHandleA(nullptr);
    ResetDefaultLook();
    windowSettings.delay = 2000;
    windowSettings.animation = 0;
    windowSettings.waitForClick = 1;
    windowSettings.limit = limit;
    registerNotifyWindowClass(moduleInstance);
    CreateNotificationWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    if (!notificationWindow) printf("no notification window\n");
    return notificationWindow;
}

void closeBenchWindow(HWND window) {
    DestroyWindow(window);
    UnregisterClassA(NOTIFY_WINDOW_CLASS, moduleInstance);
}
