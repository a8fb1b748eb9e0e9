// The notification queue: requests become the rows the window shows, and
// rows leave by expiry, click, id, contact or the limit.
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

extern int32_t notificationCounter;  // 0 at load, never reset

int addNotification(const NotificationRequest* request);
void removeById(int id);
void removeByContact(int contactRow);
void removeClicked(int row);
// Removes the lines whose time has come; returns how many were removed.
int expireLines();
void hideAll();
// After a removal: hides an emptied window (timer 2 stopped, Hidden,
// MSG_HIDE_ALL), else composes, shows and puts it at full size.
void followQueueAfterRemoval();
