// Composing the notification picture off-screen: background (tooltip frame,
// nine-slice stretch or doubling tile), then per row its icon, the text's
// shadow and the text. A per-pixel alpha skin's picture is a 32-bit
// top-down DIB section: the background's alpha bytes are saved from its
// bits before icons and texts are drawn and put back into them afterwards,
// because GDI drawing does not keep the alpha byte.
#include "paint.h"
#include <commctrl.h>
#include <emmintrin.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "gdi_guards.h"
#include "markup.h"
#include "notification_rows.h"
#include "plugin_state.h"
#include "row_layout.h"
#include "shape.h"
#include "skin.h"

HBITMAP composedBitmap = nullptr;
int contentWidth = 0, contentHeight = 0, rowHeight = 0;
bool composing = false;

// The alpha byte of each pixel of composedBitmap, in the order of its bits,
// while composing. The storage is kept for the next picture while there
// are notifications, so composing again does not wait for fresh memory.
static BYTE* savedAlpha = nullptr;
static size_t savedAlphaCount = 0, savedAlphaRoom = 0;

// The image-list drawing block in its 56-byte form (without the state and
// effect fields of later versions), which every comctl32 accepts.
struct ImageListDrawParams56 {
    DWORD cbSize;
    HIMAGELIST himl;
    int i;
    HDC hdcDst;
    int x, y, cx, cy;
    int xBitmap, yBitmap;
    COLORREF rgbBk, rgbFg;
    UINT fStyle;
    DWORD dwRop;
};
static_assert(sizeof(ImageListDrawParams56) == 56, "56-byte image list draw block");

static void dropSavedAlpha() { savedAlphaCount = 0; }

static void releaseSavedAlpha() {
    free(savedAlpha);
    savedAlpha = nullptr;
    savedAlphaCount = savedAlphaRoom = 0;
}

// The pixels of a 32-bit DIB section as words 0xAARRGGBB, in memory order
// (the row order does not matter to a pass over every pixel); null for any
// other bitmap.
static uint32_t* pixelsOf(HBITMAP picture, size_t* count) {
    DIBSECTION section;
    if (!picture || GetObjectA(picture, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmWidth <= 0 || section.dsBm.bmHeight <= 0)
        return nullptr;
    *count = (size_t)section.dsBm.bmWidth * (size_t)section.dsBm.bmHeight;
    return (uint32_t*)section.dsBm.bmBits;
}

static const bool haveSse2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
}();

// The alpha passes 16 pixels at a time where the processor has SSE2; each
// answers how many pixels it did, the rest is left to the plain loop. The
// host may call in with a stack aligned to 4 bytes only, so the stack is
// aligned here for any 16-byte value kept on it.
__attribute__((target("sse2"), force_align_arg_pointer)) static size_t copyAlphaOutSse2(const uint32_t* pixels,
                                                                                        BYTE* alpha, size_t count) {
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i* p = (const __m128i*)(pixels + i);
        __m128i a0 = _mm_srli_epi32(_mm_loadu_si128(p), 24), a1 = _mm_srli_epi32(_mm_loadu_si128(p + 1), 24);
        __m128i a2 = _mm_srli_epi32(_mm_loadu_si128(p + 2), 24), a3 = _mm_srli_epi32(_mm_loadu_si128(p + 3), 24);
        __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(a0, a1), _mm_packs_epi32(a2, a3));
        _mm_storeu_si128((__m128i*)(alpha + i), bytes);
    }
    return i;
}

__attribute__((target("sse2"), force_align_arg_pointer)) static size_t copyAlphaInSse2(const BYTE* alpha,
                                                                                       uint32_t* pixels, size_t count) {
    const __m128i zero = _mm_setzero_si128(), colour = _mm_set1_epi32(0x00FFFFFF);
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        // Each alpha byte moves to the top byte of its pixel's word.
        const __m128i bytes = _mm_loadu_si128((const __m128i*)(alpha + i));
        const __m128i low = _mm_unpacklo_epi8(zero, bytes), high = _mm_unpackhi_epi8(zero, bytes);
        const __m128i words[4] = {_mm_unpacklo_epi16(zero, low), _mm_unpackhi_epi16(zero, low),
                                  _mm_unpacklo_epi16(zero, high), _mm_unpackhi_epi16(zero, high)};
        __m128i* p = (__m128i*)(pixels + i);
        for (int k = 0; k < 4; k++)
            _mm_storeu_si128(p + k, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p + k), colour), words[k]));
    }
    return i;
}

