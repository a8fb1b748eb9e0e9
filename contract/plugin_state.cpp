#include "plugin_state.h"

HostControl* host = nullptr;
HINSTANCE moduleInstance = nullptr;
bool pluginStarted = false;
UpdateLayeredWindowFn updateLayeredWindow = nullptr;
const char NOTIFY_WINDOW_CLASS[] = NOTIFY_CLASS_NAME;
HWND notificationWindow = nullptr;

void attachHost(HostControl* control) {
    host = control;
    pluginStarted = false;
}

void markPluginStarted() {
    moduleInstance = host ? host->moduleHandle() : nullptr;
    HMODULE user32 = GetModuleHandleA("USER32.DLL");
    updateLayeredWindow =
        user32 ? (UpdateLayeredWindowFn)(void*)GetProcAddress(user32, "UpdateLayeredWindow") : nullptr;
    pluginStarted = true;
}

void detachHost() {
    pluginStarted = false;
    host = nullptr;
}

void recordNotificationWindow(HWND window) { notificationWindow = window; }

void forgetNotificationWindow(HWND window) {
    if (notificationWindow == window) notificationWindow = nullptr;
}
