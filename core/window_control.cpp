// Replacing and tearing down the notification window on the host's request.
#include "dispatch.h"
#include "network_states.h"
#include "notify_window.h"
#include "private_messages.h"
#include "window_setup.h"

LRESULT sendToNotificationWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    // No window, nothing to tell: never send to a null handle.
    if (!notificationWindow) return 0;
    return sendPrivateMessage(notificationWindow, message, wParam, lParam);
}

void destroyNotificationWindow() {
    sendToNotificationWindow(MSG_HIDE_ALL, 0, 0);
    if (notificationWindow) {
        HWND window = notificationWindow;
        DestroyWindow(window);
        // The window forgets itself when destroyed; make sure of it.
        forgetNotificationWindow(window);
    }
}

void rebuildNotificationWindow() {
    destroyNotificationWindow();
    // Without a start-up that found the image libraries there is no class
    // to make a window of, and no DevIL to read a skin with.
    if (pluginStarted) LoadSkin();
}

void tearDownNotificationWindow() {
    destroyNotificationWindow();
    forgetNetworkStates();
}
