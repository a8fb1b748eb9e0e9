// Listener windows of the test's own, on the calling thread, that record
// every WM_COPYDATA they receive.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>

struct RecordedCopy {
    ULONG_PTR kind;     // dwData
    std::string bytes;  // all cbData bytes, the terminating zero included
    // The record without its terminating zero.
    std::string text() const { return bytes.empty() || bytes.back() ? bytes : bytes.substr(0, bytes.size() - 1); }
};

// What each recorder window received, in order.
extern std::map<HWND, std::vector<RecordedCopy>> recordedCopies;

// A new recorder window (a hidden popup); destroy it with DestroyWindow.
HWND makeCopyRecorder();
