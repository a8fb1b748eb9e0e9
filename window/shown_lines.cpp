#include "shown_lines.h"
#include <vector>
#include "clock.h"
#include "notification_queue.h"
#include "paint.h"

// The queue row of the top shown line: the lines from it to the queue's
// last row are shown, below the count row while it is.
static int firstShown = 0;
static bool countRow = false;
static std::string countText;

namespace {
// The shown rows as the picture reads them: the count row, when there is
// one, then the queue's rows from `first` on.
class ShownRows final : public NotificationRows {
public:
    ShownRows(const NotificationQueue& queue, int first, const char* count)
        : queue(queue), first(first), count_(count) {}
    int count() const override { return queue.count() - first + (count_ ? 1 : 0); }
    PaintedRow paintedRow(int r) const override {
        if (count_ && r == 0) return PaintedRow{count_, nullptr, nullptr, 0, 0};
        return queue.paintedRow(first + r - (count_ ? 1 : 0));
    }

private:
    const NotificationQueue& queue;
    const int first;
    const char* const count_;
};

// Notifications with a line above `first`: each begins with a line that
// continues no other.
int notificationsAbove(const NotificationQueue& queue, int first) {
    int waiting = 0;
    for (int r = 0; r < first; r++)
        if (!queue.row(r).continuesPrevious) waiting++;
    return waiting;
}

int tallestOf(const std::vector<SIZE>& sizes) {
    int tallest = 0;
    for (const SIZE& size : sizes)
        if (size.cy > tallest) tallest = size.cy;
    return tallest;
}
}  // namespace

std::string waitingNotificationsText(int waiting) {
    const int tens = waiting % 100, units = waiting % 10;
    const char* noun = waiting == 1                                           ? "powiadomienie"
                       : units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? "powiadomienia"
                                                                              : "powiadomień";
    return "Jeszcze " + std::to_string(waiting) + " " + noun;
}

void composeShownLines(int maxHeight) {
    const NotificationQueue& queue = notificationQueue;
    // The newest lines are measured first, and only as many as fit (always
    // at least the newest one): a queue far longer than a screen costs what
    // one screen shows.
    int first = queue.count(), tallest = 0;
    std::vector<SIZE> measured;  // newest first
    std::string count;
    SIZE countSize = {0, 0};
    {
        const RowMeasure measuring;
        // Unmeasured, the whole queue is handed over: its compose fails.
        if (!measuring) first = 0;
        while (measuring && first > 0) {
            const SIZE size = measuring.measure(queue.paintedRow(first - 1));
            const int taller = size.cy > tallest ? size.cy : tallest;
            if (first < queue.count() && PictureHeight(queue.count() - first + 1, taller) > maxHeight) break;
            measured.push_back(size);
            tallest = taller;
            --first;
        }
        // Lines wait: the count row takes a row of the screenful, the
        // oldest shown lines making room for it, as long as one is left.
        while (measuring && first > 0) {
            count = waitingNotificationsText(notificationsAbove(queue, first));
            countSize = measuring.measure(PaintedRow{count.c_str(), nullptr, nullptr, 0, 0});
            const int taller = countSize.cy > tallest ? countSize.cy : tallest;
            if (PictureHeight(queue.count() - first + 1, taller) <= maxHeight) break;
            if (measured.size() <= 1) {
                count.clear();  // no room for it beside the newest line
                break;
            }
            measured.pop_back();
            tallest = tallestOf(measured);
            ++first;
        }
    }
    std::vector<SIZE> sizes;
    if (!count.empty()) sizes.push_back(countSize);
    sizes.insert(sizes.end(), measured.rbegin(), measured.rend());
    if (!ComposeNotifications(ShownRows(queue, first, count.empty() ? nullptr : count.c_str()), sizes)) {
        // The compose left no picture, of no size: no line is shown on
        // stale geometry either.
        forgetShownLines();
        return;
    }
    firstShown = first;
    countRow = !count.empty();
    countText.swap(count);
    notificationQueue.startTimesFrom(first, currentTick());
}

void forgetShownLines() {
    firstShown = notificationQueue.count();
    countRow = false;
    countText.clear();
}

int firstShownRow() {
    const int count = notificationQueue.count();
    return firstShown < 0 ? 0 : firstShown > count ? count : firstShown;
}

bool countRowShown() { return countRow; }

const std::string& countRowText() { return countText; }

int shownRowCount() { return notificationQueue.count() - firstShownRow() + (countRow ? 1 : 0); }

int queueRowOf(int shownRow) {
    const int line = shownRow - (countRow ? 1 : 0);
    return line >= 0 && shownRow < shownRowCount() ? firstShownRow() + line : -1;
}

int shownRowOf(int queueRow) {
    return queueRow >= firstShownRow() && queueRow < notificationQueue.count()
               ? queueRow - firstShownRow() + (countRow ? 1 : 0)
               : -1;
}
