// Composing: sizes, the default look's frame and colours, icon and text
// places, nine-slice and tiled backgrounds, alpha kept under the text,
// and the picture reaching a real window.
#include "skin_fixture.h"
#include "contract/plugin_state.h"
#include "skin/markup.h"
#include "skin/alpha_channel.h"
#include "skin/paint.h"
#include "skin/skin.h"
#include "skin/skin_load.h"
#include "window/window_setup.h"
#include "window/notify_window.h"
#include "skin/gdi_guards.h"

namespace {

const COLORREF GREEN = RGB(0, 200, 0);

uint32_t infoBack() { return rgbOf(GetSysColor(COLOR_INFOBK)); }
uint32_t infoText() { return rgbOf(GetSysColor(COLOR_INFOTEXT)); }

// Where ink of `text` starts and ends when drawn from x = 0 in `font`.
void inkSpan(const char* text, HFONT font, int* first, int* last) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP b = CreateCompatibleBitmap(screen, 300, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, b);
    RECT all = {0, 0, 300, 30};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, font);
    DrawTextA(dc, text, -1, &all, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::vector<uint32_t> px = readPixels(b);
    DeleteObject(b);
    *first = firstInk(px, 300, 0xFFFFFF, 0, 300, 0, 30);
    *last = lastInk(px, 300, 0xFFFFFF, 0, 300, 0, 30);
}

bool blockIs(const std::vector<uint32_t>& px, int width, int x0, int y0, int w, int h, uint32_t rgb) {
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            if ((pixelAt(px, width, x, y) & 0xFFFFFF) != rgb) return false;
    return true;
}

class PaintTest : public SkinTest {};

TEST_F(PaintTest, DefaultLookOneLineFrameIconAndText) {
    addLine("Ola", solidIcon(GREEN));
    SIZE m = MeasureMarkup("Ola");
    ASSERT_LT(m.cx + 29, 100);
    ComposeNotifications(notificationQueue);
    ASSERT_NE(nullptr, composedBitmap);
    EXPECT_EQ(m.cy + 4, rowHeight);
    EXPECT_EQ(100, contentWidth);  // raised to the smallest window
    EXPECT_EQ(m.cy + 4 + 4 > 17 ? m.cy + 8 : 17, contentHeight);

    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    ASSERT_EQ(contentWidth, w);
    ASSERT_EQ(contentHeight, h);
    for (int x = 0; x < w; x++) {
        EXPECT_EQ(infoText(), pixelAt(px, w, x, 0) & 0xFFFFFF);
        EXPECT_EQ(infoText(), pixelAt(px, w, x, h - 1) & 0xFFFFFF);
    }
    for (int y = 0; y < h; y++) {
        EXPECT_EQ(infoText(), pixelAt(px, w, 0, y) & 0xFFFFFF);
        EXPECT_EQ(infoText(), pixelAt(px, w, w - 1, y) & 0xFFFFFF);
    }
    EXPECT_TRUE(blockIs(px, w, w - 4, 1, 3, h - 2, infoBack())) << "right margin is tooltip background";

    const int iconY = 2 + (rowHeight - 16) / 2 + 1;
    EXPECT_TRUE(blockIs(px, w, 4, iconY, 16, 16, rgbOf(GREEN))) << "icon at (4, " << iconY << ")";
    EXPECT_NE(rgbOf(GREEN), pixelAt(px, w, 4, iconY - 1) & 0xFFFFFF);
    EXPECT_NE(rgbOf(GREEN), pixelAt(px, w, 20, iconY) & 0xFFFFFF);

    int first, last;
    inkSpan("Ola", skin.normalFont, &first, &last);
    EXPECT_EQ(25 + first, firstInk(px, w, infoBack(), 21, w - 1, 1, h - 1)) << "text rectangle starts at 25";
    EXPECT_EQ(25 + last, lastInk(px, w, infoBack(), 21, w - 1, 1, h - 1));
}

