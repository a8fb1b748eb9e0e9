// The one place the window subsystem reads time. Tests replace the source.
#pragma once
#include <windows.h>

typedef DWORD(WINAPI* TickSource)(void);
extern TickSource tickSource;  // GetTickCount unless a test sets another
inline DWORD currentTick() { return tickSource(); }
