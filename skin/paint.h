// Composing the notification picture off-screen.
#pragma once
#include <windows.h>

extern HBITMAP composedBitmap;  // owned, contentWidth x contentHeight
extern int contentWidth, contentHeight, rowHeight;
extern bool composing;          // set while the alpha channel is saved

void ComposeNotifications();
void PaintNotificationWindow(const PAINTSTRUCT* paint);
void SaveAlphaChannel();
void RestoreAlphaChannel();
