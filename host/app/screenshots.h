// Screenshots as PNG files, written through DevIL: what the screen shows in
// a rectangle, e.g. the corner where notifications appear or a window.
#pragma once
#include <windows.h>
#include <string>

// The bottom-right 400 x 200 pixels of the work area.
RECT popupCorner();
// Saves the screen's pixels inside `area` to `path` (a Windows path ending
// in .png); false with the reason.
bool saveScreenPng(const std::string& path, const RECT& area, std::string* error);
