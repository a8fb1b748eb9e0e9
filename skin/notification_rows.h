// What the notification picture is drawn from: the shown lines, oldest first
// (row r of the window is line r), read through a view that cannot change
// them. The window's queue holds the lines and offers this view.
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