// The whole default-look picture of one line, drawn again by hand from the
// rules: frame, icon at (4, offset), text in (25, 3, 96, 19) on the tooltip
// colour. Any shifted rectangle shows as differing pixels.
TEST_F(PaintTest, DefaultLookPictureMatchesOneDrawnByHand) {
    const char* text = "Wiadomość od Ola";
    HICON icon = solidIcon(GREEN);
    HICON copy = CopyIcon(icon);
    addLine(text, icon);
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> composed = composedPixels(&w, &h);
    const SIZE m = MeasureMarkup(text);
    ASSERT_EQ(m.cy + 4, rowHeight);
    ASSERT_EQ((m.cx + 29 > 100 ? m.cx + 29 : 100), w);
    ASSERT_EQ((rowHeight + 4 > 17 ? rowHeight + 4 : 17), h);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP expected = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, expected);
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
    HPEN pen = CreatePen(PS_SOLID, 0, GetSysColor(COLOR_INFOTEXT));
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Rectangle(dc, 0, 0, w, h);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    DrawIconEx(dc, 4, 2 + (rowHeight - 16) / 2 + 1, copy, 16, 16, 0, nullptr, DI_NORMAL);
    DestroyIcon(copy);
    SetBkColor(dc, skin.infoBackColor);
    SetTextColor(dc, skin.fontColor);
    HGDIOBJ oldFont = SelectObject(dc, skin.normalFont);
    RECT box = {25, 3, w - 4, 2 + rowHeight};
    DrawTextA(dc, text, -1, &box, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    std::vector<uint32_t> drawn = readPixels(expected);
    DeleteObject(expected);
    ASSERT_EQ(drawn.size(), composed.size());
    int differ = 0;
    for (size_t i = 0; i < drawn.size(); i++) differ += (drawn[i] & 0xFFFFFF) != (composed[i] & 0xFFFFFF);
    EXPECT_EQ(0, differ);
}

TEST_F(PaintTest, DefaultLookDrawsTextOnAnOpaqueTooltipBackground) {
    skin.infoBackColor = RGB(0, 0, 200);  // told apart from the brush of the frame
    addLine("Ola");
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    SIZE m = MeasureMarkup("Ola");
    int found = 0;
    for (int y = 1; y < h - 1; y++)
        for (int x = 1; x < w - 1; x++)
            if ((pixelAt(px, w, x, y) & 0xFFFFFF) == rgbOf(skin.infoBackColor)) {
                found++;
                EXPECT_GE(x, 25);
                EXPECT_LT(x, 25 + m.cx);
            }
    EXPECT_GT(found, m.cx) << "the text cell is filled with the text background";
}

TEST_F(PaintTest, RowsShareTheTallestHeightAndStackFromTheTop) {
    skin.lineSpacing = 10;
    skin.iconDisplay = 0;
    // Bold taller than normal, so the rows' heights differ.
    DeleteObjectSafe(&skin.boldFont);
    skin.boldFont = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS sans serif");
    ASSERT_GT(MeasureMarkup("<b>second").cy, MeasureMarkup("first").cy);
    addLine("first");
    addLine("<b>second");
    addLine("Wiadomość od Ola, trochę dłuższa");
    ComposeNotifications(notificationQueue);
    int tallest = 0, widest = 0;
    for (const char* t : {"first", "<b>second", "Wiadomość od Ola, trochę dłuższa"}) {
        SIZE s = MeasureMarkup(t);
        tallest = s.cy > tallest ? s.cy : tallest;
        widest = s.cx > widest ? s.cx : widest;
    }
    ASSERT_GT(widest + 8, 100);
    EXPECT_EQ(tallest + 10, rowHeight);
    EXPECT_EQ(3 * rowHeight + 4, contentHeight);
    EXPECT_EQ(widest + 8, contentWidth) << "no icon allowance without icons";

    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    for (int r = 0; r < 3; r++) {
        int top = 2 + r * rowHeight + 1, bottom = 2 + (r + 1) * rowHeight;
        EXPECT_GE(firstInk(px, w, infoBack(), 1, w - 1, top, bottom), 4) << "row " << r;
    }
    // No ink in the gaps between the bands' text cells and the margins.
    EXPECT_TRUE(blockIs(px, w, 1, 1, w - 2, 1, infoBack()));
}

