// Window shape: the region of a colour-keyed picture for plain windows, and
// the layered presentation (colour key or per-pixel alpha) when the system
// has UpdateLayeredWindow.
#include "shape.h"
#include <emmintrin.h>
#include <stdint.h>
#include <string.h>
#include "gdi_guards.h"
#include "paint.h"
#include "picture_context.h"
#include "plugin_state.h"
#include "skin.h"

static const int RECTS_STEP = 100;    // the buffer grows by this many rectangles
static const int RECTS_BATCH = 2000;  // rectangles per region before joining
static const int BAND_BYTES = 128 * 1024;  // the section's size, at most
static const DWORD HEADER_SIZE = sizeof(RGNDATAHEADER);

static_assert(sizeof(RGNDATAHEADER) == 32, "32-byte region header");
static_assert(sizeof(RECT) == 16, "16-byte rectangle");

namespace {

// The rectangle buffer: a movable global block, locked while written, and
// the region made of what it held so far. Both go with the buffer unless
// the region is taken.
struct RectBuffer {
    ScopedGlobalMemory block;
    RGNDATA* data;
    DWORD capacity = RECTS_STEP;
    ScopedRegion result;
    bool failed = false;

    RectBuffer() : block(HEADER_SIZE + sizeof(RECT) * RECTS_STEP), data((RGNDATA*)block.data()) {
        if (!data) return;
        reset();
        data->rdh.dwSize = HEADER_SIZE;
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nRgnSize = 0;
    }
    bool ready() const { return data != nullptr; }
    void reset() {
        data->rdh.nCount = 0;
        SetRect(&data->rdh.rcBound, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0);
    }
    // Makes a region of what the buffer holds and joins it to the result.
    void flush() {
        ScopedRegion part(ExtCreateRegion(nullptr, HEADER_SIZE + sizeof(RECT) * capacity, data));
        if (!part) failed = true;
        else if (!result) result.reset(part.release());
        else if (CombineRgn(result, result, part, RGN_OR) == ERROR) failed = true;
        reset();
    }
    bool add(LONG left, LONG top, LONG right, LONG bottom) {
        if (data->rdh.nCount >= capacity) {
            const bool grown = block.resize(HEADER_SIZE + sizeof(RECT) * (capacity + RECTS_STEP));
            data = (RGNDATA*)block.data();
            if (!grown) return false;
            capacity += RECTS_STEP;
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
};

// The key range of a colour-key picture: a pixel is transparent when each of
// its components lies in [key, key + tolerance], capped at 255. A pixel of
// the 32-bit section is one word 0x00RRGGBB, its fourth byte unused.
struct KeyRange {
    uint32_t low[3], span[3];  // red, green, blue
    KeyRange(COLORREF key, COLORREF tolerance) {
        const uint32_t k[3] = {GetRValue(key), GetGValue(key), GetBValue(key)};
        const uint32_t t[3] = {GetRValue(tolerance), GetGValue(tolerance), GetBValue(tolerance)};
        for (int i = 0; i < 3; i++) {
            low[i] = k[i];
            span[i] = (k[i] + t[i] > 255 ? 255 : k[i] + t[i]) - k[i];
        }
    }
    bool transparent(uint32_t p) const {
        return ((p >> 16 & 0xFF) - low[0]) <= span[0] && ((p >> 8 & 0xFF) - low[1]) <= span[1] &&
               ((p & 0xFF) - low[2]) <= span[2];
    }
    // Calls run(x0, x) for each run of opaque pixels of the row, left to
    // right, until it answers false; reads every pixel once, 32 at a time
    // into a mask of the transparent ones.
    template <typename Run> bool opaqueRuns(const uint32_t* row, int width, Run run) const {
        int start = 0;  // where the current run of opaque pixels begins
        for (int x = 0; x < width; x += 32) {
            const int n = width - x < 32 ? width - x : 32;
            uint32_t mask = haveSse2 && n == 32 ? mask32Sse2(row + x) : maskOf(row + x, n);
            for (; mask; mask &= mask - 1) {
                const int t = x + __builtin_ctz(mask);
                if (t > start && !run(start, t)) return false;
                start = t + 1;
            }
        }
        return width <= start || run(start, width);
    }

private:
    static const bool haveSse2;
    // Bit i set when pixel i of the n (at most 32) is transparent.
    uint32_t maskOf(const uint32_t* p, int n) const {
        uint32_t mask = 0;
        for (int i = 0; i < n; i++)
            if (transparent(p[i])) mask |= 1u << i;
        return mask;
    }
    // The same for 32 pixels, four at a time: a byte is in range when
    // neither (low - byte) nor (byte - high) is above 0 in saturated
    // arithmetic; the unused byte is always in range. The host may call in
    // with a stack aligned to 4 bytes only, so the stack is aligned here for
    // any 16-byte value kept on it.
    __attribute__((target("sse2"), force_align_arg_pointer)) uint32_t mask32Sse2(const uint32_t* p) const {
        const __m128i lowBytes = _mm_set1_epi32((int)(low[0] << 16 | low[1] << 8 | low[2]));
        const __m128i highBytes = _mm_set1_epi32(
            (int)(0xFF000000u | (low[0] + span[0]) << 16 | (low[1] + span[1]) << 8 | (low[2] + span[2])));
        const __m128i zero = _mm_setzero_si128();
        uint32_t mask = 0;
        for (int i = 0; i < 8; i++) {
            __m128i four = _mm_loadu_si128((const __m128i*)(p + 4 * i));
            __m128i out = _mm_or_si128(_mm_subs_epu8(lowBytes, four), _mm_subs_epu8(four, highBytes));
            uint32_t in = (uint32_t)_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(out, zero)));
            mask |= in << (4 * i);
        }
        return mask;
    }
};

const bool KeyRange::haveSse2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
}();

}  // namespace

