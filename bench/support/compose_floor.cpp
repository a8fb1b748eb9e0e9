#include "compose_floor.h"
#include <string.h>
#include "skin/paint.h"
#include "skin/skin.h"
#include "window/notification_queue.h"

ComposeFloor::ComposeFloor() {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    picture = CreateCompatibleBitmap(screen, contentWidth, contentHeight);
    oldPicture = SelectObject(dc, picture);
    if (skin.skinBitmap) {
        // A copy of the skin's picture: a bitmap is selected into one device
        // context at a time, and composing selects the original.
        sourceCopy = (HBITMAP)CopyImage(skin.skinBitmap, IMAGE_BITMAP, 0, 0, 0);
        source = CreateCompatibleDC(screen);
        oldSource = SelectObject(source, sourceCopy);
        SetBkMode(dc, TRANSPARENT);
    } else {
        brush = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
        pen = CreatePen(PS_SOLID, 0, GetSysColor(COLOR_INFOTEXT));
        oldBrush = SelectObject(dc, brush);
        oldPen = SelectObject(dc, pen);
        SetBkColor(dc, skin.infoBackColor);
    }
    ReleaseDC(nullptr, screen);

    const int iconOffset = (rowHeight - 16) / 2 + 1;
    int y = skin.marginTop;
    for (int r = 0; r < notificationQueue.count(); r++) {
        const NotificationEntry& e = notificationQueue.row(r);
        Row row = {};
        // "<b>" flips the weight; an empty segment before a marker is skipped.
        const char* p = e.text.c_str();
        bool odd = false;
        for (;;) {
            const char* marker = strstr(p, "<b>");
            size_t length = marker ? (size_t)(marker - p) : strlen(p);
            bool bold = odd || skin.fontBold;
            if (length > 0 || !marker)
                row.segments.push_back({std::string(p, length), bold ? skin.boldFont : skin.normalFont,
                                        bold ? (e.clickable ? skin.boldUnderlineFont : skin.boldFont)
                                             : (e.clickable ? skin.underlineFont : skin.normalFont)});
            if (!marker) break;
            p = marker + 3;
            odd = !odd;
        }
        row.icon = skin.iconDisplay ? e.icon : nullptr;
        row.list = skin.iconDisplay ? e.imageList : nullptr;
        row.index = e.imageIndex;
        row.iconX = skin.iconDisplay == ICONS_LEFT ? skin.marginLeft : contentWidth - skin.marginRight - 16;
        row.iconY = y + iconOffset;
        row.box = {skin.marginLeft, y + 1, contentWidth - skin.marginRight, y + rowHeight};
        if (skin.iconDisplay == ICONS_LEFT) row.box.left = skin.marginLeft + skin.iconSpace + 16;
        else if (skin.iconDisplay == ICONS_RIGHT) row.box.right = contentWidth - skin.marginRight - skin.iconSpace - 16;
        lines.push_back(row);
        y += rowHeight;
    }
}

ComposeFloor::~ComposeFloor() {
    if (source) {
        SelectObject(source, oldSource);
        DeleteDC(source);
        DeleteObject(sourceCopy);
    }
    if (brush) {
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    }
    SelectObject(dc, oldPicture);
    DeleteObject(picture);
    DeleteDC(dc);
}

