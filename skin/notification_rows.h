// What the notification picture is drawn from: the rows the window shows,
// top row first (row r of the picture is row r of the view), read through a
// view that cannot change them. The window decides which rows those are and
// offers the view; the picture knows nothing of what lies beyond it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>

struct PaintedRow {
    const char* text;      // "<b>" markup, one line
    HICON icon;            // drawn when there is one,
    HIMAGELIST imageList;  // else this list's image, when there is one
    int32_t imageIndex;
    int32_t clickable;     // drawn underlined
};

class NotificationRows {
public:
    virtual int count() const = 0;
    virtual PaintedRow paintedRow(int r) const = 0;

protected:
    ~NotificationRows() = default;
};
