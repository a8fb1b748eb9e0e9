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
// The picture of no lines: content size 0 x 0. The last picture itself stays
// until the next compose or the look's release.
void ResetContentSize();
// Deletes the composed picture and the storage kept for its alpha.
void ReleaseNotificationPicture();
void SaveAlphaChannel();
void RestoreAlphaChannel();
