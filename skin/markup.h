// "<b>" markup: one line of text, normal and bold segments.
#pragma once
#include <windows.h>

SIZE MeasureMarkup(const char* text);
// The same on a device context the caller holds (the notification window's
// whole-window context), so many texts are measured with one.
SIZE MeasureMarkup(const char* text, HDC dc);
void DrawMarkup(const char* text, HDC dc, const RECT* rect, int textWidth, BOOL clickable);
