// Layers: contract <- skin <- window (here) <- core; the window code calls the skin, never the reverse.
//
// The notification window: its handle, private messages and procedure.
#pragma once
#include <windows.h>
#include "plugin_state.h"
#include "vorlane_notify.h"

enum NotifyWindowMessage {
    MSG_SUBSCRIBE = NOTIFY_SUBSCRIBE,        // 1124, for other programs
    MSG_UNSUBSCRIBE = NOTIFY_UNSUBSCRIBE,    // 1125
    MSG_ADD_NOTIFICATION = WM_USER + 1001,   // 2025
    MSG_HIDE_ALL = WM_USER + 1002,           // 2026
    MSG_REMOVE_CONTACT = WM_USER + 1003,     // 2027
    MSG_REMOVE_ID = WM_USER + 1004,          // 2028
    MSG_BROADCAST_TEXT = WM_USER + 1005,     // 2029
};

extern bool hovering;

// The queue row under a client point (lParam of a mouse message), or -1
// outside the text area or below the last row.
int hitTestRow(LPARAM lParam);
// The client rectangle of a queue row's line while it is shown: the text
// area's width, one row high; false for a line not shown.
bool rowRect(int row, RECT* rect);
// Whether the line waits for a click or reports one; -1 is no line.
bool reactsToClick(int row);
// A click on a line that reacts to it, as the mouse and a screen reader's
// default action make it: the notification goes, the rest are re-placed or
// the window hidden, and a clickable line's click reaches the host.
void clickLine(int row);

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the class "VorlaneNotifyWindow" for the given module: styles
// CS_HREDRAW | CS_VREDRAW, this procedure, the system arrow cursor, nothing
// else. Returns the class atom, 0 on failure (also when already registered).
ATOM registerNotifyWindowClass(HINSTANCE module);

