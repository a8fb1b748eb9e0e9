// The notification queue's lines and operations; nothing here draws or
// places the window.
#include "notification_queue.h"
#include <limits.h>
#include <iterator>
#include <string.h>
#include "clock.h"
#include "host_messages.h"
#include "window_settings.h"

NotificationQueue notificationQueue;
int32_t notificationCounter = 0;

void NotificationQueue::removeAt(int r) {
    if (r < 0 || r >= count()) return;
    if (entries[r].icon) DestroyIcon(entries[r].icon);
    entries.erase(entries.begin() + r);
}

void NotificationQueue::clear() {
    while (!entries.empty()) removeAt(count() - 1);
}

// Ticks are unsigned and wrap after 49.7 days; the sum is taken modulo 2^32
// and read back as the signed value the entry stores. -1 is reserved for
// "waits for a click", so a computed expiry landing on it moves on by one.
static int32_t expiryAfter(DWORD now, uint32_t span) {
    int32_t at = (int32_t)(now + span);
    return at == -1 ? 0 : at;
}

// A span of 2^31 ms or more would read as already past; keep it below.
static uint32_t boundedSpan(uint32_t multiple, uint32_t delay) {
    uint64_t span = (uint64_t)multiple * delay;
    return span > (uint64_t)INT32_MAX ? (uint32_t)INT32_MAX : (uint32_t)span;
}

// How long a request's lines are shown, in ms; -1 when they wait for a click.
static int64_t displaySpan(int32_t displayTime) {
    uint32_t delay = windowSettings.delay > 0 ? (uint32_t)windowSettings.delay : 2000u;
    if (displayTime > 0) return boundedSpan((uint32_t)displayTime, delay);
    if (windowSettings.waitForClick) return -1;
    return boundedSpan(2, delay);
}

void NotificationQueue::appendLines(const NotificationRequest* request, int32_t id, int64_t span,
                                    const int32_t origin[3]) {
    const int32_t expiresAt = span < 0 ? -1 : expiryAfter(currentTick(), (uint32_t)span);
    const char* text = request->text;
    bool first = true;
    for (;;) {
        const char* lf = strchr(text, '\n');
        size_t length = lf ? (size_t)(lf - text) : strlen(text);
        if (lf && length > 0 && text[length - 1] == '\r') --length;
        NotificationEntry e;
        e.id = id;
        e.text.assign(text, length);
        e.icon = first ? request->icon : nullptr;
        e.imageList = first ? request->imageList : nullptr;
        e.imageIndex = first ? request->imageIndex : 0;
        e.expiresAt = expiresAt;
        e.clickable = request->clickable;
        e.originAction = origin[0];
        e.originParent = origin[1];
        e.originContact = origin[2];
        e.clickValue = request->clickValue;
        e.continuesPrevious = first ? 0 : 1;
        e.continuesNext = lf ? 1 : 0;
        e.span = span < 0 ? 0 : (uint32_t)span;
        append(std::move(e));
        if (!lf) break;
        text = lf + 1;
        first = false;
    }
}

// Trims whole notifications from the front until the lines fit the limit;
// how many lines went.
int NotificationQueue::applyLimit() {
    int limit = windowSettings.limit;
    if (limit <= 0) return 0;
    int excess = count() - limit;
    int removed = 0;
    while (excess > 0 && !empty()) {
        bool more;
        do {
            more = row(0).continuesNext != 0;
            removeAt(0);
            --excess;
            ++removed;
        } while (more && !empty());
    }
    return removed;
}

QueueChange NotificationQueue::removalOf(int removed) const {
    QueueChange change;
    change.removed = removed;
    change.emptied = empty();
    return change;
}

QueueChange NotificationQueue::refuse(const NotificationRequest* request) {
    if (request && request->icon) DestroyIcon(request->icon);
    return QueueChange();  // nothing changed
}

