#include "screenshots.h"
#include <IL/il.h>
#include <stdint.h>
#include <vector>

RECT popupCorner() {
    RECT work = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = {work.right - 400, work.bottom - 200, work.right, work.bottom};
    return r;
}

bool saveScreenPng(const std::string& path, const RECT& area, std::string* error) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192) {
        *error = "nothing to capture";
        return false;
    }
    if (path.size() >= MAX_PATH) {
        *error = "the path is too long";
        return false;
    }
    // Top row first from GDI; DevIL takes the bottom row first.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> rows;
    if (shot && bits) {
        HGDIOBJ old = SelectObject(memory, shot);
        BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const uint32_t* px = (const uint32_t*)bits;
        rows.reserve((size_t)w * h);
        for (int y = h - 1; y >= 0; y--)
            for (int x = 0; x < w; x++) rows.push_back(px[(size_t)y * w + x] | 0xFF000000u);  // opaque
        SelectObject(memory, old);
    }
    if (shot) DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows.empty()) {
        *error = "the screen could not be read";
        return false;
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool saved = ilTexImage(w, h, 1, 4, IL_BGRA, IL_UNSIGNED_BYTE, rows.data()) && (ilEnable(IL_FILE_OVERWRITE), true) &&
                 ilSaveImage(path.c_str());
    if (!saved) *error = "DevIL could not write it (error " + std::to_string(ilGetError()) + ")";
    ilDeleteImages(1, &image);
    return saved;
}