// The alpha bytes of `picture`, kept while icons and texts are drawn over it.
static void saveAlphaOf(HBITMAP picture) {
    composing = true;
    dropSavedAlpha();
    // Drawing still queued by GDI must reach the bits before they are read.
    GdiFlush();
    size_t count = 0;
    const uint32_t* pixels = pixelsOf(picture, &count);
    if (!pixels) return;
    if (count > savedAlphaRoom) {
        releaseSavedAlpha();
        savedAlpha = (BYTE*)malloc(count);
        if (!savedAlpha) return;
        savedAlphaRoom = count;
    }
    const size_t done = haveSse2 ? copyAlphaOutSse2(pixels, savedAlpha, count) : 0;
    for (size_t i = done; i < count; i++) savedAlpha[i] = (BYTE)(pixels[i] >> 24);
    savedAlphaCount = count;
}

// Every pixel gets back its saved alpha byte; its colour stays as drawn.
static void restoreAlphaOf(HBITMAP picture) {
    GdiFlush();
    size_t count = 0;
    uint32_t* pixels = savedAlphaCount ? pixelsOf(picture, &count) : nullptr;
    if (pixels && count == savedAlphaCount) {
        const size_t done = haveSse2 ? copyAlphaInSse2(savedAlpha, pixels, count) : 0;
        for (size_t i = done; i < count; i++) pixels[i] = (pixels[i] & 0x00FFFFFFu) | (uint32_t)savedAlpha[i] << 24;
    }
    dropSavedAlpha();
    composing = false;
}

void SaveAlphaChannel() { saveAlphaOf(composedBitmap); }

void RestoreAlphaChannel() { restoreAlphaOf(composedBitmap); }

static void drawStretched(HDC dst, HDC src, int w, int h) {
    const int W = skin.bitmapWidth, H = skin.bitmapHeight;
    const int L = skin.sizingLeft, T = skin.sizingTop, R = skin.sizingRight, B = skin.sizingBottom;
    BitBlt(dst, 0, 0, L, T, src, 0, 0, SRCCOPY);
    StretchBlt(dst, L, 0, w - L - R, T, src, L, 0, W - L - R, T, SRCCOPY);
    BitBlt(dst, w - R, 0, R, T, src, W - R, 0, SRCCOPY);
    StretchBlt(dst, 0, T, L, h - T - B, src, 0, T, L, H - T - B, SRCCOPY);
    StretchBlt(dst, w - R, T, R, h - T - B, src, W - R, T, R, H - T - B, SRCCOPY);
    BitBlt(dst, 0, h - B, L, B, src, 0, H - B, SRCCOPY);
    StretchBlt(dst, L, h - B, w - L - R, B, src, L, H - B, W - L - R, B, SRCCOPY);
    BitBlt(dst, w - R, h - B, R, B, src, W - R, H - B, SRCCOPY);
    StretchBlt(dst, L, T, w - L - R, h - T - B, src, L, T, W - L - R, H - T - B, SRCCOPY);
}

// The middle is repeated by copies inside the picture itself, each twice
// the size of the one before, so the count grows with log(size).
static void drawTiled(HDC dst, HDC src, int w, int h) {
    const int W = skin.bitmapWidth, H = skin.bitmapHeight;
    const int L = skin.sizingLeft, T = skin.sizingTop, R = skin.sizingRight, B = skin.sizingBottom;
    BitBlt(dst, 0, 0, W - R, H - B, src, 0, 0, SRCCOPY);
    BitBlt(dst, w - R, 0, R, H - B, src, W - R, 0, SRCCOPY);
    BitBlt(dst, 0, h - B, W - R, B, src, 0, H - B, SRCCOPY);
    BitBlt(dst, w - R, h - B, R, B, src, W - R, H - B, SRCCOPY);

    int t = W - L - R, x = W - R;
    while (x + t < w - R) {
        BitBlt(dst, x, 0, t, H - B, dst, L, 0, SRCCOPY);
        BitBlt(dst, x, h - B, t, B, dst, L, h - B, SRCCOPY);
        x += t;
        t *= 2;
    }
    BitBlt(dst, x, 0, w - R - x, H - B, dst, L, 0, SRCCOPY);
    BitBlt(dst, x, h - B, w - R - x, B, dst, L, h - B, SRCCOPY);

    int u = H - T - B, y = H - B;
    while (y + u < h - B) {
        BitBlt(dst, 0, y, w, u, dst, 0, T, SRCCOPY);
        y += u;
        u *= 2;
    }
    BitBlt(dst, 0, y, w, h - B - y, dst, 0, T, SRCCOPY);
}

