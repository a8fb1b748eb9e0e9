// The scoped GDI owners, and what the painting code does when GDI has no room
// left: selections put back on every return, objects deleted unless handed
// on, and with the process's handle table full no picture, region or font
// made of a missing handle, and nothing left behind.
#include <limits.h>
#include "skin_fixture.h"
#include "skin/gdi_guards.h"
#include "skin/markup.h"
#include "skin/paint.h"
#include "skin/picture_context.h"
#include "skin/shape.h"
#include "skin/skin.h"
#include "window/notify_window.h"
#include "window/shown_lines.h"
#include "window/window_setup.h"

namespace {

// Fills the process's GDI handle table with brushes, leaving `room` entries
// free; empties it again when it goes.
class FullHandleTable {
public:
    explicit FullHandleTable(int room) {
        for (HBRUSH b; (b = CreateSolidBrush(0)) != nullptr;) brushes.push_back(b);
        for (int i = 0; i < room && !brushes.empty(); i++) {
            DeleteObject(brushes.back());
            brushes.pop_back();
        }
    }
    ~FullHandleTable() {
        for (HBRUSH b : brushes) DeleteObject(b);
    }
    // Free entries of the table now; it is left as it was.
    static int room() {
        std::vector<HBRUSH> more;
        for (HBRUSH b; (b = CreateSolidBrush(0)) != nullptr;) more.push_back(b);
        for (HBRUSH b : more) DeleteObject(b);
        return (int)more.size();
    }
private:
    std::vector<HBRUSH> brushes;
};

TEST(GdiGuards, SelectionsArePutBackOnEveryReturn) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(nullptr, dc);
    HBITMAP first = CreateCompatibleBitmap(dc, 4, 4), second = CreateCompatibleBitmap(dc, 4, 4);
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_BITMAP);
    auto draw = [&](bool early) {
        ScopedSelectObject bitmap(dc, first);
        if (!bitmap.selected() || early) return;
        // Another object through the same guard: still the first one's
        // predecessor comes back.
        EXPECT_TRUE(bitmap.select(second));
        EXPECT_EQ(second, GetCurrentObject(dc, OBJ_BITMAP));
    };
    for (bool early : {true, false}) {
        draw(early);
        EXPECT_EQ(original, GetCurrentObject(dc, OBJ_BITMAP)) << (early ? "early return" : "full path");
    }
    {
        ScopedSelectObject nothing(dc, nullptr);
        ScopedSelectObject noContext(nullptr, first);
        EXPECT_FALSE(nothing.selected());
        EXPECT_FALSE(noContext.selected());
    }
    EXPECT_EQ(original, GetCurrentObject(dc, OBJ_BITMAP));
    DeleteDC(dc);
    DeleteObject(first);
    DeleteObject(second);
}

