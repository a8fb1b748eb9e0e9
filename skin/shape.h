// Window shape: colour-key regions and layered presentation.
#pragma once
#include <windows.h>

HRGN RegionFromColorKey(HBITMAP bitmap, COLORREF key, COLORREF tolerance, HDC holding = nullptr);
// Puts the notification window at `windowRect`: moved, or, for a layered
// window, presented with the composed picture by its colour key or alpha.
void PlaceNotificationWindow(const RECT& windowRect);
