// What the plug-in's notification window shows, read from outside: how many
// text rows it holds and where a row lies. The window's height is its rows
// times the row height plus the look's top and bottom margins; the row height
// is the look's font height plus its line spacing. The look is the tooltip
// look ("[brak]") or the skin named in the host's columns. A skin whose
// background image is taller than its rows keeps that height, so while it
// holds fewer rows the count reads as the rows that height would hold.
#pragma once
#include <windows.h>
#include <string>
#include "host/double/stand_in_host.h"

struct LookRows {
    int marginTop = 2, marginBottom = 2, rowHeight = 17;
    int marginLeft = 4;
};

// The notification window of this process, or null.
HWND notificationWindowOf();
// The row layout of the look configured in the host's columns.
LookRows configuredLook(const StandInHost& host);
// Rows shown: 0 while the window is hidden or gone.
int shownLines(const StandInHost& host);
// The client point in the middle of row `row` (from 0 at the top), false
// when the window does not show that row.
bool rowPoint(const StandInHost& host, int row, POINT* point);
