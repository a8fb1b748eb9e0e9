// Whether anybody can see the screen. Nobody can while the screen saver
// runs, while the session is locked or is not the one connected (another
// user's on the console after a switch, or one left by a remote
// connection), while the shell reports the user not present, or while the
// display is off. Then no line expires; the window's expiry step asks here
// on every tick, and the lines shown get their whole time again once the
// screen is seen.
//
// What counts is what the system reports: the screen saver and the shell
// are read on every tick, the session is read from the system when it
// announces a change (WM_WTSSESSION_CHANGE, which another program may send
// too), and the display's state comes with the power setting's record
// (WM_POWERBROADCAST), read only where it is this process's readable memory
// holding that setting.
#pragma once
#include <windows.h>

// Replaceable queries, for systems that cannot be put into these states on
// demand (and for the benchmark's tick without the read).
typedef bool (*ScreenQuery)();
// SPI_GETSCREENSAVERRUNNING.
extern ScreenQuery screenSaverQuery;
// Whether this session is locked or not connected (wtsapi32, looked up by
// name; seen where the system cannot tell).
extern ScreenQuery sessionUnseenQuery;

// The window registers for the session's and the display's notices when
// it is created, and unregisters when it is destroyed.
void watchScreen(HWND window);
void stopWatchingScreen(HWND window);
// WM_WTSSESSION_CHANGE: the session's state is read again.
void onSessionChange();
// WM_POWERBROADCAST: a display state record is taken; anything else, or a
// record that is not one, changes nothing.
void onPowerBroadcast(WPARAM event, LPARAM record);

bool screenUnseen();
