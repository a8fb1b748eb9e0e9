// IMessageProc: the plug-in's one export. Identity questions are answered
// here; everything else is routed to its handler (core/dispatch.h).
#include "dispatch.h"
#include "config_columns.h"
#include "plugin_state.h"

namespace {
const char VERSION_TEXT[] = "0.4.7.2";
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
    case 20001: return startPlugin((HostControl*)p1);
    case 20002: return stopPlugin();
    case 20020: return 2;
    case 20021: return 224;
    case 20100: return onMessageReceived(p1);
    case 21001:
        registerColumns();
        return 1;
    case 21020:
        rebuildNotificationWindow();
        return 0;
    case 22000: return buildOptionsPage();
    case 22100:
        // A window left in place would outlive the class and the library.
        rebuildNotificationWindow();
        return 1;
    case 22101:
        tearDownNotificationWindow();
        return 1;
    case 22200: return onActionNotice(p1);
    case 24011: return onContactStatusChanged(p1, p2, statusDescription(message));
    case 24012: return onNetworkStatusChanged(p1, p2, statusDescription(message));
    case 30010: return NOTIFY_NETWORK;
    case 30011: return 652;
    case 30012: return (int)(intptr_t)VERSION_TEXT;
    case 30013: return (int)(intptr_t)SHORT_NAME;
    case 30014: return (int)(intptr_t)PLATFORM_TEXT;
    case 30015: return 0;
    case 30016: return (int)(intptr_t)DISPLAY_NAME;
    case 30017: return 0;
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