void ComposeFloor::background() {
    const int w = contentWidth, h = contentHeight;
    if (!source) {
        Rectangle(dc, 0, 0, w, h);
        return;
    }
    const int W = skin.bitmapWidth, H = skin.bitmapHeight;
    const int L = skin.sizingLeft, T = skin.sizingTop, R = skin.sizingRight, B = skin.sizingBottom;
    if (skin.sizingType == SIZING_STRETCH) {
        BitBlt(dc, 0, 0, L, T, source, 0, 0, SRCCOPY);
        StretchBlt(dc, L, 0, w - L - R, T, source, L, 0, W - L - R, T, SRCCOPY);
        BitBlt(dc, w - R, 0, R, T, source, W - R, 0, SRCCOPY);
        StretchBlt(dc, 0, T, L, h - T - B, source, 0, T, L, H - T - B, SRCCOPY);
        StretchBlt(dc, w - R, T, R, h - T - B, source, W - R, T, R, H - T - B, SRCCOPY);
        BitBlt(dc, 0, h - B, L, B, source, 0, H - B, SRCCOPY);
        StretchBlt(dc, L, h - B, w - L - R, B, source, L, H - B, W - L - R, B, SRCCOPY);
        BitBlt(dc, w - R, h - B, R, B, source, W - R, H - B, SRCCOPY);
        StretchBlt(dc, L, T, w - L - R, h - T - B, source, L, T, W - L - R, H - T - B, SRCCOPY);
        return;
    }
    BitBlt(dc, 0, 0, W - R, H - B, source, 0, 0, SRCCOPY);
    BitBlt(dc, w - R, 0, R, H - B, source, W - R, 0, SRCCOPY);
    BitBlt(dc, 0, h - B, W - R, B, source, 0, H - B, SRCCOPY);
    BitBlt(dc, w - R, h - B, R, B, source, W - R, H - B, SRCCOPY);
    int t = W - L - R, x = W - R;
    for (; x + t < w - R; x += t, t *= 2) {
        BitBlt(dc, x, 0, t, H - B, dc, L, 0, SRCCOPY);
        BitBlt(dc, x, h - B, t, B, dc, L, h - B, SRCCOPY);
    }
    BitBlt(dc, x, 0, w - R - x, H - B, dc, L, 0, SRCCOPY);
    BitBlt(dc, x, h - B, w - R - x, B, dc, L, h - B, SRCCOPY);
    int u = H - T - B, y = H - B;
    for (; y + u < h - B; y += u, u *= 2) BitBlt(dc, 0, y, w, u, dc, 0, T, SRCCOPY);
    BitBlt(dc, 0, y, w, h - B - y, dc, 0, T, SRCCOPY);
}

void ComposeFloor::text(const Row& row, const RECT& box) {
    RECT work = box;
    for (const Segment& s : row.segments) {
        SelectObject(dc, s.drawFont);
        SIZE extent;
        GetTextExtentPoint32A(dc, s.text.c_str(), (int)s.text.size(), &extent);
        DrawTextA(dc, s.text.c_str(), -1, &work, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
        work.left += extent.cx;
    }
}

void ComposeFloor::draw() {
    // Measuring every text comes first, as the size depends on it.
    measure();
    background();
    rows();
}

void ComposeFloor::measure() {
    for (const Row& row : lines)
        for (const Segment& s : row.segments) {
            SelectObject(dc, s.measureFont);
            SIZE extent;
            GetTextExtentPoint32A(dc, s.text.c_str(), (int)s.text.size(), &extent);
        }
}

void ComposeFloor::rows() {
    for (const Row& row : lines) {
        if (row.icon) {
            DrawIconEx(dc, row.iconX, row.iconY, row.icon, 16, 16, 0, nullptr, DI_NORMAL);
        } else if (row.list) {
            IMAGELISTDRAWPARAMS params;
            memset(&params, 0, sizeof(params));
            params.cbSize = 56;
            params.himl = row.list;
            params.i = row.index;
            params.hdcDst = dc;
            params.x = row.iconX;
            params.y = row.iconY;
            params.rgbBk = CLR_NONE;
            params.rgbFg = CLR_NONE;
            params.fStyle = ILD_TRANSPARENT;
            ImageList_DrawIndirect(&params);
        }
        if (skin.shadowStyle) {
            SetTextColor(dc, skin.shadowColor);
            RECT shadow = {row.box.left, row.box.top + 1, row.box.right + 1, row.box.bottom + 1};
            text(row, shadow);
        }
        SetTextColor(dc, skin.fontColor);
        text(row, row.box);
    }
}
