// Received messages (host message 20100): a clickable notification tied to
// the sender, "Wiadomość od <b>" and the shown name, optionally the quoted
// start of the body, and the sender's name for the listener windows.
#include <string>
#include "config_columns.h"
#include "dispatch.h"
#include "host_icons.h"
#include "host_messages.h"
#include "info_record.h"
#include "network_states.h"
#include "notify_window.h"
#include "notification_queue.h"
#include "quoted_start.h"
#include "received_message.h"

namespace {
const int SKIPPED_NETWORK = 14;
const int NOTIFIED_TYPE = 1;
const int32_t FLAG_NOT_NOTIFIED = 2;

}  // namespace

int onMessageReceived(intptr_t receivedMessage) {
    if (configInt(COL_EVENTS_MSG) == 0) return 0;
    const ReceivedMessage* m = (const ReceivedMessage*)receivedMessage;
    // A record too short for the fields read is refused like any other.
    if (!m || m->size < RECEIVED_MESSAGE_READ_SIZE) return 0;
    if (m->net == SKIPPED_NETWORK || m->type != NOTIFIED_TYPE || (m->flags & FLAG_NOT_NOTIFIED)) return 0;

    const int row = hostCall(HOST_CONTACT_ROW, m->net, (intptr_t)m->from);
    if (contactInt(row, COL_CNT_MSG) == 0) return 0;
    if (contactInt(row, COLUMN_STATUS) & STATUS_SILENT) return 0;
    const bool queued = hostCall(HOST_NO_WINDOW_ENTRY, row, 0) == 0;

    // The bold run is left open: it ends with the line. A body limit of 0 or
    // less shows no body (a status description's shows the whole).
    std::string text = "Wiadomość od <b>" + contactDisplayName(row);
    const int limit = configInt(COL_MSGBODYLEN);
    if (limit > 0 && configInt(COL_MSGBODY) != 0 && contactInt(row, COL_CNT_MSGBODY) != 0)
        appendQuotedStart(text, m->body, limit);

    const HostIcon icon = hostIcon(MESSAGE_ICON_ID);
    if (queued) {
        const int32_t origin[3] = {MESSAGE_ORIGIN_ACTION, MESSAGE_ORIGIN_PARENT, row};
        NotificationRequest request = {};
        request.text = text.c_str();
        request.icon = nullptr;
        request.imageList = icon.list;
        request.imageIndex = icon.index;
        request.displayTime = -1;
        request.clickable = 1;
        request.origin = origin;
        request.clickValue = 0;
        // Refused (duplicate, fullscreen, no window) or not, nothing follows from it.
        sendToNotificationWindow(MSG_ADD_NOTIFICATION, 0, (LPARAM)&request);
    }

    if (configInt(COL_USEVINDLE) != 0) {
        std::string record = setInfoField("", "name", contactDisplayName(row));
        sendToNotificationWindow(MSG_BROADCAST_TEXT, NOTIFY_INFO_MESSAGE, (LPARAM)record.c_str());
    }
    return 0;
}