TEST_F(PaintTest, NoIconColumnWhenIconsAreOff) {
    skin.iconDisplay = 0;
    addLine("Ola", solidIcon(GREEN));
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    for (uint32_t p : px) ASSERT_NE(rgbOf(GREEN), p & 0xFFFFFF);
    int first, last;
    inkSpan("Ola", skin.normalFont, &first, &last);
    EXPECT_EQ(4 + first, firstInk(px, w, infoBack(), 1, w - 1, 1, h - 1));
}

TEST_F(PaintTest, IconFromTheHostImageList) {
    HIMAGELIST list = stand.imageList();
    int index = stand.iconIndex(774002);
    ASSERT_GE(index, 0);
    addLine("Ola", nullptr, list, index);
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    const int iconY = 2 + (rowHeight - 16) / 2 + 1;
    uint32_t drawn = pixelAt(px, w, 4, iconY) & 0xFFFFFF;
    EXPECT_NE(infoBack(), drawn);
    EXPECT_TRUE(blockIs(px, w, 4, iconY, 16, 16, drawn));
}

// Icon on the right, text right-aligned against it, shadow one pixel lower
// and one to the right: the picture left of the icon equals one drawn by
// hand into those rectangles (text box 25..175, shadow box 25..176), so a
// rectangle off by a pixel shows whatever the font's anti-aliasing.
TEST_F(PaintTest, RightIconRightAlignedTextAndItsShadow) {
    useSkinBitmap(makeBitmap(200, 17, solid(200, 17, 0xFFFFFFFF)), 2);
    skin.iconDisplay = 2;
    skin.textAlign = 2;
    skin.shadowStyle = TRUE;
    skin.shadowColor = RGB(255, 0, 0);
    skin.fontColor = RGB(0, 0, 0);
    const char* text = "Ola";
    addLine(text, solidIcon(GREEN));
    ComposeNotifications(notificationQueue);
    ASSERT_EQ(200, contentWidth);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    const int iconY = 2 + (rowHeight - 16) / 2 + 1;
    EXPECT_TRUE(blockIs(px, w, 180, iconY, 16, 16, rgbOf(GREEN))) << "icon at x 180";

    const int width = MeasureMarkup(text).cx;
    HBITMAP expected = makeBitmap(w, h, solid(w, h, 0xFFFFFFFF));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, expected);
    HGDIOBJ oldFont = SelectObject(dc, skin.normalFont);
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;
    RECT shadow = {176 - width, 4, 176, 3 + rowHeight};
    SetTextColor(dc, RGB(255, 0, 0));
    DrawTextA(dc, text, -1, &shadow, flags);
    RECT box = {175 - width, 3, 175, 2 + rowHeight};
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, text, -1, &box, flags);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    std::vector<uint32_t> drawn = readPixels(expected);
    DeleteObject(expected);
    ASSERT_EQ(drawn.size(), px.size());
    int differ = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < 180; x++)
            differ += (pixelAt(drawn, w, x, y) & 0xFFFFFF) != (pixelAt(px, w, x, y) & 0xFFFFFF);
    EXPECT_EQ(0, differ) << "text and shadow where the hand drew them";
}

// The text rectangle of a 200-wide picture with the icon on the left runs
// from 25 to 196; each alignment moves only its left edge.
TEST_F(PaintTest, TextStartsWhereItsAlignmentPutsIt) {
    const char* text = "Wiadomość od Ola";
    const int width = MeasureMarkup(text).cx;
    int first, last;
    inkSpan(text, skin.normalFont, &first, &last);
    const int expected[] = {25, 25 + (171 - width) / 2, 196 - width};
    for (int align = 0; align < 3; align++) {
        useSkinBitmap(makeBitmap(200, 17, solid(200, 17, 0xFFFFFFFF)), 2);
        skin.textAlign = align;
        skin.fontColor = RGB(0, 0, 0);
        notificationQueue.clear();
        addLine(text, solidIcon(GREEN));
        ComposeNotifications(notificationQueue);
        ASSERT_EQ(200, contentWidth);
        int w, h;
        std::vector<uint32_t> px = composedPixels(&w, &h);
        EXPECT_EQ(expected[align] + first, firstInk(px, w, 0xFFFFFF, 21, w, 0, h)) << "alignment " << align;
    }
}

