// "<b>" markup: each marker flips between normal and bold type. A text is
// always one line; an empty segment that ends at a marker is skipped but
// still flips the weight, and the last segment is always handled.
//
// Texts are Windows-1250: each line is converted to UTF-16 once and its
// segments are measured and drawn with the wide calls, so the letters are
// right whatever the system's ANSI code page is. The markers are found in
// the 1250 bytes; a segment's bytes and its UTF-16 units share their offsets.
#include "markup.h"
#include <string.h>
#include "gdi_guards.h"
#include "plugin_state.h"
#include "skin.h"
#include "wide_text.h"

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

namespace {
// The fonts of one text, selected one after another, each only when it is
// not the one selected already: on a window's device context selecting a
// font costs several times what measuring a segment does. The font the
// context held before is selected back at the end if it was changed.
class SegmentFonts {
public:
    explicit SegmentFonts(HDC dc) : dc_(dc), original_(GetCurrentObject(dc, OBJ_FONT)), current_(original_) {}
    ~SegmentFonts() {
        if (current_ != original_ && original_) SelectObject(dc_, original_);
    }
    SegmentFonts(const SegmentFonts&) = delete;
    SegmentFonts& operator=(const SegmentFonts&) = delete;

    void select(HFONT font) {
        if (font == current_) return;
        HGDIOBJ previous = SelectObject(dc_, font);
        if (previous && previous != HGDI_ERROR) current_ = font;
    }

private:
    HDC dc_;
    HGDIOBJ original_, current_;
};
}  // namespace

// A font of the look, or the system's default font while the look has none
// (its window is gone), so text is never drawn in whatever font came before.
static HFONT usable(HFONT font) { return font ? font : (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

SIZE MeasureMarkup(const char* text) {
    SIZE total = {0, 0};
    if (!text) return total;
    // With no window yet this is the screen's device context.
    ScopedGetWindowDC dc(notificationWindow);
    if (!dc) return total;
    return MeasureMarkup(text, dc);
}

// The line's UTF-16 form, kept between calls so its storage is reused;
// markup runs only on the window's thread.
static WideText& wideLine(const char* text) {
    static WideText line;
    line.assign(text, -1);
    return line;
}

SIZE MeasureMarkup(const char* text, HDC dc) {
    SIZE total = {0, 0};
    if (!text || !dc) return total;
    const wchar_t* wide = wideLine(text).c_str();
    SegmentFonts fonts(dc);
    forEachSegment(text, [&](const char* segment, int length, bool odd) {
        fonts.select(usable(boldFamily(odd) ? skin.boldFont : skin.normalFont));
        SIZE extent = {0, 0};
        GetTextExtentPoint32W(dc, wide + (segment - text), length, &extent);
        total.cx += extent.cx;
        if (extent.cy > total.cy) total.cy = extent.cy;
    });
    return total;
}

void DrawMarkup(const char* text, HDC dc, const RECT* rect, int textWidth, BOOL clickable) {
    if (!text || !dc || !rect) return;
    RECT work = *rect;
    if (skin.textAlign == ALIGN_CENTER) work.left += (work.right - work.left - textWidth) / 2;
    else if (skin.textAlign == ALIGN_RIGHT) work.left = work.right - textWidth;

    const wchar_t* wide = wideLine(text).c_str();
    SegmentFonts fonts(dc);
    forEachSegment(text, [&](const char* segment, int length, bool odd) {
        HFONT font = boldFamily(odd) ? (clickable ? skin.boldUnderlineFont : skin.boldFont)
                                     : (clickable ? skin.underlineFont : skin.normalFont);
        fonts.select(usable(font));
        const wchar_t* piece = wide + (segment - text);
        SIZE extent = {0, 0};
        GetTextExtentPoint32W(dc, piece, length, &extent);
        DrawTextW(dc, piece, length, &work, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
        work.left += extent.cx;
    });
}
