// Notification requests of other plug-ins (host message 774201, forms of 44,
// 52 and 60 bytes) and closing one of them by id (774202).
#include <string.h>
#include "config_columns.h"
#include "dispatch.h"
#include "host_icons.h"
#include "network_states.h"
#include "notify_window.h"
#include "plugin_state.h"
#include "notification_queue.h"

namespace {
// By default-icon choice.
const uint32_t DEFAULT_ICONS[] = {NOTIFY_ICON_INFORMATION, NOTIFY_ICON_ERROR, NOTIFY_ICON_WARNING};

enum IconKind { ICON_HOST = NOTIFY_ICON_HOST, ICON_HANDLE = NOTIFY_ICON_HANDLE };

// The common shape of every accepted request: the 52-byte form.
struct Request {
    const char* text;
    int iconKind;
    int defaultChoice;
    int8_t displayTime;
    uint8_t clickable;
    uint32_t icon;
    int32_t origin[3];
    int32_t clickValue;
};

Request fromOlderForm(const PopupRequest44* r) {
    Request q = {};
    q.text = r->text;
    q.iconKind = ICON_HOST;
    switch (r->iconSource) {
    case NOTIFY_OLD_ICON_HANDLE:
        q.iconKind = ICON_HANDLE;
        q.icon = r->iconHandle;
        break;
    case NOTIFY_OLD_ICON_STATUS: q.icon = statusIconId(r->network, r->status, 0xFFFF); break;
    case NOTIFY_OLD_ICON_MESSAGE: q.icon = MESSAGE_ICON_ID; break;
    default: q.icon = 0; break;
    }
    q.defaultChoice = 0;
    q.displayTime = 1;
    q.clickable = 0;
    q.origin[0] = 0;
    q.origin[1] = 0;
    q.origin[2] = -2;
    q.clickValue = 0;
    return q;
}

Request fromCurrentForm(const PopupRequest* r) {
    Request q = {};
    q.text = r->text;
    q.iconKind = r->iconFlags & 0x0F;
    q.defaultChoice = r->iconFlags >> 4;
    q.displayTime = r->displayTime;
    q.clickable = r->clickable;
    q.icon = r->icon;
    q.origin[0] = r->originAction;
    q.origin[1] = r->originParent;
    q.origin[2] = r->originContact;
    q.clickValue = r->clickValue;
    return q;
}

// Returns whether anything was sent; *result is the window's answer.
bool addToWindow(Request& q, int* result) {
    if (q.icon == 0) {
        q.iconKind = ICON_HOST;
        q.icon = q.defaultChoice >= 0 && q.defaultChoice < 3 ? DEFAULT_ICONS[q.defaultChoice] : 0;
    }
    if (q.iconKind != ICON_HOST && q.iconKind != ICON_HANDLE) return false;
    NotificationRequest n = {};
    // A request without text still shows its icon, with an empty line.
    n.text = q.text ? q.text : "";
    if (q.iconKind == ICON_HANDLE) {
        n.icon = (HICON)(intptr_t)q.icon;
        // The icon is handed over with the request, and the queue would
        // destroy it even when refusing it; with no window to hand it to,
        // it is destroyed here so it never leaks.
        if (!notificationWindow) {
            DestroyIcon(n.icon);
            *result = 0;
            return true;
        }
    } else {
        const HostIcon icon = hostIcon(q.icon);
        n.imageList = icon.list;
        n.imageIndex = icon.index;
    }
    n.displayTime = q.displayTime;
    n.clickable = q.clickable;
    n.origin = q.origin;
    n.clickValue = q.clickValue;
    *result = (int)sendToNotificationWindow(MSG_ADD_NOTIFICATION, 0, (LPARAM)&n);
    return true;
}
}  // namespace

int showRequestedNotification(const HostMessage* message) {
    const uint16_t size = message->size;
    if (size != NOTIFY_REQUEST_OLD_SIZE && size != NOTIFY_REQUEST_SIZE && size != NOTIFY_REQUEST_INFO_SIZE) return 0;
    // Fields beyond the record's own size are never read.
    Request q = size == NOTIFY_REQUEST_OLD_SIZE ? fromOlderForm((const PopupRequest44*)message)
                           : fromCurrentForm((const PopupRequest*)message);
    int result = 0;
    addToWindow(q, &result);
    if (size == NOTIFY_REQUEST_INFO_SIZE) {
        const PopupRequest* r = (const PopupRequest*)message;
        if (configInt(COL_USEVINDLE) && r->infoKind && r->infoText)
            sendToNotificationWindow(MSG_BROADCAST_TEXT, (WPARAM)r->infoKind, (LPARAM)r->infoText);
    }
    return result;
}

int closeRequestedNotification(int id) {
    sendToNotificationWindow(MSG_REMOVE_ID, (WPARAM)id, 0);
    return 0;
}
