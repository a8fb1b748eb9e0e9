// What the notification window tells screen readers without being asked:
// a new notification is an alert naming its first line; removals and new
// pictures reorder the client's children. Refused notifications tell
// nothing. Where UI Automation notifications exist (Windows 10 1709 and
// later), a new notification is also raised as one, with its whole text.
#pragma once
#include <windows.h>
#include <ole2.h>

typedef HRESULT(WINAPI* UiaHostProviderFromHwndFn)(HWND window, IUnknown** provider);
typedef HRESULT(WINAPI* UiaRaiseNotificationEventFn)(IUnknown* provider, int kind, int processing, BSTR text,
                                                    BSTR activityId);
// Resolved from uiautomationcore.dll by lookUpUiaNotifications; null where
// the system lacks either. Tests may overwrite them.
extern UiaHostProviderFromHwndFn uiaHostProviderFromHwnd;
extern UiaRaiseNotificationEventFn uiaRaiseNotificationEvent;
// At start-up and shut-down of the plug-in.
void lookUpUiaNotifications();
void dropUiaNotifications();

// The notification whose first line is queue row `row` has just been shown.
void announceNotification(int row);
// The lines shown have changed other than by a new notification.
void announceReorder();
