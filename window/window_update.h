// The one step that follows every change of the notification queue on the
// screen. The queue's operations only change the queue and say what
// changed (notification_queue.h); this step then composes the picture, shows, places,
// grows or hides the window, starts or stops the timers (placement.h) and
// tells screen readers (announcements.h), in that order. Each cause of a
// change is one caller. The picture holds the newest lines that fit the
// work area's height; older ones wait in the queue until they fit.
#pragma once
#include "notification_queue.h"

enum class WindowChange {
    Added,             // a notification was queued
    Expired,           // the expiry timer removed lines
    Clicked,           // a click (mouse or screen reader) removed a notification
    RemovedById,       // the core removed a notification by its id
    RemovedByContact,  // the core removed a contact's message notices
    HiddenAll,         // hide-all, right before the window is destroyed
    ClosedByMouse,     // the mouse-close click took everything
    WorkAreaMoved,     // the taskbar moved, grew or hid: the corner moved
    LookRebuilt,       // the lines taken out of the old look are in the new one
};

void followWindowChange(WindowChange cause, const QueueChange& change);

// The window's operations on the queue, each the queue's operation of the
// same name followed by the step.
// The new id, or -1 when the notification was refused or dropped.
int addNotification(const NotificationRequest* request);
void removeById(int id);
void removeByContact(int contactRow);
void removeClicked(int row);
// On a tick of the expiry timer.
void expireDueLines();
// On a change of Windows' settings: the work area is read again, and the
// window follows its corner when it moved. The queue is left as it is.
void followWorkArea();
// Removes every line and hides the window (MSG_HIDE_ALL, right before the
// window is destroyed).
void hideAll();
// The mouse-close click: removes every line and hides the window.
void closeAllByMouse();
// The look was rebuilt in a new window: the lines taken out of the queue
// before are shown in it, before any the new look added; without a window
// they go.
void showInNewLook(std::deque<NotificationEntry> lines);
