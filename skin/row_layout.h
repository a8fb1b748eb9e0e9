// Where each shown row of the notification picture stands: the one account
// of a row's rectangle that composing, the mouse's hit test and the screen
// reader's locations share. Row 0 is the top row.
#pragma once
#include <windows.h>

// The client rectangle of row `row`: the text area's width (between the
// skin's left and right margins), one row high, below the top margin.
RECT RowRect(int row);
// The row under client point (x, y) of a picture of `rows` rows, or -1: the
// point counts only strictly inside the text area (inside the margins) and
// above the last row's bottom edge.
int RowAtPoint(int x, int y, int rows);
