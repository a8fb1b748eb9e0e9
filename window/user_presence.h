// Whether the shell says the user must not be disturbed: a presentation, a
// Direct3D game in full screen, or a busy program in full screen. Asked of
// SHQueryUserNotificationState (shell32, Windows Vista and later), looked up
// by name; where it is missing, the user is never busy.
#pragma once
#include <windows.h>

// The shell's QUERY_USER_NOTIFICATION_STATE values the plug-in reads.
enum UserNotificationState {
    USER_NOT_PRESENT = 1,         // QUNS_NOT_PRESENT: locked, a screen saver, fast user switching
    USER_BUSY = 2,                // QUNS_BUSY
    USER_D3D_FULL_SCREEN = 3,     // QUNS_RUNNING_D3D_FULL_SCREEN
    USER_PRESENTING = 4,          // QUNS_PRESENTATION_MODE
};

typedef HRESULT(WINAPI* QueryUserNotificationStateFn)(int* state);
// Resolved at start-up; null where the system lacks it. Tests may replace
// it, since no system here can be put into those states on demand.
extern QueryUserNotificationStateFn queryUserNotificationState;
// At start-up and shut-down of the plug-in.
void lookUpUserNotificationState();
void dropUserNotificationState();

bool userIsBusy();
// The shell says nobody is at the screen. It refuses no notification:
// refusing would lose it; the lines wait instead (screen_watch.h).
bool userNotPresent();
