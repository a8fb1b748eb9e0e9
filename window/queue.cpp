// PLACEHOLDER: owned by the window work; replace whole.
#include "queue.h"
NotificationQueue notificationQueue;
int32_t notificationCounter = 0;
void NotificationQueue::removeAt(int r) { if (entries[r].icon) DestroyIcon(entries[r].icon); entries.erase(entries.begin() + r); }
void NotificationQueue::clear() { while (!entries.empty()) removeAt(0); }
int addNotification(const NotificationRequest*) { return -1; }
void removeById(int) {}
void removeByContact(int) {}
void removeClicked(int) {}
int expireLines() { return 0; }
void hideAll() {}
