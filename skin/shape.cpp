// Window shape: the region of a colour-keyed picture for plain windows, and
// the layered presentation (colour key or per-pixel alpha) when the system
// has UpdateLayeredWindow.
#include "shape.h"
#include <string.h>
#include "paint.h"
#include "skin.h"
#include "../core/plugin_state.h"
#include "../window/notify_window.h"
#include "../window/placement.h"

static const int RECTS_STEP = 100;    // the buffer grows by this many rectangles
static const int RECTS_BATCH = 2000;  // rectangles per region before joining
static const DWORD HEADER_SIZE = sizeof(RGNDATAHEADER);

static_assert(sizeof(RGNDATAHEADER) == 32, "32-byte region header");
static_assert(sizeof(RECT) == 16, "16-byte rectangle");

namespace {

// The rectangle buffer: a movable global block, locked while written.
struct RectBuffer {
    HGLOBAL block = nullptr;
    RGNDATA* data = nullptr;
    DWORD capacity = 0;
    HRGN result = nullptr;
    bool failed = false;

    bool open() {
        capacity = RECTS_STEP;
        block = GlobalAlloc(GMEM_MOVEABLE, HEADER_SIZE + sizeof(RECT) * capacity);
        if (!block) return false;
        data = (RGNDATA*)GlobalLock(block);
        if (!data) return false;
        reset();
        data->rdh.dwSize = HEADER_SIZE;
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nRgnSize = 0;
        return true;
    }
    void reset() {
        data->rdh.nCount = 0;
        SetRect(&data->rdh.rcBound, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0);
    }
    // Makes a region of what the buffer holds and joins it to the result.
    void flush() {
        HRGN part = ExtCreateRegion(nullptr, HEADER_SIZE + sizeof(RECT) * capacity, data);
        if (!part) {
            failed = true;
        } else if (!result) {
            result = part;
        } else {
            CombineRgn(result, result, part, RGN_OR);
            DeleteObject(part);
        }
        reset();
    }
    bool add(LONG left, LONG top, LONG right, LONG bottom) {
        if (data->rdh.nCount >= capacity) {
            GlobalUnlock(block);
            HGLOBAL grown = GlobalReAlloc(block, HEADER_SIZE + sizeof(RECT) * (capacity + RECTS_STEP), GMEM_MOVEABLE);
            if (grown) {
                block = grown;
                capacity += RECTS_STEP;
            }
            data = (RGNDATA*)GlobalLock(block);
            if (!grown || !data) return false;
        }
        RECT* rects = (RECT*)data->Buffer;
        RECT& bound = data->rdh.rcBound;
        SetRect(&rects[data->rdh.nCount], left, top, right, bottom);
        if (left < bound.left) bound.left = left;
        if (top < bound.top) bound.top = top;
        if (right > bound.right) bound.right = right;
        if (bottom > bound.bottom) bound.bottom = bottom;
        if (++data->rdh.nCount == RECTS_BATCH) flush();
        return true;
    }
    void close() {
        if (block) {
            if (data) GlobalUnlock(block);
            GlobalFree(block);
        }
    }
};

}  // namespace

HRGN RegionFromColorKey(HBITMAP bitmap, COLORREF key, COLORREF tolerance) {
    if (!bitmap) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    BITMAP bm;
    if (!GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        DeleteDC(dc);
        return nullptr;
    }
    const int width = bm.bmWidth, height = bm.bmHeight;

    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof(header));
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom row first
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section) DeleteObject(section);
        DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ oldSection = SelectObject(dc, section);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldSource = source ? SelectObject(source, bitmap) : nullptr;
    if (source) BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();

    BITMAP sectionInfo;
    GetObjectA(section, sizeof(sectionInfo), &sectionInfo);
    const LONG stride = (sectionInfo.bmWidthBytes + 3) & ~3;

    const int lowR = GetRValue(key), lowG = GetGValue(key), lowB = GetBValue(key);
    auto cap = [](int v) { return v > 255 ? 255 : v; };
    const int highR = cap(lowR + GetRValue(tolerance));
    const int highG = cap(lowG + GetGValue(tolerance));
    const int highB = cap(lowB + GetBValue(tolerance));

    RectBuffer buffer;
    HRGN result = nullptr;
    bool complete = source && buffer.open();
    for (int y = 0; complete && y < height; y++) {
        const BYTE* row = (const BYTE*)bits + (LONG)(height - 1 - y) * stride;
        auto transparentAt = [&](int x) {
            const BYTE* p = row + x * 4;  // blue, green, red, unused
            return p[2] >= lowR && p[2] <= highR && p[1] >= lowG && p[1] <= highG && p[0] >= lowB &&
                   p[0] <= highB;
        };
        int x = 0;
        while (x < width) {
            int x0 = x;
            while (x < width && !transparentAt(x)) x++;
            if (x > x0 && !buffer.add(x0, y, x, y + 1)) {
                complete = false;
                break;
            }
            x++;  // past the transparent pixel
        }
    }
    if (complete) buffer.flush();
    // A region missing some of its rows would cut the window wrongly.
    if (complete && !buffer.failed) result = buffer.result;
    else if (buffer.result) DeleteObject(buffer.result);
    buffer.close();

    if (source) {
        SelectObject(source, oldSource);
        DeleteDC(source);
    }
    SelectObject(dc, oldSection);
    DeleteObject(section);
    DeleteDC(dc);
    return result;
}

void applyWindowRect() {
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    if (!skin.transparent || !updateLayeredWindow) {
        MoveWindow(notificationWindow, windowRect.left, windowRect.top, width, height, TRUE);
        return;
    }
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = dc ? SelectObject(dc, composedBitmap) : nullptr;
    POINT destination = {windowRect.left, windowRect.top};
    SIZE size = {width, height};
    POINT origin = {0, 0};
    if (skin.maskType == 2) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        updateLayeredWindow(notificationWindow, screen, &destination, &size, dc, &origin, 0, &blend, ULW_ALPHA);
    } else {
        updateLayeredWindow(notificationWindow, screen, &destination, &size, dc, &origin, 0x00FF00FF, nullptr,
                            ULW_COLORKEY);
    }
    if (dc) {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
}
