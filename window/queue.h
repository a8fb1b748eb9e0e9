// The lines shown by the notification window, oldest first. Row r of the
// window is entry r. This header knows nothing of drawing.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include <deque>
#include <string>

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

struct NotificationEntry {
    int32_t id;
    std::string text;
    HICON icon;             // first line only
    HIMAGELIST imageList;   // first line only
    int32_t imageIndex;
    int32_t expiresAt;      // tick count, -1 waits for a click
    int32_t clickable;
    int32_t originAction;
    int32_t originParent;
    int32_t originContact;
    int32_t clickValue;
    int32_t continuesPrevious;
    int32_t continuesNext;
};

class NotificationQueue {
public:
    int count() const { return (int)entries.size(); }
    bool empty() const { return entries.empty(); }
    const NotificationEntry& row(int r) const { return entries[r]; }
    NotificationEntry& row(int r) { return entries[r]; }
    void append(NotificationEntry e) { entries.push_back(std::move(e)); }
    // Destroys the line's icon, then erases it.
    void removeAt(int r);
    // Destroys every icon and erases every line.
    void clear();

private:
    std::deque<NotificationEntry> entries;
};

extern NotificationQueue notificationQueue;
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
