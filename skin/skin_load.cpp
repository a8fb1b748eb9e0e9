// PLACEHOLDER: owned by the skin work; replace whole.
#include "skin_load.h"
void ResetDefaultLook() {}
int LoadSkin() { return 0; }
int LoadImageWithDevIL(HDC, const char*, HBITMAP* bitmap, BYTE** pixels) { *bitmap = nullptr; *pixels = nullptr; return 0; }
void PremultiplyAlpha(int, int, BYTE*) {}
void CreateNotificationWindow(DWORD) {}
