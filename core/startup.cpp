// Start-up (20001) and shut-down (20002): the image library check, the
// window class and the optional UpdateLayeredWindow.
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include "accessible.h"
#include "announcements.h"
#include "dispatch.h"
#include "notify_window.h"
#include "plugin_state.h"

namespace {
const int OLDEST_DEVIL = 167;

// All three parts are asked with the same query number.
bool devilRecentEnough() {
    return ilGetInteger(IL_VERSION_NUM) >= OLDEST_DEVIL && iluGetInteger(IL_VERSION_NUM) >= OLDEST_DEVIL &&
           ilutGetInteger(IL_VERSION_NUM) >= OLDEST_DEVIL;
}
}  // namespace

int startPlugin(HostControl* control) {
    host = control;
    if (!devilRecentEnough()) {
        MessageBoxA(nullptr, "DevIL version is different...exiting!", "Zinglet", MB_ICONERROR);
        return 0;
    }
    ilInit();
    iluInit();
    ilutRenderer(ILUT_WIN32);

    moduleInstance = host ? host->moduleHandle() : nullptr;
    registerNotifyWindowClass(moduleInstance);

    HMODULE user32 = GetModuleHandleA("USER32.DLL");
    updateLayeredWindow =
        user32 ? (UpdateLayeredWindowFn)(void*)GetProcAddress(user32, "UpdateLayeredWindow") : nullptr;
    lookUpUiaNotifications();
    return 1;
}

int stopPlugin() {
    // A window of the class keeps a procedure in this library: it must be
    // gone before the class, or a message to it would run unloaded code.
    destroyNotificationWindow();
    UnregisterClassA(NOTIFY_WINDOW_CLASS, host ? host->moduleHandle() : moduleInstance);
    closeAccessibility();
    dropUiaNotifications();
    host = nullptr;
    return 1;
}
