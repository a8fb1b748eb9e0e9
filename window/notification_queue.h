// The notification queue: requests become lines, oldest first, and lines
// leave by expiry, click, id, contact or the limit. Its operations change
// the queue and nothing else, and each says what changed; the window's
// update step (window_update.h), which offers the same operations to the
// rest of the plug-in, follows every change on screen. Which lines the
// window shows is decided there too (shown_lines.h): the painting reads the
// shown ones through the skin's row view. Every icon handed in is destroyed
// exactly once: at once when its request is refused, else with the line
// holding it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include <deque>
#include <string>
#include "notification_rows.h"

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
    uint32_t span = 0;      // its display time in ms; 0 with expiresAt -1
    bool held = false;      // waiting unseen above the shown lines: its time is held, whole
};

// What one operation did to the queue.
struct QueueChange {
    int32_t id = -1;      // the notification added, -1 when none was
    int firstAdded = -1;  // row of its first line, -1 when none was added
    int removed = 0;      // lines removed (the limit's trimming included)
    bool emptied = false; // the change left the queue empty (a refusal changes nothing)
};

class NotificationQueue final : public NotificationRows {
public:
    // The lines, oldest first, as the painting reads them.
    int count() const override { return (int)entries.size(); }
    PaintedRow paintedRow(int r) const override {
        const NotificationEntry& e = entries[r];
        return PaintedRow{e.text.c_str(), e.icon, e.imageList, e.imageIndex, e.clickable};
    }
    bool empty() const { return entries.empty(); }
    const NotificationEntry& row(int r) const { return entries[r]; }
    NotificationEntry& row(int r) { return entries[r]; }

    // The operations.
    // The duplicate test, the new id, the lines and the limit; a request
    // without text is refused.
    QueueChange addNotification(const NotificationRequest* request);
    // A request refused before it reached the queue: its icon is destroyed.
    static QueueChange refuse(const NotificationRequest* request);
    QueueChange removeById(int id);
    QueueChange removeByContact(int contactRow);
    // The whole notification holding the row.
    QueueChange removeClicked(int row);
    // The lines whose time has come by the plug-in's clock; a held line's
    // never does.
    QueueChange expireDueLines();
    QueueChange removeAll();
    // The window shows the lines from `first` on: those above it hold their
    // whole time until they come into view, those from it on that were held
    // start theirs at `now`.
    void startTimesFrom(int first, DWORD now);
    // Every line from `first` on that has a time gets it whole again from
    // `now` (the screen is seen again).
    void restartTimesFrom(int first, DWORD now);
    // Every line, with its icon, handed out of the queue, which is left
    // empty, and handed back to its front; nothing is destroyed.
    std::deque<NotificationEntry> takeAll();
    void putBackInFront(std::deque<NotificationEntry> lines);

    // Storage, for the operations and for tests that set lines up directly.
    void append(NotificationEntry e) { entries.push_back(std::move(e)); }
    // Destroys the line's icon, then erases it.
    void removeAt(int r);
    // Destroys every icon and erases every line.
    void clear();

private:
    std::deque<NotificationEntry> entries;

    void appendLines(const NotificationRequest* request, int32_t id, int64_t span, const int32_t origin[3]);
    int applyLimit();
    template <typename Matches> QueueChange removeLinesWhere(Matches matches);
    QueueChange removalOf(int removed) const;
};

extern NotificationQueue notificationQueue;
extern int32_t notificationCounter;  // 0 at load, never reset
