// Window shape: colour-key regions and layered presentation.
#pragma once
#include <windows.h>

HRGN RegionFromColorKey(HBITMAP bitmap, COLORREF key, COLORREF tolerance);
void applyWindowRect();
