// Small helpers for tests that drive real windows and read real pixels.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "support/picture_files.h"

// Dispatches every queued message of this thread; with ms > 0 keeps doing
// so for that long.
void pumpMessages(int ms = 0);

// Dispatches everything queued on this thread before the call: a marker
// posted behind it comes through (within 5 s, times the machine's slowness,
// a guard only); whether it did.
bool drainQueue();

// How many times slower than a real machine this one runs (NOTIFY_SLOWER, 1
// when unset; the emulated PC of scripts/run-i386.sh sets it). Limits that
// only guard against a hang grow by it; limits a behaviour promises do not.
int machineSlower();

// Pumps until `done()` holds or timeoutMs have passed (times the machine's
// slowness, a guard only); whether it held. For what the X server shows,
// which takes as long as the machine's load makes it.
template <typename Done> bool pumpUntil(int timeoutMs, Done done) {
    timeoutMs *= machineSlower();
    DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (done()) return true;
        if ((int)(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(5);
    }
}

// The bitmap's pixels as 0xAARRGGBB values, top row first (GetDIBits, 32-bit).
std::vector<uint32_t> readPixels(HBITMAP bitmap, int* width = nullptr, int* height = nullptr);
inline uint32_t pixelAt(const std::vector<uint32_t>& px, int width, int x, int y) {
    return px[(size_t)y * width + x];
}
// COLORREF (0x00BBGGRR) as the 0x00RRGGBB of a read pixel.
inline uint32_t rgbOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The first top-level window of that class that belongs to this process
// (other test programs may run beside this one on the same display).
HWND findOwnWindow(const char* className);

// A fresh directory under the Windows temp folder, removed with its files.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string path;  // without trailing backslash
    std::string file(const std::string& name) const { return path + "\\" + name; }
    void write(const std::string& name, const std::string& bytes) const;
};

// Picture files for skins (pixels 0xAARRGGBB, top row first).
inline void writeBmp(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels,
                     bool withAlpha = false) {
    writeBmpFile(path, width, height, pixels, withAlpha);
}
inline void writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
    writePngFile(path, width, height, pixels);
}
