// What the plug-in's notification window shows, read from outside as a
// screen reader reads it: its accessible client object has one child per
// shown line, and each child's location is that row's rectangle.
#pragma once
#include <windows.h>
#include <string>

// The notification window of this process, or null.
HWND notificationWindowOf();
// Rows shown: 0 while the window is gone or shows nothing.
int shownLines();
// The rows' texts as a screen reader reads them, in UTF-8, one a line,
// each indented by `indent`: what a failed expectation prints.
std::string shownLineTexts(const char* indent);
// A client point on row `row` (from 0 at the top), near the start of its
// text and half way down; false when the window does not show that row.
bool rowPoint(int row, POINT* point);