// The tooltip look: its colour inside a one-pixel frame. False when the
// brush or the pen cannot be made.
static bool drawDefaultBackground(HDC dc) {
    ScopedBrush brush(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    ScopedPen pen(CreatePen(PS_SOLID, 0, GetSysColor(COLOR_INFOTEXT)));
    if (!brush || !pen) return false;
    ScopedSelectObject selectBrush(dc, brush);
    ScopedSelectObject selectPen(dc, pen);
    if (!selectBrush.selected() || !selectPen.selected()) return false;
    Rectangle(dc, 0, 0, contentWidth, contentHeight);
    return true;
}

// The skin's image, stretched or tiled over the picture. False when it
// cannot be held in a device context.
static bool drawSkinBackground(HDC dc, HDC windowDc) {
    ScopedMemoryDC source(windowDc);
    ScopedSelectObject selectSource(source, skin.skinBitmap);
    if (!selectSource.selected()) return false;
    if (skin.sizingType == SIZING_TILE) drawTiled(dc, source, contentWidth, contentHeight);
    else drawStretched(dc, source, contentWidth, contentHeight);
    return true;
}

static void drawIcon(HDC dc, const PaintedRow& entry, int x, int y) {
    if (entry.icon) {
        DrawIconEx(dc, x, y, entry.icon, 16, 16, 0, nullptr, DI_NORMAL);
    } else if (entry.imageList) {
        ImageListDrawParams56 params;
        memset(&params, 0, sizeof(params));
        params.cbSize = sizeof(params);
        params.himl = entry.imageList;
        params.i = entry.imageIndex;
        params.hdcDst = dc;
        params.x = x;
        params.y = y;
        params.rgbBk = CLR_NONE;
        params.rgbFg = CLR_NONE;
        params.fStyle = ILD_TRANSPARENT;
        if (!ImageList_DrawIndirect((IMAGELISTDRAWPARAMS*)&params))
            ImageList_Draw(entry.imageList, entry.imageIndex, dc, x, y, ILD_NORMAL);
    }
}

static int clampToInt(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v; }

static void drawRows(HDC dc, const NotificationRows& rows, const std::vector<int>& widths) {
    const int iconOffset = (rowHeight - 16) / 2 + 1;
    for (int r = 0; r < rows.count(); r++) {
        const PaintedRow entry = rows.paintedRow(r);
        const char* text = entry.text;
        const RECT row = RowRect(r);
        if (skin.iconDisplay != ICONS_NONE) {
            int x = skin.iconDisplay == ICONS_LEFT ? row.left : row.right - 16;
            drawIcon(dc, entry, x, row.top + iconOffset);
        }
        int width = widths[r];  // MeasureMarkup of this text, taken when sizing
        // The text stands one pixel below the row's top edge.
        RECT box = {row.left, row.top + 1, row.right, row.bottom};
        if (skin.iconDisplay == ICONS_LEFT) box.left = row.left + skin.iconSpace + 16;
        else if (skin.iconDisplay == ICONS_RIGHT) box.right = row.right - skin.iconSpace - 16;
        if (skin.shadowStyle) {
            SetTextColor(dc, skin.shadowColor);
            RECT shadow = {box.left, box.top + 1, box.right + 1, box.bottom + 1};
            DrawMarkup(text, dc, &shadow, width, entry.clickable);
        }
        SetTextColor(dc, skin.fontColor);
        DrawMarkup(text, dc, &box, width, entry.clickable);
    }
}

static void applyColorKeyRegion() {
    ScopedRegion region(RegionFromColorKey(composedBitmap, 0x00FF00FF, 0x00101010));
    if (!region) return;
    // On success the system owns the region; otherwise it is still ours.
    if (SetWindowRgn(notificationWindow, region, FALSE)) region.release();
}

namespace {
// Drops the alpha channel a composition saved if it never got back into the
// picture (nothing drawn, or an exception), so the timers do not stay paused.
struct SavedAlphaDrop {
    bool armed = false;
    ~SavedAlphaDrop() {
        if (armed && composing) {
            dropSavedAlpha();
            composing = false;
        }
    }
};
}  // namespace

// Background, icons and texts into `picture`. False when a device context,
// brush or pen it needs cannot be made: then the picture is not to be shown.
static bool drawPicture(HBITMAP picture, HDC windowDc, const NotificationRows& rows, const std::vector<int>& widths,
                        bool alphaSkin, SavedAlphaDrop* unfinished) {
    ScopedMemoryDC dc(windowDc);
    ScopedSelectObject selectPicture(dc, picture);
    if (!selectPicture.selected()) return false;
    ScopedSelectObject normalFont(dc, skin.normalFont);
    if (!skin.skinBitmap) {
        if (!drawDefaultBackground(dc)) return false;
    } else {
        if (!drawSkinBackground(dc, windowDc)) return false;
        if (alphaSkin) {
            saveAlphaOf(picture);
            unfinished->armed = true;
        }
    }

    if (skin.skinBitmap) SetBkMode(dc, TRANSPARENT);
    else SetBkColor(dc, skin.infoBackColor);
    drawRows(dc, rows, widths);
    return true;
}

// The picture of a per-pixel alpha skin: 32 bits per pixel, top row first,
// its bits open to the alpha pass.
static HBITMAP createAlphaPicture(HDC windowDc, int width, int height) {
    if (width <= 0 || height <= 0 || (long long)width * height > INT_MAX / 4) return nullptr;
    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof(header));
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(windowDc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
}

void ComposeNotifications(const NotificationRows& rows) {
    DeleteObjectSafe(&composedBitmap);
    if (rows.count() == 0) {
        releaseSavedAlpha();
        return;
    }

    int widest = 0, tallest = 0;
    std::vector<int> widths((size_t)rows.count());
    {
        // Every line is measured on the window's whole-window context (the
        // screen's while there is no window), taken once for all of them.
        ScopedGetWindowDC measuring(notificationWindow);
        if (!measuring) return;
        // Most texts begin in the normal font: with it selected beforehand,
        // measuring selects a font only where a text changes it.
        ScopedSelectObject normalFont(measuring, skin.normalFont);
        for (int r = 0; r < rows.count(); r++) {
            SIZE size = MeasureMarkup(rows.paintedRow(r).text, measuring);
            widths[r] = size.cx;
            if (size.cx > widest) widest = size.cx;
            if (size.cy > tallest) tallest = size.cy;
        }
    }
    long long width = (long long)widest + skin.marginLeft + skin.marginRight;
    if (skin.iconDisplay != ICONS_NONE) width += (long long)skin.iconSpace + 16;
    rowHeight = clampToInt((long long)tallest + skin.lineSpacing);
    long long height = (long long)rows.count() * rowHeight + skin.marginTop + skin.marginBottom;
    contentWidth = clampToInt(width < skin.bitmapWidth ? skin.bitmapWidth : width);
    contentHeight = clampToInt(height < skin.bitmapHeight ? skin.bitmapHeight : height);

    const bool alphaSkin = skin.transparent && skin.maskType == MASK_ALPHA && updateLayeredWindow;
    {
        ScopedGetDC windowDc(notificationWindow);
        if (!windowDc) return;
        // An absurd skin (margins of millions of pixels) leaves no picture.
        ScopedBitmap picture(alphaSkin && skin.skinBitmap ? createAlphaPicture(windowDc, contentWidth, contentHeight)
                                                          : CreateCompatibleBitmap(windowDc, contentWidth, contentHeight));
        if (!picture) return;
        SavedAlphaDrop unfinished;
        if (!drawPicture(picture, windowDc, rows, widths, alphaSkin, &unfinished)) return;
        composedBitmap = picture.release();
        if (alphaSkin && skin.skinBitmap) restoreAlphaOf(composedBitmap);
    }

    if (skin.skinBitmap && skin.transparent && skin.maskType == MASK_COLOR && !updateLayeredWindow)
        applyColorKeyRegion();
}

void ResetContentSize() { contentWidth = contentHeight = 0; }

void ReleaseNotificationPicture() {
    DeleteObjectSafe(&composedBitmap);
    releaseSavedAlpha();
}

void PaintNotificationWindow(const PAINTSTRUCT* paint) {
    if (!paint || !paint->hdc || !composedBitmap) return;
    ScopedMemoryDC dc(paint->hdc);
    ScopedSelectObject selectPicture(dc, composedBitmap);
    if (!selectPicture.selected()) return;
    BitBlt(paint->hdc, 0, 0, contentWidth, contentHeight, dc, 0, 0, SRCCOPY);
}
