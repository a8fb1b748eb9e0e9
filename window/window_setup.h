// Creating the notification window in the configured look.
#pragma once
#include <windows.h>

// The default look, the work-area corner and the cached window settings.
void ResetDefaultLook();
// Puts the configured look in place and creates the window; every failure
// falls back to the default look, so a window exists afterwards (unless the
// system refuses one). 1 when the configured look is used, else 0.
int LoadSkin();
void CreateNotificationWindow(DWORD exStyle);
