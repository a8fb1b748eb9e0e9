// "<b>" markup: each marker flips between normal and bold type. A text is
// always one line; an empty segment that ends at a marker is skipped but
// still flips the weight, and the last segment is always handled.
#include "markup.h"
#include <string.h>
#include <string>
#include "plugin_state.h"
#include "skin.h"

static const char MARKER[] = "<b>";
static const int MARKER_LENGTH = 3;

// Calls handle(segment, length, oddSegment) for every segment to handle.
template <typename Handle> static void forEachSegment(const char* text, Handle handle) {
    const char* position = text;
    bool odd = false;
    for (;;) {
        const char* marker = strstr(position, MARKER);
        int length = marker ? (int)(marker - position) : (int)strlen(position);
        if (length > 0 || !marker) handle(position, length, odd);
        if (!marker) break;
        position = marker + MARKER_LENGTH;
        odd = !odd;
    }
}

static bool boldFamily(bool odd) { return odd || skin.fontBold; }

SIZE MeasureMarkup(const char* text) {
    SIZE total = {0, 0};
    if (!text) return total;
    // With no window yet this is the screen's device context.
    HDC dc = GetWindowDC(notificationWindow);
    if (!dc) return total;
    total = MeasureMarkup(text, dc);
    ReleaseDC(notificationWindow, dc);
    return total;
}

SIZE MeasureMarkup(const char* text, HDC dc) {
    SIZE total = {0, 0};
    if (!text || !dc) return total;
    HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    forEachSegment(text, [&](const char* segment, int length, bool odd) {
        SelectObject(dc, boldFamily(odd) ? skin.boldFont : skin.normalFont);
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, segment, length, &extent);
        total.cx += extent.cx;
        if (extent.cy > total.cy) total.cy = extent.cy;
    });
    SelectObject(dc, original);
    return total;
}

void DrawMarkup(const char* text, HDC dc, const RECT* rect, int textWidth, BOOL clickable) {
    if (!text || !dc || !rect) return;
    RECT work = *rect;
    if (skin.textAlign == 1) work.left += (work.right - work.left - textWidth) / 2;
    else if (skin.textAlign == 2) work.left = work.right - textWidth;

    HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    std::string piece;
    forEachSegment(text, [&](const char* segment, int length, bool odd) {
        HFONT font = boldFamily(odd) ? (clickable ? skin.boldUnderlineFont : skin.boldFont)
                                     : (clickable ? skin.underlineFont : skin.normalFont);
        SelectObject(dc, font);
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, segment, length, &extent);
        // DrawTextA reads up to the terminating zero, so each segment gets its own.
        piece.assign(segment, (size_t)length);
        DrawTextA(dc, piece.c_str(), -1, &work, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
        work.left += extent.cx;
    });
    SelectObject(dc, original);
}
