// The lines the notification picture is drawn from, oldest first: row r of
// the window is entry r. The window's queue decides what they hold.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include <deque>
#include <string>

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