// Corners copied, edges and centre stretched: each piece of the source has
// its own colours, uniform along the stretched direction.
TEST_F(PaintTest, NineSliceCopiesCornersAndStretchesTheRest) {
    const int S = 20, L = 5;
    auto source = [&](int x, int y) -> uint32_t {
        bool left = x < L, right = x >= S - L, top = y < L, bottom = y >= S - L;
        if ((left || right) && (top || bottom)) return 0xFF000000 | (x * 12) << 16 | (y * 12) << 8 | 0x11;
        if (top) return 0xFF000000 | (y * 40) << 16 | 0xC000;
        if (bottom) return 0xFF000000 | (y * 10) << 16 | 0x00A0;
        if (left) return 0xFF000000 | (x * 40) << 8 | 0x30;
        if (right) return 0xFF000000 | (x * 10) << 8 | 0x90;
        return 0xFF406080;
    };
    std::vector<uint32_t> src(S * S);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++) src[y * S + x] = source(x, y);
    useSkinBitmap(makeBitmap(S, S, src), L);
    skin.iconDisplay = 0;
    std::string spaces(60, ' ');
    for (int i = 0; i < 4; i++) addLine(spaces);
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    ASSERT_GT(w, S + 10);
    ASSERT_GT(h, S + 10);
    int wrong = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int sx = x < L ? x : x >= w - L ? x - (w - S) : 10;
            int sy = y < L ? y : y >= h - L ? y - (h - S) : 10;
            if ((pixelAt(px, w, x, y) & 0xFFFFFF) != (source(sx, sy) & 0xFFFFFF) && wrong++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
        }
    EXPECT_EQ(0, wrong);
}

// The 30-pixel example: a 100-wide window repeats columns 5..25 with period
// 20 between the borders, rows 2..8 with period 6.
TEST_F(PaintTest, TileRepeatsTheMiddleBetweenTheBorders) {
    const int W = 30, H = 10;
    std::vector<uint32_t> src(W * H);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) src[y * W + x] = 0xFF000000 | (x * 8) << 16 | (y * 20) << 8 | 77;
    useSkinBitmap(makeBitmap(W, H, src), 5);
    skin.sizingTop = skin.sizingBottom = 2;
    skin.sizingType = 1;
    skin.iconDisplay = 0;
    skin.marginLeft = skin.marginRight = 50;
    skin.marginTop = 20;
    skin.marginBottom = 21;
    addLine("");
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    ASSERT_EQ(100, w);
    ASSERT_GT(h, 40);
    int wrong = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int sx = x < 5 ? x : x >= 95 ? x - 70 : 5 + (x - 5) % 20;
            int sy = y < 2 ? y : y >= h - 2 ? y - (h - H) : 2 + (y - 2) % 6;
            if ((pixelAt(px, w, x, y) & 0xFFFFFF) != (src[sy * W + sx] & 0xFFFFFF) && wrong++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") should be source (" << sx << ", " << sy << ")";
        }
    EXPECT_EQ(0, wrong);
}

TEST_F(PaintTest, PremultipliedColoursAndAlphaWithoutLayering) {
    // 200 x 200 / 255 = 156.9: truncated, not rounded.
    std::vector<BYTE> p = {200, 100, 50, 128, 10, 20, 30, 255, 90, 90, 90, 0, 200, 200, 200, 200};
    PremultiplyAlpha(4, 1, p.data());
    EXPECT_EQ((std::vector<BYTE>{100, 50, 25, 128, 10, 20, 30, 255, 0, 0, 0, 0, 156, 156, 156, 200}), p);
    updateLayeredWindow = nullptr;
    std::vector<BYTE> q = {200, 100, 50, 128};
    PremultiplyAlpha(1, 1, q.data());
    EXPECT_EQ((std::vector<BYTE>{100, 50, 25, 0}), q);
    PremultiplyAlpha(1, 1, nullptr);
}

