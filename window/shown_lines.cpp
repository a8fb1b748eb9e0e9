#include "shown_lines.h"
#include <vector>
#include "notification_queue.h"
#include "paint.h"

// The queue row of the top shown line: the lines from it to the queue's
// last row are shown.
static int firstShown = 0;

namespace {
// The shown lines as the picture reads them: the queue's rows from
// firstShown on.
class ShownRows final : public NotificationRows {
public:
    ShownRows(const NotificationQueue& queue, int first) : queue(queue), first(first) {}
    int count() const override { return queue.count() - first; }
    PaintedRow paintedRow(int r) const override { return queue.paintedRow(first + r); }

private:
    const NotificationQueue& queue;
    const int first;
};
}  // namespace

void composeShownLines(int maxHeight) {
    const NotificationQueue& queue = notificationQueue;
    // The newest lines are measured first, and only as many as fit (always
    // at least the newest one): a queue far longer than a screen costs what
    // one screen shows.
    int first = queue.count(), tallest = 0;
    std::vector<SIZE> measured;  // newest first
    bool measurable;
    {
        const RowMeasure measuring;
        measurable = (bool)measuring;
        while (measurable && first > 0) {
            const SIZE size = measuring.measure(queue.paintedRow(first - 1));
            const int taller = size.cy > tallest ? size.cy : tallest;
            if (first < queue.count() && PictureHeight(queue.count() - first + 1, taller) > maxHeight) break;
            measured.push_back(size);
            tallest = taller;
            --first;
        }
    }
    const std::vector<SIZE> sizes(measured.rbegin(), measured.rend());
    if (!measurable || !ComposeNotifications(ShownRows(queue, first), sizes)) {
        // No picture, of no size, and no line shown on stale geometry.
        ReleaseNotificationPicture();
        ResetContentSize();
        forgetShownLines();
        return;
    }
    firstShown = first;
}

void forgetShownLines() { firstShown = notificationQueue.count(); }

int firstShownRow() {
    const int count = notificationQueue.count();
    return firstShown < 0 ? 0 : firstShown > count ? count : firstShown;
}

int shownLineCount() { return notificationQueue.count() - firstShownRow(); }

int queueRowOf(int shownRow) { return shownRow >= 0 && shownRow < shownLineCount() ? firstShownRow() + shownRow : -1; }

int shownRowOf(int queueRow) {
    return queueRow >= firstShownRow() && queueRow < notificationQueue.count() ? queueRow - firstShownRow() : -1;
}
