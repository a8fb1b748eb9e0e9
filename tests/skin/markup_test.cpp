// "<b>" markup: measuring against the segments' own extents in the right
// fonts, and drawing compared pixel for pixel with the segments drawn by hand.
#include "skin_fixture.h"
#include "skin/markup.h"
#include "skin/skin.h"

namespace {

SIZE extent(HFONT font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE s = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &s);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return s;
}

// A white 32-bit picture with a memory context, black text, transparent mode.
struct Canvas {
    static const int W = 240, H = 24;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas() {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, W, H);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        RECT all = {0, 0, W, H};
        FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    // Segment by segment as the markup should come out.
    void byHand(const std::vector<std::pair<std::string, HFONT>>& pieces, RECT box) {
        for (auto& p : pieces) {
            SelectObject(dc, p.second);
            DrawTextA(dc, p.first.c_str(), -1, &box, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
            SIZE s;
            GetTextExtentPoint32A(dc, p.first.c_str(), (int)p.first.size(), &s);
            box.left += s.cx;
        }
    }
    std::vector<uint32_t> pixels() {
        GdiFlush();
        return readPixels(bitmap);
    }
};

const RECT BOX = {10, 2, 200, 22};

class MarkupTest : public SkinTest {
protected:
    void expectDrawn(const char* text, BOOL clickable, const std::vector<std::pair<std::string, HFONT>>& pieces) {
        Canvas drawn, expected;
        DrawMarkup(text, drawn.dc, &BOX, MeasureMarkup(text).cx, clickable);
        expected.byHand(pieces, BOX);
        EXPECT_EQ(expected.pixels(), drawn.pixels()) << "text '" << text << "'";
    }
    int inkStart(const char* text, int textWidth, RECT box) {
        Canvas c;
        DrawMarkup(text, c.dc, &box, textWidth, FALSE);
        return firstInk(c.pixels(), Canvas::W, 0xFFFFFF, 0, Canvas::W, 0, Canvas::H);
    }
};

TEST_F(MarkupTest, WidthIsTheSumOfTheSegmentsInTheirFonts) {
    HFONT n = skin.normalFont, b = skin.boldFont;
    EXPECT_EQ(extent(n, "abc").cx, MeasureMarkup("abc").cx);
    EXPECT_EQ(extent(b, "abc").cx, MeasureMarkup("<b>abc").cx);
    EXPECT_EQ(extent(n, "a").cx + extent(b, "b").cx + extent(n, "c").cx, MeasureMarkup("a<b>b<b>c").cx);
    EXPECT_EQ(extent(n, "a").cx + extent(n, "c").cx, MeasureMarkup("a<b><b>c").cx);
    EXPECT_EQ(extent(n, "x</b>y").cx, MeasureMarkup("x</b>y").cx);
    EXPECT_EQ(extent(n, "<B><i>").cx, MeasureMarkup("<B><i>").cx);
    EXPECT_EQ(extent(b, "Ola").cx + extent(n, " zaraz wraca").cx, MeasureMarkup("<b>Ola<b> zaraz wraca").cx);
    EXPECT_EQ(extent(n, "Wiadomość od Ola").cy, MeasureMarkup("Wiadomość od Ola").cy);
    EXPECT_EQ(extent(n, "a").cx, MeasureMarkup("a<b>").cx);
    EXPECT_EQ(0, MeasureMarkup(nullptr).cx);
}

TEST_F(MarkupTest, BoldIsWiderThanNormalAndFontBoldMakesEverythingBold) {
    const char* text = "Wiadomość od Ola";
    int normal = MeasureMarkup(text).cx;
    std::string marked = std::string("<b>") + text;
    int bold = MeasureMarkup(marked.c_str()).cx;
    EXPECT_GT(bold, normal);
    skin.fontBold = TRUE;
    EXPECT_EQ(bold, MeasureMarkup(text).cx);
    EXPECT_EQ(extent(skin.boldFont, "a").cx + extent(skin.boldFont, "b").cx, MeasureMarkup("a<b>b").cx);
}

TEST_F(MarkupTest, DrawsEachSegmentInItsFontWhereThePreviousEnded) {
    HFONT n = skin.normalFont, b = skin.boldFont, nu = skin.underlineFont, bu = skin.boldUnderlineFont;
    expectDrawn("abc", FALSE, {{"abc", n}});
    expectDrawn("<b>abc", FALSE, {{"abc", b}});
    expectDrawn("a<b>b<b>c", FALSE, {{"a", n}, {"b", b}, {"c", n}});
    expectDrawn("a<b><b>c", FALSE, {{"a", n}, {"c", n}});
    expectDrawn("x</b>y & z", FALSE, {{"x</b>y & z", n}});
    expectDrawn("a<b>b<b>c", TRUE, {{"a", nu}, {"b", bu}, {"c", nu}});
    expectDrawn("line\nbreak", FALSE, {{"line\nbreak", n}});
    skin.fontBold = TRUE;
    expectDrawn("a<b>b", FALSE, {{"a", b}, {"b", b}});
    expectDrawn("a<b>b", TRUE, {{"a", bu}, {"b", bu}});
}

TEST_F(MarkupTest, UnderlineAndBoldChangeThePixels) {
    // Guards the comparison above against fonts that all look alike.
    Canvas plain, underlined, bold;
    DrawMarkup("abc", plain.dc, &BOX, 20, FALSE);
    DrawMarkup("abc", underlined.dc, &BOX, 20, TRUE);
    DrawMarkup("<b>abc", bold.dc, &BOX, 20, FALSE);
    EXPECT_NE(plain.pixels(), underlined.pixels());
    EXPECT_NE(plain.pixels(), bold.pixels());
}

TEST_F(MarkupTest, AlignmentMovesOnlyTheLeftEdge) {
    const RECT box = {20, 2, 120, 22};  // 100 wide
    int left = inkStart("W", 41, box);
    ASSERT_GE(left, 20);
    skin.textAlign = 1;
    EXPECT_EQ(left + 29, inkStart("W", 41, box));   // (100 - 41) / 2
    EXPECT_EQ(left - 20, inkStart("W", 141, box));  // (100 - 141) / 2 truncates toward zero
    skin.textAlign = 2;
    EXPECT_EQ(left + 59, inkStart("W", 41, box));
    EXPECT_EQ(left - 11, inkStart("W", 111, box));
}

}  // namespace