QueueChange NotificationQueue::addNotification(const NotificationRequest* request) {
    if (!request || !request->text) return refuse(request);

    // A clickable request must name its origin; without one it gets the
    // "no contact" origin rather than a read through a null pointer.
    int32_t origin[3] = {0, 0, -2};
    if (request->origin) {
        origin[0] = request->origin[0];
        origin[1] = request->origin[1];
        origin[2] = request->origin[2];
    }
    if (request->clickable) {
        for (int r = 0; r < count(); ++r) {
            const NotificationEntry& e = row(r);
            if (e.clickable && e.originAction == origin[0] && e.originParent == origin[1] &&
                e.originContact == origin[2])
                return refuse(request);
        }
    }

    // Ids stay positive: after the largest one the count starts again at 1.
    notificationCounter = notificationCounter == INT32_MAX ? 1 : notificationCounter + 1;
    const int32_t id = notificationCounter;
    const int before = count();
    try {
        appendLines(request, id, displaySpan(request->displayTime), origin);
    } catch (...) {
        // No memory for the copies: what was appended goes, the icon with
        // the first line, or with the refusal when no line held it yet.
        const bool held = count() > before;
        while (count() > before) removeAt(before);
        return held ? QueueChange() : refuse(request);
    }
    QueueChange change = removalOf(applyLimit());
    // The limit may have taken the new notification too, when it alone has
    // more lines than the limit allows.
    if (!change.emptied) {
        int first = count();
        while (first > 0 && row(first - 1).id == id) --first;
        change.id = id;
        change.firstAdded = first;
    }
    return change;
}

// Removes every line that `matches`, front to back.
template <typename Matches> QueueChange NotificationQueue::removeLinesWhere(Matches matches) {
    int removed = 0;
    for (int r = 0; r < count();) {
        if (matches(row(r))) {
            removeAt(r);
            ++removed;
        } else {
            ++r;
        }
    }
    return removalOf(removed);
}

QueueChange NotificationQueue::removeById(int id) {
    return removeLinesWhere([id](const NotificationEntry& e) { return e.id == id; });
}

QueueChange NotificationQueue::removeByContact(int contactRow) {
    return removeLinesWhere([contactRow](const NotificationEntry& e) {
        return e.clickable && e.originAction == MESSAGE_ORIGIN_ACTION && e.originParent == MESSAGE_ORIGIN_PARENT &&
               e.originContact == contactRow;
    });
}

QueueChange NotificationQueue::removeClicked(int clicked) {
    if (clicked < 0 || clicked >= count()) return removalOf(0);
    int first = clicked;
    while (first > 0 && row(first).continuesPrevious) --first;
    int removed = 0;
    while (first < count()) {
        bool more = row(first).continuesNext != 0;
        removeAt(first);
        ++removed;
        if (!more) break;
    }
    return removalOf(removed);
}

QueueChange NotificationQueue::expireDueLines() {
    const DWORD now = currentTick();
    // The signed difference stays right across the wrap of the tick count.
    return removeLinesWhere([now](const NotificationEntry& e) {
        return e.expiresAt != -1 && !e.held && (int32_t)(now - (DWORD)e.expiresAt) >= 0;
    });
}

QueueChange NotificationQueue::removeAll() {
    const int removed = count();
    clear();
    return removalOf(removed);
}

void NotificationQueue::startTimesFrom(int first, DWORD now) {
    for (int r = 0; r < count(); ++r) {
        NotificationEntry& e = row(r);
        if (e.expiresAt == -1) continue;
        if (r < first) {
            e.held = true;
        } else if (e.held) {
            e.held = false;
            e.expiresAt = expiryAfter(now, e.span);
        }
    }
}

void NotificationQueue::restartTimesFrom(int first, DWORD now) {
    for (int r = first < 0 ? 0 : first; r < count(); ++r) {
        NotificationEntry& e = row(r);
        if (e.expiresAt != -1 && !e.held) e.expiresAt = expiryAfter(now, e.span);
    }
}

std::deque<NotificationEntry> NotificationQueue::takeAll() {
    std::deque<NotificationEntry> lines;
    lines.swap(entries);
    return lines;
}

void NotificationQueue::putBackInFront(std::deque<NotificationEntry> lines) {
    lines.insert(lines.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    entries.swap(lines);
}
