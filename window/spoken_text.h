// The texts a screen reader is given for the shown lines: the line without
// its "<b>" markers, from Windows-1250 to UTF-16. Control characters a line
// may keep (a carriage return) are read as spaces.
#pragma once
#include <windows.h>
#include <string>

std::wstring spokenLine(const std::string& text);
// The lines after `row` that belong to the same notification, one a line
// (empty when the notification has one line).
std::wstring furtherLines(int row);
// The whole notification that starts at `row`: its first line, then its
// further lines, one a line.
std::wstring spokenNotification(int row);
// A new BSTR of the text, null when there is no memory for it.
BSTR newBstr(const std::wstring& text);
