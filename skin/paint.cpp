// Composing the notification picture off-screen: background (tooltip frame,
// nine-slice stretch or doubling tile), then per row its icon, the text's
// shadow and the text. A per-pixel alpha skin's picture is a 32-bit
// top-down DIB section: the background's alpha bytes are saved from its
// bits before icons and texts are drawn and put back into them afterwards,
// because GDI drawing does not keep the alpha byte.
#include "paint.h"
#include <commctrl.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "alpha_channel.h"
#include "gdi_guards.h"
#include "markup.h"
#include "notification_rows.h"
#include "picture_context.h"
#include "plugin_state.h"
#include "row_layout.h"
#include "shape.h"
#include "skin.h"

HBITMAP composedBitmap = nullptr;
int contentWidth = 0, contentHeight = 0, rowHeight = 0;
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

void SaveAlphaChannel() { SaveAlphaOf(composedBitmap); }

void RestoreAlphaChannel() { RestoreAlphaOf(composedBitmap); }

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
static bool drawSkinBackground(HDC dc, HDC like) {
    HDC source = ImageContext(like);
    if (!source) return false;
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
    ScopedRegion region(
        RegionFromColorKey(composedBitmap, 0x00FF00FF, 0x00101010, HeldPictureContext(composedBitmap)));
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
        if (armed) DropUnrestoredAlpha();
    }
};
}  // namespace

// Background, icons and texts into `picture`. False when a device context,
// brush or pen it needs cannot be made: then the picture is not to be shown.
static bool drawPicture(HBITMAP picture, HDC like, const NotificationRows& rows, const std::vector<int>& widths,
                        bool alphaSkin, SavedAlphaDrop* unfinished) {
    HDC dc = PictureContextFor(picture, like);
    if (!dc) return false;
    if (!skin.skinBitmap) {
        if (!drawDefaultBackground(dc)) return false;
    } else {
        if (!drawSkinBackground(dc, like)) return false;
        if (alphaSkin) {
            SaveAlphaOf(picture);
            unfinished->armed = true;
        }
    }

    // The context is kept from one picture to the next: each sets the modes
    // it draws with.
    if (skin.skinBitmap) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, skin.infoBackColor);
    }
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

// The last picture, when it can be drawn over again: the same size and the
// same kind (a 32-bit DIB section for an alpha skin, else a bitmap of the
// screen's format). Every pixel of it is drawn anew by the background.
static HBITMAP reusablePicture(HBITMAP previous, bool alphaPicture, int width, int height) {
    DIBSECTION section;
    const int got = previous ? GetObjectA(previous, sizeof(section), &section) : 0;
    if (got != (int)sizeof(BITMAP) && got != (int)sizeof(DIBSECTION)) return nullptr;
    const bool isSection = got == (int)sizeof(DIBSECTION) && section.dsBm.bmBits;
    if (isSection != alphaPicture) return nullptr;
    if (alphaPicture && section.dsBm.bmBitsPixel != 32) return nullptr;
    return section.dsBm.bmWidth == width && section.dsBm.bmHeight == height ? previous : nullptr;
}

// Most texts begin in the normal font: with it selected beforehand,
// measuring selects a font only where a text changes it. The picture's
// kept context has it selected already, and measures as the window's does.
RowMeasure::RowMeasure() : kept(KeptPictureContext()) {
    if (kept) return;
    windowDc = GetWindowDC(notificationWindow);
    if (!windowDc) return;
    originalFont = SelectObject(windowDc, skin.normalFont);
    if (!originalFont || originalFont == HGDI_ERROR) originalFont = nullptr;
}

RowMeasure::~RowMeasure() {
    if (!windowDc) return;
    if (originalFont) SelectObject(windowDc, originalFont);
    ReleaseDC(notificationWindow, windowDc);
}

SIZE RowMeasure::measure(const PaintedRow& row) const { return MeasureMarkup(row.text, kept ? kept : windowDc); }

long long PictureHeight(int rows, int tallest) {
    return (long long)rows * ((long long)tallest + skin.lineSpacing) + skin.marginTop + skin.marginBottom;
}

