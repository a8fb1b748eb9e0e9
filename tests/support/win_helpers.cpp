#include "win_helpers.h"
#include <stdio.h>
#include <stdlib.h>

int machineSlower() {
    static int factor = 0;
    if (!factor) {
        char text[16] = "";
        const DWORD got = GetEnvironmentVariableA("NOTIFY_SLOWER", text, sizeof(text));
        const int read = got && got < sizeof(text) ? atoi(text) : 1;
        factor = read >= 1 && read <= 100 ? read : 1;
    }
    return factor;
}

void pumpMessages(int ms) {
    DWORD end = GetTickCount() + (ms > 0 ? ms : 0);
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (ms > 0) Sleep(1);
    } while (ms > 0 && (int)(GetTickCount() - end) < 0);
}

bool drainQueue() {
    const UINT marker = WM_APP + 0x3A1;
    PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0);
    const DWORD start = GetTickCount();
    const DWORD limit = 5000u * (DWORD)machineSlower();
    while (GetTickCount() - start < limit) {
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (!m.hwnd && m.message == marker) return true;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return false;
}

std::vector<uint32_t> readPixels(HBITMAP bitmap, int* width, int* height) {
    BITMAP bm = {};
    std::vector<uint32_t> px;
    if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm)) return px;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    px.resize((size_t)bm.bmWidth * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, bm.bmHeight, px.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (width) *width = bm.bmWidth;
    if (height) *height = bm.bmHeight;
    return px;
}

HWND findOwnWindow(const char* className) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId()) return w;
    }
    return nullptr;
}

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(sizeof(base), base);
    static int serial = 0;
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%snotify-test-%lu-%d", base, GetCurrentProcessId(), ++serial);
    CreateDirectoryA(name, nullptr);
    path = name;
}

TempDir::~TempDir() {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(file(fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    FILE* f = fopen(file(name).c_str(), "wb");
    if (!f) return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}