TEST_F(PaintTest, AlphaOfTheBackgroundSurvivesIconsAndText) {
    useSkinBitmap(makeBitmap(150, 20, solid(150, 20, 0x80404040)), 3);
    skin.transparent = TRUE;
    skin.maskType = 2;
    skin.fontColor = RGB(255, 255, 255);
    addLine("Wiadomość od Ola", solidIcon(GREEN));
    ComposeNotifications(notificationQueue);
    EXPECT_FALSE(composing);
    int w, h;
    std::vector<uint32_t> px = composedPixels(&w, &h);
    int textPixels = 0, wrongAlpha = 0;
    for (uint32_t p : px) {
        if ((p & 0xFFFFFF) == 0xFFFFFF) textPixels++;
        if ((p >> 24) != 0x80) wrongAlpha++;
    }
    EXPECT_GT(textPixels, 10) << "text drawn in its own colour";
    EXPECT_EQ(0, wrongAlpha);

    // Without UpdateLayeredWindow nothing is saved: drawing leaves its own alpha.
    updateLayeredWindow = nullptr;
    ComposeNotifications(notificationQueue);
    px = composedPixels(&w, &h);
    wrongAlpha = 0;
    for (uint32_t p : px) wrongAlpha += (p >> 24) != 0x80;
    EXPECT_GT(wrongAlpha, 0) << "GDI drawing changed alpha, so the restore above did real work";
}

TEST_F(PaintTest, SaveAndRestoreSetAndClearComposing) {
    addLine("Ola");
    ComposeNotifications(notificationQueue);
    SaveAlphaChannel();
    EXPECT_TRUE(composing);
    RestoreAlphaChannel();
    EXPECT_FALSE(composing);
    RestoreAlphaChannel();  // nothing saved: harmless
    EXPECT_FALSE(composing);
}

TEST_F(PaintTest, EmptyQueueLeavesNoPicture) {
    addLine("Ola");
    ComposeNotifications(notificationQueue);
    HBITMAP old = composedBitmap;
    ASSERT_NE(nullptr, old);
    notificationQueue.clear();
    ComposeNotifications(notificationQueue);
    EXPECT_EQ(nullptr, composedBitmap);
    EXPECT_EQ(0u, GetObjectType(old)) << "the previous picture was deleted";
}

TEST_F(PaintTest, AbsurdMarginsLeaveNoPictureInsteadOfFailing) {
    skin.marginLeft = 0x7FFFFFF0;
    skin.marginRight = 0x7FFFFFF0;
    addLine("Ola");
    ComposeNotifications(notificationQueue);
    EXPECT_EQ(nullptr, composedBitmap);
}

TEST_F(PaintTest, PaintCopiesThePictureToTheWindow) {
    CreateNotificationWindow(0x88);
    ASSERT_NE(nullptr, notificationWindow);
    addLine("Wiadomość od <b>Ola", solidIcon(GREEN));
    ComposeNotifications(notificationQueue);
    int w, h;
    std::vector<uint32_t> expected = composedPixels(&w, &h);
    MoveWindow(notificationWindow, 300, 200, w, h, FALSE);
    ShowWindow(notificationWindow, SW_SHOWNOACTIVATE);
    InvalidateRect(notificationWindow, nullptr, FALSE);
    UpdateWindow(notificationWindow);

    auto differing = [&] {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP shot = CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = SelectObject(dc, shot);
        BitBlt(dc, 0, 0, w, h, screen, 300, 200, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        std::vector<uint32_t> shown = readPixels(shot);
        DeleteObject(shot);
        int differ = 0;
        for (size_t i = 0; i < shown.size(); i++) differ += (shown[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF);
        return differ;
    };
    pumpUntil(5000, [&] { return differing() == 0; });
    EXPECT_EQ(0, differing());
}

}  // namespace
