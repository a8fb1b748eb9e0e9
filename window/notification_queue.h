// The notification queue's storage: one entry per shown line, oldest first;
// row r of the window is entry r. The queue's logic (queue.cpp) is the only
// writer; the painting reads the lines through the skin's row view.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include <deque>
#include <string>
#include "notification_rows.h"

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

class NotificationQueue final : public NotificationRows {
public:
    int count() const override { return (int)entries.size(); }
    PaintedRow paintedRow(int r) const override {
        const NotificationEntry& e = entries[r];
        return PaintedRow{e.text.c_str(), e.icon, e.imageList, e.imageIndex, e.clickable};
    }
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
