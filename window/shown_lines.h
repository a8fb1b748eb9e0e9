// The lines the window shows: the newest of the queue that fit the work
// area's height, from queue row firstShownRow (paint.h) to the last. Shown
// row 0 is the window's top row; the mouse, the screen reader and the
// announcements count in shown rows, the queue in queue rows.
#pragma once

int shownLineCount();
// The queue row of a shown row, or -1 when there is no such shown row.
int queueRowOf(int shownRow);
// The shown row of a queue row, or -1 when that line is not shown.
int shownRowOf(int queueRow);
