// What the plug-in's notification window shows, read from outside as a
// screen reader reads it: its accessible client object has one child per
// shown line, and each child's location is that row's rectangle.
#pragma once
#include <windows.h>

// The notification window of this process, or null.
HWND notificationWindowOf();
// Rows shown: 0 while the window is gone or shows nothing.
int shownLines();
// A client point on row `row` (from 0 at the top), near the start of its
// text and half way down; false when the window does not show that row.
bool rowPoint(int row, POINT* point);
