// Putting a skin or the default look in place and creating the window.
#pragma once
#include <windows.h>

void ResetDefaultLook();
int LoadSkin();
int LoadImageWithDevIL(HDC dc, const char* path, HBITMAP* bitmap, BYTE** pixels);
void PremultiplyAlpha(int width, int height, BYTE* pixels);
void CreateNotificationWindow(DWORD exStyle);
