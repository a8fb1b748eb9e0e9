// "<b>" markup: one line of text, normal and bold segments.
#pragma once
#include <windows.h>

SIZE MeasureMarkup(const char* text);
void DrawMarkup(const char* text, HDC dc, const RECT* rect, int textWidth, BOOL clickable);
