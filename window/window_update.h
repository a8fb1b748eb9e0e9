// The one step that follows every change of the notification queue on the
// screen. The queue's operations only change the queue and say what
// changed (queue.h); this step then composes the picture, shows, places,
// grows or hides the window, starts or stops the timers (placement.h) and
// tells screen readers (announcements.h), in that order. Each cause of a
// change is one caller.
#pragma once
#include "queue.h"

enum class WindowChange {
    Added,             // a notification was queued
    Expired,           // the expiry timer removed lines
    Clicked,           // a click (mouse or screen reader) removed a notification
    RemovedById,       // the core removed a notification by its id
    RemovedByContact,  // the core removed a contact's message notices
    HiddenAll,         // everything went at once: hide-all or the mouse-close click
};

void followWindowChange(WindowChange cause, const QueueChange& change);

// The window's operations on the queue, each followed by the step.
// The new id, or -1 when the notification was refused or dropped.
int addNotification(const NotificationRequest* request);
void removeById(int id);
void removeByContact(int contactRow);
void removeClicked(int row);
// On a tick of the expiry timer.
void expireDueLines();
// Removes every line and hides the window.
void hideAll();
