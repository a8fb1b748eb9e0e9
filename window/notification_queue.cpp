#include "notification_queue.h"

NotificationQueue notificationQueue;

void NotificationQueue::removeAt(int r) {
    if (r < 0 || r >= count()) return;
    if (entries[r].icon) DestroyIcon(entries[r].icon);
    entries.erase(entries.begin() + r);
}

void NotificationQueue::clear() {
    while (!entries.empty()) removeAt(count() - 1);
}
