// The window follows each change of its queue here, and only here.
#include "window_update.h"
#include "announcements.h"
#include "clock.h"
#include "config_columns.h"
#include "paint.h"
#include "placement.h"
#include "plugin_state.h"
#include "screen_watch.h"
#include "shown_lines.h"
#include "user_presence.h"

static void compose() { composeShownLines(pictureHeightLimit()); }

// Everything went: the picture has no size, the window is hidden with its
// timers stopped, and readers learn that the lines are gone.
static void hideEmptied() {
    ResetContentSize();
    forgetShownLines();
    hideWindow();
    announceReorder();
}

static void followAdd(const QueueChange& change) {
    if (change.emptied) {
        // The limit took everything, old lines included: nothing of the old
        // picture may stay on the screen.
        hideEmptied();
        return;
    }
    if (change.id == -1) return;  // refused: nothing changed
    compose();
    showAfterAdd();
    if (change.removed > 0) announceReorder();
    announceNotification(change.firstAdded);
}

// Expiry never shows the window anew, and leaves it as it is when nothing
// went; after the last line it also collapses to a strip at the anchor.
static void followExpiry(const QueueChange& change) {
    if (change.emptied) {
        hideEmptied();
        collapseAfterExpiry();
        return;
    }
    if (change.removed == 0) return;
    compose();
    placeAtFullSize(false);
    announceReorder();
}

// A removal by id, contact or click re-composes and re-places the window
// even when nothing matched.
static void followRemoval(const QueueChange& change) {
    if (change.emptied) {
        hideEmptied();
        return;
    }
    compose();
    placeAtFullSize(true);
    announceReorder();
}

// The queue is the same; the corner, and maybe the height the lines have,
// are new. No look is rebuilt: every line keeps its place, time and icon.
static void followWorkAreaMove() {
    const int heightBefore = pictureHeightLimit();
    if (!moveToWorkArea()) return;  // another program's message, or no change
    if (notificationQueue.empty() || displayState == Hidden) return;
    // Only a new height can change which lines fit; a mere move keeps the picture.
    const int shownBefore = firstShownRow();
    if (pictureHeightLimit() != heightBefore) compose();
    placeAfterWorkAreaMove();
    if (firstShownRow() != shownBefore) announceReorder();
}

void followWindowChange(WindowChange cause, const QueueChange& change) {
    switch (cause) {
    case WindowChange::Added:
        followAdd(change);
        break;
    case WindowChange::Expired:
        followExpiry(change);
        break;
    case WindowChange::Clicked:
    case WindowChange::RemovedById:
    case WindowChange::RemovedByContact:
        followRemoval(change);
        break;
    case WindowChange::ClosedByMouse:
    case WindowChange::HiddenAll:
        hideEmptied();
        break;
    case WindowChange::WorkAreaMoved:
        followWorkAreaMove();
        break;
    case WindowChange::LookRebuilt:
        if (change.emptied) return;
        compose();
        showAfterAdd();
        announceReorder();
        break;
    }
}

int addNotification(const NotificationRequest* request) {
    // Without a window, or while a full-screen program or a busy user
    // should not be disturbed, the request is refused before the queue.
    const bool held = !notificationWindow || (configInt(COL_FULLSCREEN) && (fullscreenTest() || userIsBusy()));
    const QueueChange change = held ? NotificationQueue::refuse(request) : notificationQueue.addNotification(request);
    followWindowChange(WindowChange::Added, change);
    return change.id;
}

void removeById(int id) {
    if (notificationQueue.empty()) return;
    followWindowChange(WindowChange::RemovedById, notificationQueue.removeById(id));
}

void removeByContact(int contactRow) {
    if (notificationQueue.empty()) return;
    followWindowChange(WindowChange::RemovedByContact, notificationQueue.removeByContact(contactRow));
}

void removeClicked(int row) {
    if (row < 0 || row >= notificationQueue.count()) return;
    followWindowChange(WindowChange::Clicked, notificationQueue.removeClicked(row));
}

// Set while nobody can see the screen: no line expires meanwhile, and once
// the screen is seen the shown lines get their whole time again.
static bool heldWhileUnseen = false;

void expireDueLines() {
    if (notificationQueue.empty()) return;
    if (screenUnseen()) {
        heldWhileUnseen = true;
        return;
    }
    if (heldWhileUnseen) {
        heldWhileUnseen = false;
        notificationQueue.restartTimesFrom(firstShownRow(), currentTick());
        return;
    }
    followWindowChange(WindowChange::Expired, notificationQueue.expireDueLines());
}

void hideAll() { followWindowChange(WindowChange::HiddenAll, notificationQueue.removeAll()); }

void closeAllByMouse() { followWindowChange(WindowChange::ClosedByMouse, notificationQueue.removeAll()); }

void showInNewLook(std::deque<NotificationEntry> lines) {
    if (lines.empty()) return;
    notificationQueue.putBackInFront(std::move(lines));
    if (!notificationWindow) {
        notificationQueue.removeAll();
        return;
    }
    followWindowChange(WindowChange::LookRebuilt, QueueChange());
}

void followWorkArea() { followWindowChange(WindowChange::WorkAreaMoved, QueueChange()); }
