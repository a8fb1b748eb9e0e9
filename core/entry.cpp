// IMessageProc: the plug-in's one export. Identity questions are answered
// here; everything else is routed to its handler (core/dispatch.h).
#include "config_columns.h"
#include "dispatch.h"
#include "host_messages.h"
#include "plugin_state.h"
#include "version.h"
#include "entry.h"

namespace {
const char VERSION_TEXT[] = NOTIFY_VERSION_TEXT;
const char SHORT_NAME[] = "ZINGLET";
const char PLATFORM_TEXT[] = "W98";
const char DISPLAY_NAME[] = "Vorlane Notify";

// p1 and p2 exist only in records of at least 30 bytes; a shorter record
// carries none and is never read past its end.
void readParams(const HostMessage* m, intptr_t* p1, intptr_t* p2) {
    *p1 = *p2 = 0;
    if (m->size >= sizeof(HostMessage2)) {
        *p1 = ((const HostMessage2*)m)->p1;
        *p2 = ((const HostMessage2*)m)->p2;
    }
}

const char* statusDescription(const HostMessage* m) {
    return m->size >= sizeof(HostMessageStatus) ? ((const HostMessageStatus*)m)->description : nullptr;
}

// Requests of other plug-ins may come from any thread; the window lives on
// the host's main thread, so the host delivers them again there.
bool onForeignThread() { return host && host->isForeignThread(0); }

int dispatch(HostMessage* message) {
    // Fields past the record's size read as 0; only a record too short to
    // hold its id is refused.
    if (message->size < offsetof(HostMessage, id) + sizeof(message->id)) {
        if (host) host->setError(1);
        return 0;
    }
    intptr_t p1, p2;
    readParams(message, &p1, &p2);
    switch (message->id) {
    case HOST_START: return startPlugin((HostControl*)p1);
    case HOST_STOP: return stopPlugin();
    case HOST_QUERY_20020: return QUERY_20020_ANSWER;
    case HOST_QUERY_20021: return QUERY_20021_ANSWER;
    case HOST_MESSAGE_RECEIVED: return onMessageReceived(p1);
    case HOST_DECLARE_COLUMNS:
        registerColumns();
        return 1;
    case HOST_SETTINGS_CHANGED:
        rebuildNotificationWindow();
        return 0;
    case HOST_BUILD_OPTIONS: return buildOptionsPage();
    case HOST_WINDOW_CREATE:
        // A window left in place would outlive the class and the library.
        rebuildNotificationWindow();
        return 1;
    case HOST_WINDOW_TEAR_DOWN:
        tearDownNotificationWindow();
        return 1;
    case HOST_ACTION_EVENT: return onActionNotice(p1);
    case HOST_CONTACT_STATUS: return onContactStatusChanged(p1, p2, statusDescription(message));
    case HOST_NETWORK_STATUS: return onNetworkStatusChanged(p1, p2, statusDescription(message));
    case PLUGIN_NETWORK: return NOTIFY_NETWORK;
    case PLUGIN_TYPE: return PLUGIN_TYPE_ANSWER;
    case PLUGIN_VERSION: return (int)(intptr_t)VERSION_TEXT;
    case PLUGIN_SHORT_NAME: return (int)(intptr_t)SHORT_NAME;
    case PLUGIN_PLATFORM: return (int)(intptr_t)PLATFORM_TEXT;
    case PLUGIN_QUERY_30015: return 0;
    case PLUGIN_DISPLAY_NAME: return (int)(intptr_t)DISPLAY_NAME;
    case PLUGIN_QUERY_30017: return 0;
    case NOTIFY_REQUEST:
        if (onForeignThread()) return host->recallOnMainThread(0, 1);
        return showRequestedNotification(message);
    case NOTIFY_CLOSE:
        if (onForeignThread()) return host->recallOnMainThread(0, 1);
        return closeRequestedNotification((int)p1);
    default:
        if (host) host->setError(1);
        return 0;
    }
}
}  // namespace

extern "C" int __stdcall IMessageProc(HostMessage* message) {
    if (!message) {
        if (host) host->setError(1);
        return 0;
    }
    // No exception may reach the host.
    try {
        return dispatch(message);
    } catch (...) {
        return 0;
    }
}
