// The rows the window shows, decided once per update step: the newest
// lines of the queue that fit the work area's height, and above them,
// while older lines wait in the queue, a row that says how many
// notifications wait ("Jeszcze 3 powiadomienia"). That count row is no
// notification: it is drawn like a line without an icon, a click on it does
// nothing and listeners hear nothing of it. Shown row 0 is the window's top
// row; the mouse, the screen reader and the announcements count in shown
// rows, the queue in queue rows. The picture is composed from the shown
// rows alone, and the lines' times follow what is shown: a line holds its
// whole display time while it waits above, and starts it on coming into view.
#pragma once
#include <string>

// Decides which lines fit into `maxHeight` pixels (at least the newest one)
// and composes their picture. Nothing is shown when it cannot be composed.
void composeShownLines(int maxHeight);
// Nothing is shown: the queue was emptied, or the window hidden.
void forgetShownLines();

// Rows of the picture, the count row included.
int shownRowCount();
// The queue row of the top shown line; the queue's count when none is.
int firstShownRow();
// Whether shown row 0 is the count row, and its text (Windows-1250).
bool countRowShown();
const std::string& countRowText();
// The queue row of a shown row, or -1 when it shows no line (the count row,
// or no such row).
int queueRowOf(int shownRow);
// The shown row of a queue row, or -1 when that line is not shown.
int shownRowOf(int queueRow);
// The count row's text for `waiting` notifications, in Polish.
std::string waitingNotificationsText(int waiting);
