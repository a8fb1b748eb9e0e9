#include "plugin_state.h"

HostControl* host = nullptr;
HINSTANCE moduleInstance = nullptr;
bool pluginStarted = false;
UpdateLayeredWindowFn updateLayeredWindow = nullptr;
const char NOTIFY_WINDOW_CLASS[] = NOTIFY_CLASS_NAME;
HWND notificationWindow = nullptr;

void recordNotificationWindow(HWND window) { notificationWindow = window; }

void forgetNotificationWindow(HWND window) {
    if (notificationWindow == window) notificationWindow = nullptr;
}
