// Start-up (20001) and shut-down (20002): the image library check, the
// window class and the optional UpdateLayeredWindow.
#include <string>
#include "accessible.h"
#include "announcements.h"
#include "user_presence.h"
#include "devil_library.h"
#include "dispatch.h"
#include "notify_window.h"
#include "plugin_state.h"
#include "wide_text.h"

namespace {
const int OLDEST_DEVIL = 167;

// All three parts are asked with the same query number.
bool devilRecentEnough() {
    return devil.ilGetInteger(IL_VERSION_NUM) >= OLDEST_DEVIL &&
           devil.iluGetInteger(IL_VERSION_NUM) >= OLDEST_DEVIL &&
           devil.ilutGetInteger(IL_VERSION_NUM) >= OLDEST_DEVIL;
}

void startUpError(const std::string& text) { ShowMessageBox(text.c_str(), MB_ICONERROR); }

// DevIL, ILU and ILUT are there and recent enough; else the user is told why
// the plug-in does not start.
bool devilUsable(HMODULE plugin) {
    std::string missing;
    switch (LoadDevil(plugin, &missing)) {
    case DEVIL_MISSING:
        startUpError(std::string(missing.find(',') == std::string::npos ? "Brak biblioteki " : "Brak bibliotek ") +
                     missing + " - wtyczka nie zostanie uruchomiona");
        return false;
    case DEVIL_INCOMPLETE:
        // A DLL of that name without the entry points of DevIL 1.7.8 is
        // as unusable as an old one.
        startUpError("DevIL version is different...exiting!");
        return false;
    case DEVIL_LOADED:
        break;
    }
    if (devilRecentEnough()) return true;
    UnloadDevil();
    startUpError("DevIL version is different...exiting!");
    return false;
}
}  // namespace

int startPlugin(HostControl* control) {
    attachHost(control);
    if (!devilUsable(host ? host->moduleHandle() : nullptr)) return 0;
    devil.ilInit();
    devil.iluInit();
    devil.ilutRenderer(ILUT_WIN32);

    markPluginStarted();
    registerNotifyWindowClass(moduleInstance);
    lookUpUiaNotifications();
    lookUpUserNotificationState();
    return 1;
}

int stopPlugin() {
    // A window of the class keeps a procedure in this library: it must be
    // gone before the class, or a message to it would run unloaded code.
    destroyNotificationWindow();
    UnregisterClassA(NOTIFY_WINDOW_CLASS, host ? host->moduleHandle() : moduleInstance);
    closeAccessibility();
    dropUiaNotifications();
    dropUserNotificationState();
    if (pluginStarted) UnloadDevil();
    detachHost();
    return 1;
}
