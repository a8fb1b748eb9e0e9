// Process-wide state of the plug-in core, alive from load to unload.
#pragma once
#include <windows.h>
#include "host_api.h"

extern HostControl* host;       // from message 20001 to 20002, else null
extern HINSTANCE moduleInstance;  // kept at start-up for window creation
// From a start-up (20001) that found its image libraries and registered the
// window class, to shut-down (20002). Until then no look is loaded and no
// window is made.
extern bool pluginStarted;

typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                            BLENDFUNCTION*, DWORD);
// Resolved from USER32.DLL at start-up; null when the system lacks it.
// Tests may overwrite it to exercise the non-layered paths.
extern UpdateLayeredWindowFn updateLayeredWindow;

// The start-up and the shut-down change the state above through these.
// A start-up begins: the host is known, nothing is started yet.
void attachHost(HostControl* control);
// The image libraries serve: windows are made for the host's module, and
// layered where the system has UpdateLayeredWindow.
void markPluginStarted();
// Shut-down: no host, nothing started.
void detachHost();

extern const char NOTIFY_WINDOW_CLASS[];  // "VorlaneNotifyWindow"
// The notification window while it exists, else null: the window code
// creates and forgets it, the drawing code measures and draws for it.
// Written only through the two calls below.
extern HWND notificationWindow;
void recordNotificationWindow(HWND window);
// Forgets the window when it is the one recorded; senders must not reach a
// destroyed window through a stale handle.
void forgetNotificationWindow(HWND window);

