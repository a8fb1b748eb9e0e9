// The notification window as screen readers read it through MSAA: a client
// object of its own, whose simple children are the shown lines.
#pragma once
#include <windows.h>

// WM_GETOBJECT: for OBJID_CLIENT the client object's reference in `answer`
// (COM is entered on the window's thread the first time); false for every
// other object, which the window procedure passes on.
bool answerGetObject(HWND window, WPARAM flags, LPARAM objectId, LRESULT* answer);
// WM_DESTROY: the window's object lets go of it, so a reader that still
// holds one gets CO_E_OBJNOTCONNECTED.
void releaseAccessible(HWND window);
// At shut-down, before the library may go: no reader can reach an object
// any more, and COM is left as it was found.
void closeAccessibility();
