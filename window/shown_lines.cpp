#include "shown_lines.h"
#include "notification_queue.h"
#include "paint.h"

static int firstShown() {
    const int count = notificationQueue.count();
    return firstShownRow < 0 ? 0 : firstShownRow > count ? count : firstShownRow;
}

int shownLineCount() { return notificationQueue.count() - firstShown(); }

int queueRowOf(int shownRow) {
    return shownRow >= 0 && shownRow < shownLineCount() ? firstShown() + shownRow : -1;
}

int shownRowOf(int queueRow) {
    return queueRow >= firstShown() && queueRow < notificationQueue.count() ? queueRow - firstShown() : -1;
}
