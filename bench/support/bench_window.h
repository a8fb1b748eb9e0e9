// The notification window the window benchmarks drive: the default look,
// animation off, the given line limit, on the bench's own module.
#pragma once
#include <windows.h>

// Null (and a line printed) when no window could be made.
HWND openBenchWindow(int limit);
void closeBenchWindow(HWND window);
