// Composing the notification picture off-screen.
#pragma once
#include <windows.h>
#include "notification_rows.h"

extern HBITMAP composedBitmap;  // owned, contentWidth x contentHeight
extern int contentWidth, contentHeight, rowHeight;
extern bool composing;          // set while the alpha channel is saved

// Sizes the window for `rows` and draws their picture; no picture for none.
void ComposeNotifications(const NotificationRows& rows);
void PaintNotificationWindow(const PAINTSTRUCT* paint);
void SaveAlphaChannel();
void RestoreAlphaChannel();
