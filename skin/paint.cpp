// PLACEHOLDER: owned by the skin work; replace whole.
#include "paint.h"
HBITMAP composedBitmap = nullptr;
int contentWidth = 0, contentHeight = 0, rowHeight = 0;
bool composing = false;
void ComposeNotifications() {}
void PaintNotificationWindow(const PAINTSTRUCT*) {}
void SaveAlphaChannel() {}
void RestoreAlphaChannel() {}
