// The lines the window shows, decided once per update step: the newest
// lines of the queue that fit the work area's height, older ones waiting in
// the queue until they fit. Shown row 0 is the window's top row; the mouse,
// the screen reader and the announcements count in shown rows, the queue in
// queue rows. The picture is composed from the shown rows alone.
#pragma once

// Decides which lines fit into `maxHeight` pixels (at least the newest one)
// and composes their picture. Nothing is shown when it cannot be composed.
void composeShownLines(int maxHeight);
// Nothing is shown: the queue was emptied, or the window hidden.
void forgetShownLines();

int shownLineCount();
// The queue row of the top shown line; the queue's count when none is.
int firstShownRow();
// The queue row of a shown row, or -1 when there is no such shown row.
int queueRowOf(int shownRow);
// The shown row of a queue row, or -1 when that line is not shown.
int shownRowOf(int queueRow);