// No picture, of no size: what a compose that could not draw leaves, so the
// hit test and the screen reader find no rows on stale geometry.
static bool failed() {
    LetGoOfPicture();
    contentWidth = contentHeight = rowHeight = 0;
    return false;
}

bool ComposeNotifications(const NotificationRows& rows, const std::vector<SIZE>& sizes) {
    ScopedBitmap previous(composedBitmap);
    composedBitmap = nullptr;
    if (rows.count() == 0) {
        LetGoOfPicture();
        ReleaseSavedAlpha();
        return true;
    }
    if ((int)sizes.size() < rows.count()) return failed();

    int widest = 0, tallest = 0;
    std::vector<int> widths((size_t)rows.count());
    for (int r = 0; r < rows.count(); r++) {
        widths[r] = sizes[r].cx;
        if (sizes[r].cx > widest) widest = sizes[r].cx;
        if (sizes[r].cy > tallest) tallest = sizes[r].cy;
    }
    long long width = (long long)widest + skin.marginLeft + skin.marginRight;
    if (skin.iconDisplay != ICONS_NONE) width += (long long)skin.iconSpace + 16;
    rowHeight = clampToInt((long long)tallest + skin.lineSpacing);
    long long height = PictureHeight(rows.count(), tallest);
    contentWidth = clampToInt(width < skin.bitmapWidth ? skin.bitmapWidth : width);
    contentHeight = clampToInt(height < skin.bitmapHeight ? skin.bitmapHeight : height);

    const bool alphaSkin = skin.transparent && skin.maskType == MASK_ALPHA && updateLayeredWindow;
    {
        // The last picture, drawn over again in the context that holds it,
        // needs nothing of the window; a new one is made for its context.
        const bool alphaPicture = alphaSkin && skin.skinBitmap;
        ScopedBitmap picture(reusablePicture(previous, alphaPicture, contentWidth, contentHeight));
        if (picture) previous.release();
        SavedAlphaDrop unfinished;
        if (picture && HeldPictureContext(picture) && (!skin.skinBitmap || ImageContext(nullptr))) {
            if (!drawPicture(picture, nullptr, rows, widths, alphaSkin, &unfinished)) return failed();
        } else {
            ScopedGetDC windowDc(notificationWindow);
            if (!windowDc) return failed();
            // An absurd skin (margins of millions of pixels) leaves no picture.
            if (!picture && alphaPicture) picture.reset(createAlphaPicture(windowDc, contentWidth, contentHeight));
            else if (!picture) picture.reset(CreateCompatibleBitmap(windowDc, contentWidth, contentHeight));
            if (!picture) return failed();
            if (!drawPicture(picture, windowDc, rows, widths, alphaSkin, &unfinished)) return failed();
        }
        composedBitmap = picture.release();
        if (alphaSkin && skin.skinBitmap) RestoreAlphaOf(composedBitmap);
    }

    if (skin.skinBitmap && skin.transparent && skin.maskType == MASK_COLOR && !updateLayeredWindow)
        applyColorKeyRegion();
    return true;
}

bool ComposeNotifications(const NotificationRows& rows) {
    // Rows left unmeasured make the compose fail.
    std::vector<SIZE> sizes;
    if (rows.count() > 0) {
        const RowMeasure measuring;
        for (int r = 0; measuring && r < rows.count(); r++) sizes.push_back(measuring.measure(rows.paintedRow(r)));
    }
    return ComposeNotifications(rows, sizes);
}

void ResetContentSize() { contentWidth = contentHeight = 0; }

void ReleaseNotificationPicture() {
    ReleasePictureContexts();
    DeleteObjectSafe(&composedBitmap);
    ReleaseSavedAlpha();
}

void PaintNotificationWindow(const PAINTSTRUCT* paint) {
    if (!paint || !paint->hdc || !composedBitmap) return;
    if (HDC held = HeldPictureContext(composedBitmap)) {
        BitBlt(paint->hdc, 0, 0, contentWidth, contentHeight, held, 0, 0, SRCCOPY);
        return;
    }
    ScopedMemoryDC dc(paint->hdc);
    ScopedSelectObject selectPicture(dc, composedBitmap);
    if (!selectPicture.selected()) return;
    BitBlt(paint->hdc, 0, 0, contentWidth, contentHeight, dc, 0, 0, SRCCOPY);
}
