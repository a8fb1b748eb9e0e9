// The notification queue's operations: requests become the rows the window
// shows, and rows leave by expiry, click, id, contact or the limit. They
// change the queue and nothing else, and each says what changed; the
// window's update step (window_update.h) follows every change on screen.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include "notification_queue.h"

// lParam of MSG_ADD_NOTIFICATION; eight consecutive 32-bit fields.
struct NotificationRequest {
    const char* text;
    HICON icon;             // ownership passes to the queue
    HIMAGELIST imageList;   // not owned
    int32_t imageIndex;
    int32_t displayTime;    // multiples of the delay; <= 0 default rule
    int32_t clickable;
    const int32_t* origin;  // action, parent, contact; may be null
    int32_t clickValue;
};
static_assert(sizeof(NotificationRequest) == 32, "eight 32-bit fields");

// What one operation did to the queue.
struct QueueChange {
    int32_t id = -1;      // the notification added, -1 when none was
    int firstAdded = -1;  // row of its first line, -1 when none was added
    int removed = 0;      // lines removed (the limit's trimming included)
    bool emptied = false; // the change left the queue empty (a refusal changes nothing)
};

extern int32_t notificationCounter;  // 0 at load, never reset

// The duplicate test, the new id, the lines and the limit. A refused
// request's icon is destroyed; an accepted one's belongs to its first line.
QueueChange enqueueNotification(const NotificationRequest* request);
QueueChange removeLinesOfId(int id);
QueueChange removeLinesOfContact(int contactRow);
// The whole notification holding the row.
QueueChange removeNotificationAt(int row);
// The lines whose time has come by the plug-in's clock.
QueueChange expireLines();
QueueChange clearQueue();
