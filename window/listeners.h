// Listener windows of other programs: they subscribe with message 1124,
// leave with 1125, and receive a WM_COPYDATA copy of every info record the
// plug-in broadcasts (2029).
#pragma once
#include <windows.h>
#include <vector>

// Subscribed windows in order, no duplicates; they survive window replacement.
extern std::vector<HWND> listeners;
void subscribeListener(HWND listener);
void unsubscribeListener(HWND listener);
void broadcastText(int kind, const char* text);