// The opaque runs of the picture in `source`, copied band by band through
// the section selected into `dc` (whose bits are `bits`).
static HRGN regionOfBands(HDC dc, HDC source, const void* bits, LONG stride, int width, int height, int bandRows,
                          COLORREF key, COLORREF tolerance) {
    const KeyRange range(key, tolerance);
    RectBuffer buffer;
    bool complete = buffer.ready();
    for (int top = 0; complete && top < height; top += bandRows) {
        const int rows = height - top < bandRows ? height - top : bandRows;
        BitBlt(dc, 0, 0, width, rows, source, 0, top, SRCCOPY);
        GdiFlush();
        for (int i = 0; complete && i < rows; i++) {
            const int y = top + i;
            const uint32_t* row = (const uint32_t*)((const BYTE*)bits + (LONG)(bandRows - 1 - i) * stride);
            complete = range.opaqueRuns(row, width, [&](int x0, int x) { return buffer.add(x0, y, x, y + 1); });
        }
    }
    if (complete) buffer.flush();
    // A region missing some of its rows would cut the window wrongly.
    return complete && !buffer.failed ? buffer.result.release() : nullptr;
}

HRGN RegionFromColorKey(HBITMAP bitmap, COLORREF key, COLORREF tolerance, HDC holding) {
    if (!bitmap) return nullptr;
    ScopedMemoryDC dc(nullptr);
    if (!dc) return nullptr;
    BITMAP bm;
    if (!GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
    const int width = bm.bmWidth, height = bm.bmHeight;

    // The picture is copied into a 32-bit section a band of rows at a time:
    // the same small section serves every band and stays in the processor's
    // cache, where a section of the whole picture would have every one of
    // its pages touched for the first time.
    int bandRows = width > BAND_BYTES / 4 ? 1 : BAND_BYTES / 4 / width;
    if (bandRows > height) bandRows = height;
    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof(header));
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = bandRows;  // bottom row first
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap section(CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return nullptr;
    ScopedSelectObject selectSection(dc, section);
    BITMAP sectionInfo;
    if (!selectSection.selected() || !GetObjectA(section, sizeof(sectionInfo), &sectionInfo)) return nullptr;
    const LONG stride = (sectionInfo.bmWidthBytes + 3) & ~3;
    // A bitmap is selected into one context at a time: one that holds it
    // already is the source, else it is selected into one for this.
    if (!holding) {
        ScopedMemoryDC source(dc.get());
        ScopedSelectObject selectSource(source, bitmap);
        if (!selectSource.selected()) return nullptr;
        return regionOfBands(dc, source, bits, stride, width, height, bandRows, key, tolerance);
    }
    return regionOfBands(dc, holding, bits, stride, width, height, bandRows, key, tolerance);
}

// The layered window shows the picture of `dc` at `windowRect`.
static void presentLayered(HDC screen, HDC dc, const RECT& windowRect) {
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    POINT destination = {windowRect.left, windowRect.top};
    SIZE size = {width, height};
    POINT origin = {0, 0};
    if (skin.maskType == MASK_ALPHA) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        updateLayeredWindow(notificationWindow, screen, &destination, &size, dc, &origin, 0, &blend, ULW_ALPHA);
    } else {
        updateLayeredWindow(notificationWindow, screen, &destination, &size, dc, &origin, 0x00FF00FF, nullptr,
                            ULW_COLORKEY);
    }
}

void PlaceNotificationWindow(const RECT& windowRect) {
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    if (!skin.transparent || !updateLayeredWindow) {
        MoveWindow(notificationWindow, windowRect.left, windowRect.top, width, height, TRUE);
        return;
    }
    ScopedGetDC screen(nullptr);
    // The picture's kept context holds it; else it is selected for this.
    if (const HDC held = HeldPictureContext(composedBitmap)) {
        presentLayered(screen, held, windowRect);
        return;
    }
    ScopedMemoryDC dc(screen);
    ScopedSelectObject selectPicture(dc, composedBitmap);
    presentLayered(screen, dc, windowRect);
}
