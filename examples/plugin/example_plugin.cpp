// example_plugin.dll: a plug-in of the Vorlane host that asks the
// notification plug-in for notifications, as any other plug-in would.
//
// It talks to the host through the control object the host hands over on
// message 20001 (host_api.h declares the host's records and control object),
// and to the notification plug-in only through the host, with the records of
// vorlane_notify.h sent to network NOTIFY_NETWORK. Both headers come with the
// kit; build it with them on the include path, for example
//   i686-w64-mingw32-g++ -shared -static -I.. example_plugin.cpp example_plugin.def -o example_plugin.dll
//
// Its own messages, sent to its network EXAMPLE_NETWORK (775):
//   775001  shows three notifications, one per way of giving the icon:
//           an icon handle of its own (the older 44-byte form), the host's
//           message icon (52 bytes, waiting for a click), and the default
//           warning icon with an info record for listeners (60 bytes);
//           answers how many the notification plug-in accepted.
//   775002  closes the one that waits for a click (NOTIFY_CLOSE); answers 1
//           when there was one to close.
#include <windows.h>
#include <string.h>
#include "host_api.h"
#include "vorlane_notify.h"

namespace {
const int EXAMPLE_NETWORK = 775;
const int EXAMPLE_SHOW = 775001;
const int EXAMPLE_CLOSE = 775002;
const int EXAMPLE_ACTION = 775100;  // what a click on its notification reports

HostControl* host = nullptr;
int waitingId = 0;  // the notification that waits for a click, 0 when none

// A 16 x 16 icon of a blue square with a white frame; the notification
// plug-in destroys it with the notification.
HICON makeIcon() {
    BYTE andMask[32], xorMask[16 * 16 * 4];
    memset(andMask, 0, sizeof(andMask));  // every pixel opaque
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            bool frame = x == 0 || y == 0 || x == 15 || y == 15;
            BYTE* p = xorMask + (y * 16 + x) * 4;
            p[0] = frame ? 255 : 200;  // blue
            p[1] = frame ? 255 : 80;
            p[2] = frame ? 255 : 40;
            p[3] = 255;
        }
    return CreateIcon(nullptr, 16, 16, 1, 32, andMask, xorMask);
}

void header(PopupRequest* r, uint16_t size, const char* text) {
    memset(r, 0, sizeof(*r));
    r->size = size;
    r->id = NOTIFY_REQUEST;
    r->net = NOTIFY_NETWORK;
    r->typeMask = -1;
    r->text = text;
    r->originContact = -2;
}

int showExamples() {
    int accepted = 0;

    PopupRequest44 own = {};
    own.size = NOTIFY_REQUEST_OLD_SIZE;
    own.id = NOTIFY_REQUEST;
    own.net = NOTIFY_NETWORK;
    own.typeMask = -1;
    own.text = "Przykład: <b>własna ikona";
    own.iconSource = NOTIFY_OLD_ICON_HANDLE;
    own.iconHandle = (uint32_t)(uintptr_t)makeIcon();
    if (host->sendMessage((HostMessage*)&own) > 0) accepted++;

    PopupRequest message;
    header(&message, NOTIFY_REQUEST_SIZE, "Przykład: <b>ikona hosta<b>, kliknij");
    message.iconFlags = NOTIFY_ICON_FLAGS(NOTIFY_ICON_HOST, 0);
    message.icon = NOTIFY_MESSAGE_ICON;
    message.displayTime = -1;
    message.clickable = 1;
    message.originAction = EXAMPLE_ACTION;
    message.originParent = 0;
    int id = host->sendMessage((HostMessage*)&message);
    if (id > 0) {
        waitingId = id;
        accepted++;
    }

    static char record[] = "\x1Aname=Przykład\x1Astatus=1";
    PopupRequest warning;
    header(&warning, NOTIFY_REQUEST_INFO_SIZE, "Przykład: ikona domyślna");
    warning.iconFlags = NOTIFY_ICON_FLAGS(NOTIFY_ICON_HOST, NOTIFY_DEFAULT_WARNING);
    warning.icon = 0;
    warning.displayTime = 2;
    warning.infoText = record;
    warning.infoKind = NOTIFY_INFO_STATUS;
    if (host->sendMessage((HostMessage*)&warning) > 0) accepted++;
    return accepted;
}

int closeWaiting() {
    if (!waitingId) return 0;
    HostMessage2 close = {};
    close.size = sizeof(close);
    close.id = NOTIFY_CLOSE;
    close.net = NOTIFY_NETWORK;
    close.typeMask = -1;
    close.p1 = waitingId;
    host->sendMessage((HostMessage*)&close);
    waitingId = 0;
    return 1;
}
}  // namespace

extern "C" int __stdcall IMessageProc(HostMessage* message) {
    if (!message || message->size < sizeof(HostMessage)) return 0;
    const intptr_t p1 = message->size >= sizeof(HostMessage2) ? ((HostMessage2*)message)->p1 : 0;
    switch (message->id) {
    case 20001:
        host = (HostControl*)p1;
        return host ? 1 : 0;
    case 20002:
        host = nullptr;
        return 1;
    case 30010: return EXAMPLE_NETWORK;
    case 30012: return (int)(intptr_t) "1.0";
    case 30013: return (int)(intptr_t) "EXAMPLE";
    case 30016: return (int)(intptr_t) "Notify example";
    case EXAMPLE_SHOW: return host ? showExamples() : 0;
    case EXAMPLE_CLOSE: return host ? closeWaiting() : 0;
    default:
        if (host) host->setError(1);
        return 0;
    }
}
