// Composing the notification picture off-screen.
#pragma once
#include <windows.h>
#include <limits.h>
#include "notification_rows.h"

extern HBITMAP composedBitmap;  // owned, contentWidth x contentHeight
extern int contentWidth, contentHeight, rowHeight;
extern bool composing;          // set while the alpha channel is saved
// The first of the rows handed to the last compose that its picture shows:
// the picture holds the newest rows that fit, row 0 of it is this one.
extern int firstShownRow;

// Sizes the window for the newest of `rows` that fit into `maxHeight`
// pixels (at least one) and draws their picture; no picture for none.
void ComposeNotifications(const NotificationRows& rows, int maxHeight = INT_MAX);
void PaintNotificationWindow(const PAINTSTRUCT* paint);
// The picture of no lines: content size 0 x 0. The last picture itself stays
// until the next compose or the look's release.
void ResetContentSize();
// Deletes the composed picture and the storage kept for its alpha.
void ReleaseNotificationPicture();
void SaveAlphaChannel();
void RestoreAlphaChannel();