TEST(GdiGuards, ObjectsAreDeletedUnlessHandedOn) {
    HBRUSH kept;
    HBRUSH dropped;
    {
        ScopedBrush a(CreateSolidBrush(RGB(1, 2, 3)));
        ScopedBrush b(CreateSolidBrush(RGB(4, 5, 6)));
        ASSERT_TRUE(a && b);
        dropped = b;
        kept = a.release();
        EXPECT_EQ(nullptr, a.get());
    }
    EXPECT_EQ((DWORD)OBJ_BRUSH, GetObjectType(kept));
    EXPECT_EQ(0u, GetObjectType(dropped));
    DeleteObject(kept);

    HICON handedOn = solidIcon(RGB(0, 0, 200)), destroyed = solidIcon(RGB(200, 0, 0));
    ICONINFO info;
    {
        ScopedIcon a(handedOn), b(destroyed);
        a.release();
    }
    ASSERT_TRUE(GetIconInfo(handedOn, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_FALSE(GetIconInfo(destroyed, &info));
    DestroyIcon(handedOn);
}

class GdiGuardsScene : public SkinTest {};

TEST_F(GdiGuardsScene, MarkupLeavesTheCallersFontAndNeverMeasuresWithoutOne) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT big = CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ before = SelectObject(dc, big);
    SIZE own = MeasureMarkup("Ola <b>ma<b> kota", dc);
    RECT box = {0, 0, 200, 20};
    DrawMarkup("Ola <b>ma<b> kota", dc, &box, own.cx, TRUE);
    EXPECT_EQ(big, GetCurrentObject(dc, OBJ_FONT));

    // A look whose fonts are gone (its window was destroyed) measures in the
    // system's default font, not in whatever the context held.
    HFONT fonts[4] = {skin.normalFont, skin.boldFont, skin.underlineFont, skin.boldUnderlineFont};
    skin.normalFont = skin.boldFont = skin.underlineFont = skin.boldUnderlineFont = nullptr;
    SIZE without = MeasureMarkup("Ola", dc);
    EXPECT_EQ(big, GetCurrentObject(dc, OBJ_FONT));
    skin.normalFont = fonts[0];
    skin.boldFont = fonts[1];
    skin.underlineFont = fonts[2];
    skin.boldUnderlineFont = fonts[3];
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE stock = {0, 0};
    GetTextExtentPoint32A(dc, "Ola", 3, &stock);
    EXPECT_EQ(stock.cx, without.cx);
    EXPECT_EQ(stock.cy, without.cy);

    SelectObject(dc, before);
    DeleteDC(dc);
    DeleteObject(big);
}

// The picture needs a few handles (contexts, the bitmap, brush and pen):
// with each number of free entries below what it needs, composing must
// give the whole picture or none, and hand back every entry it took but
// the picture and the context it keeps for the next one, which the look's
// release hands back.
TEST_F(GdiGuardsScene, ComposingWithoutRoomGivesNoPictureAndLeaksNothing) {
    addLine("Wiadomość od <b>Ola", nullptr, nullptr, 0, 1);
    addLine("<b>Kuba<b> jest dostępny");
    ComposeNotifications(notificationQueue);
    ASSERT_NE(nullptr, composedBitmap);
    const std::vector<uint32_t> whole = composedPixels();
    bool sawNone = false, sawWhole = false;
    for (int room = 0; room <= 8; room++) {
        ReleasePictureContexts();
        DeleteObjectSafe(&composedBitmap);
        bool made;
        int left;
        {
            FullHandleTable table(room);
            ASSERT_EQ(room, FullHandleTable::room());
            ComposeNotifications(notificationQueue);
            made = composedBitmap != nullptr;
            ReleasePictureContexts();
            left = FullHandleTable::room();
        }
        EXPECT_EQ(room - (made ? 1 : 0), left) << "handles left behind with room for " << room;
        if (made) {
            EXPECT_EQ(whole, composedPixels()) << "a picture drawn with room for " << room;
        }
        (made ? sawWhole : sawNone) = true;
    }
    EXPECT_TRUE(sawNone);
    EXPECT_TRUE(sawWhole) << "room for 8 handles is enough for a picture";
}

// A compose that fails for want of handles leaves no picture and no size,
// and the window shows no line: the mouse and the screen reader find no row
// where the last picture had them.
TEST_F(GdiGuardsScene, AFailedComposeShowsNoLineOnTheLastPicturesPlace) {
    CreateNotificationWindow(0x88);
    addLine("Wiadomość od <b>Ola", nullptr, nullptr, 0, 1);
    addLine("<b>Kuba<b> jest dostępny");
    composeShownLines(INT_MAX);
    ASSERT_EQ(2, shownRowCount());
    const LPARAM onTopRow = MAKELPARAM(skin.marginLeft + 2, skin.marginTop + rowHeight / 2);
    ASSERT_EQ(0, hitTestRow(onTopRow));
    addLine("<b>Ewa<b> jest zajęta, a ta linia jest dłuższa");  // a larger picture
    {
        FullHandleTable table(0);
        composeShownLines(INT_MAX);
    }
    EXPECT_EQ(nullptr, composedBitmap);
    EXPECT_EQ(0, contentWidth);
    EXPECT_EQ(0, contentHeight);
    EXPECT_EQ(0, shownRowCount());
    EXPECT_EQ(-1, queueRowOf(0));
    EXPECT_EQ(-1, hitTestRow(onTopRow));
    RECT row;
    EXPECT_FALSE(rowRect(0, &row));
}

TEST_F(GdiGuardsScene, FontsThatCannotBeMadeAreTheDefaultFont) {
    const HGDIOBJ standIn = GetStockObject(DEFAULT_GUI_FONT);
    for (int room = 0; room <= 4; room++) {
        DeleteObjectSafe(&skin.normalFont);
        DeleteObjectSafe(&skin.boldFont);
        DeleteObjectSafe(&skin.underlineFont);
        DeleteObjectSafe(&skin.boldUnderlineFont);
        int left;
        {
            FullHandleTable table(room);
            ASSERT_EQ(room, FullHandleTable::room());
            RecreateFonts(&skin);
            left = FullHandleTable::room();
        }
        const HGDIOBJ fonts[4] = {skin.normalFont, skin.boldFont, skin.underlineFont, skin.boldUnderlineFont};
        if (room < 4) {
            for (HGDIOBJ f : fonts) EXPECT_EQ(standIn, f) << "room for " << room;
            EXPECT_EQ(room, left) << "fonts made before the failure are deleted";
        } else {
            for (HGDIOBJ f : fonts) {
                EXPECT_NE(standIn, f);
                EXPECT_EQ((DWORD)OBJ_FONT, GetObjectType(f));
            }
            EXPECT_EQ(0, left);
        }
    }
    RecreateFonts(&skin);
}

TEST_F(GdiGuardsScene, RegionWithoutRoomIsNoneAndLeaksNothing) {
    // One run per row, and more rows than one batch of rectangles holds, so
    // the region is joined from parts: a failure after the first part must
    // drop what was joined so far.
    const int w = 4, h = 4100;
    std::vector<uint32_t> px = solid(w, h, 0xFF203040);
    for (int y = 0; y < h; y++) px[(size_t)y * w + y % w] = 0xFFFF00FF;
    HBITMAP picture = makeBitmap(w, h, px);
    HRGN whole = RegionFromColorKey(picture, 0x00FF00FF, 0x00101010);
    ASSERT_NE(nullptr, whole);
    bool sawNone = false, sawWhole = false;
    for (int room = 0; room <= 8; room++) {
        HRGN region;
        int left;
        {
            FullHandleTable table(room);
            ASSERT_EQ(room, FullHandleTable::room());
            region = RegionFromColorKey(picture, 0x00FF00FF, 0x00101010);
            left = FullHandleTable::room();
        }
        EXPECT_EQ(room - (region ? 1 : 0), left) << "handles left behind with room for " << room;
        if (region) {
            EXPECT_TRUE(EqualRgn(whole, region)) << "a region cut short with room for " << room;
        }
        (region ? sawWhole : sawNone) = true;
        if (region) DeleteObject(region);
    }
    EXPECT_TRUE(sawNone);
    EXPECT_TRUE(sawWhole);
    DeleteObject(whole);
    DeleteObject(picture);
}

}  // namespace
