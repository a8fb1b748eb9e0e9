// Window shape: regions from the colour key counted rectangle by rectangle,
// the region painting hands to the window, and the layered presentation
// read back from the screen.
#include "skin_fixture.h"
#include "contract/plugin_state.h"
#include "skin/paint.h"
#include "skin/shape.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "window/notify_window.h"
#include "window/placement.h"

namespace {

const uint32_t MAGENTA = 0xFFFF00FF;
const uint32_t RED = 0xFFC00000;

struct Rects {
    std::vector<RECT> rects;
    RECT bound;
};

Rects regionRects(HRGN region) {
    Rects r = {};
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(size);
    GetRegionData(region, size, (RGNDATA*)data.data());
    RGNDATA* d = (RGNDATA*)data.data();
    const RECT* first = (const RECT*)d->Buffer;
    r.rects.assign(first, first + d->rdh.nCount);
    r.bound = d->rdh.rcBound;
    return r;
}

HRGN regionOf(int width, int height, const std::vector<uint32_t>& px) {
    HBITMAP b = makeBitmap(width, height, px);
    HRGN region = RegionFromColorKey(b, 0x00FF00FF, 0x00101010);
    DeleteObject(b);
    return region;
}

class ShapeTest : public SkinTest {};

TEST_F(ShapeTest, OpaquePictureIsOneRectangle) {
    HRGN region = regionOf(10, 5, solid(10, 5, RED));
    ASSERT_NE(nullptr, region);
    Rects r = regionRects(region);
    ASSERT_EQ(1u, r.rects.size()) << "five full rows join into one rectangle";
    EXPECT_EQ(0, r.rects[0].left);
    EXPECT_EQ(0, r.rects[0].top);
    EXPECT_EQ(10, r.rects[0].right);
    EXPECT_EQ(5, r.rects[0].bottom);
    DeleteObject(region);
}

TEST_F(ShapeTest, MagentaRowsAndRunsAreCutAway) {
    std::vector<uint32_t> px = solid(10, 5, RED);
    for (int x = 0; x < 10; x++) px[2 * 10 + x] = MAGENTA;  // row 2 entirely transparent
    px[4 * 10 + 3] = MAGENTA;                               // row 4: runs 0..3 and 4..10
    HRGN region = regionOf(10, 5, px);
    ASSERT_NE(nullptr, region);
    Rects r = regionRects(region);
    EXPECT_EQ(4u, r.rects.size());  // rows 0-2, row 3, and the two runs of row 4
    for (int x = 0; x < 10; x++) EXPECT_FALSE(PtInRegion(region, x, 2));
    EXPECT_TRUE(PtInRegion(region, 2, 4));
    EXPECT_FALSE(PtInRegion(region, 3, 4));
    EXPECT_TRUE(PtInRegion(region, 4, 4));
    EXPECT_TRUE(PtInRegion(region, 9, 3));
    DeleteObject(region);
}

TEST_F(ShapeTest, KeyRangeIsGreenZeroToSixteenWithExactRedAndBlue) {
    std::vector<uint32_t> px = {RED, 0xFFFF10FF, 0xFFFF11FF, 0xFFFE00FF, 0xFFFF00FE, 0xFFFF08FF, RED};
    HRGN region = regionOf(7, 1, px);
    ASSERT_NE(nullptr, region);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0)) << "(255, 16, 255) is transparent";
    EXPECT_TRUE(PtInRegion(region, 2, 0)) << "(255, 17, 255) is not";
    EXPECT_TRUE(PtInRegion(region, 3, 0)) << "(254, 0, 255) is not";
    EXPECT_TRUE(PtInRegion(region, 4, 0)) << "(255, 0, 254) is not";
    EXPECT_FALSE(PtInRegion(region, 5, 0));
    EXPECT_TRUE(PtInRegion(region, 6, 0));
    EXPECT_EQ(3u, regionRects(region).rects.size());
    DeleteObject(region);
}

TEST_F(ShapeTest, FullyTransparentPictureGivesAnEmptyRegion) {
    HRGN region = regionOf(8, 8, solid(8, 8, MAGENTA));
    ASSERT_NE(nullptr, region);
    RECT box;
    EXPECT_EQ(NULLREGION, GetRgnBox(region, &box));
    DeleteObject(region);
    EXPECT_EQ(nullptr, RegionFromColorKey(nullptr, 0x00FF00FF, 0x00101010));
}

// 2500 rows are more than one batch of 2000 rectangles: both batches must
// reach the joined region. Runs alternate so no two rows merge.
TEST_F(ShapeTest, TallPictureIsJoinedFromBatches) {
    const int W = 6, H = 2500;
    std::vector<uint32_t> px = solid(W, H, MAGENTA);
    for (int y = 0; y < H; y++)
        for (int x = y % 2; x < y % 2 + 3; x++) px[y * W + x] = RED;
    HRGN region = regionOf(W, H, px);
    ASSERT_NE(nullptr, region);
    Rects r = regionRects(region);
    ASSERT_EQ((size_t)H, r.rects.size());
    for (int y = 0; y < H; y++) {
        const RECT& e = r.rects[y];
        if (e.top != y || e.bottom != y + 1 || e.left != y % 2 || e.right != y % 2 + 3) {
            ADD_FAILURE() << "row " << y;
            break;
        }
    }
    EXPECT_EQ(0, r.bound.top);
    EXPECT_EQ(H, r.bound.bottom);
    DeleteObject(region);
}

// A picture wider and taller than the rows the scan holds at once: keyed
// and near-key pixels at every column position and across every band of
// rows are judged pixel by pixel as on a small picture.
TEST_F(ShapeTest, LargePictureKeepsTheKeyRangeAtEveryPosition) {
    const int W = 1001, H = 211;
    const uint32_t colours[] = {MAGENTA, 0xFFFF10FF, 0xFFFF11FF, 0xFFFE00FF, 0xFFFF00FE};
    const bool keyed[] = {true, true, false, false, false};
    std::vector<uint32_t> px = solid(W, H, RED);
    std::vector<bool> hole((size_t)W * H, false);
    for (int y = 0; y < H; y++)
        for (int k = 0; k < 9; k++) {
            int x = (y * 13 + k * 111 + k * k) % W, c = (y + k) % 5;
            px[(size_t)y * W + x] = colours[c];
            hole[(size_t)y * W + x] = keyed[c];
        }
    for (int x = 0; x < W; x++) px[(size_t)100 * W + x] = MAGENTA, hole[(size_t)100 * W + x] = true;
    HRGN region = regionOf(W, H, px);
    ASSERT_NE(nullptr, region);
    int wrong = 0;
    for (int y = 0; y < H && wrong < 5; y++)
        for (int x = 0; x < W && wrong < 5; x++)
            if ((PtInRegion(region, x, y) != 0) == hole[(size_t)y * W + x]) {
                ADD_FAILURE() << "pixel " << x << ", " << y;
                wrong++;
            }
    DeleteObject(region);
}

TEST_F(ShapeTest, ColourKeySkinWithoutLayeringGetsAWindowRegion) {
    std::vector<uint32_t> px = solid(120, 20, RED);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 3; x++) px[y * 120 + x] = MAGENTA;
    useSkinBitmap(makeBitmap(120, 20, px), 4);
    skin.transparent = TRUE;
    skin.maskType = 1;
    updateLayeredWindow = nullptr;
    CreateNotificationWindow(0x88);
    addLine("Ola");
    ComposeNotifications(notificationQueue);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(notificationWindow, shape));
    EXPECT_FALSE(PtInRegion(shape, 1, 10));
    EXPECT_TRUE(PtInRegion(shape, 50, 10));
    DeleteObject(shape);
}

TEST_F(ShapeTest, ColourKeySkinWithLayeringGetsNoRegion) {
    std::vector<uint32_t> px = solid(120, 20, RED);
    px[5 * 120 + 1] = MAGENTA;
    useSkinBitmap(makeBitmap(120, 20, px), 4);
    skin.transparent = TRUE;
    skin.maskType = 1;
    CreateNotificationWindow(0x80088);
    addLine("Ola");
    ComposeNotifications(notificationQueue);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(notificationWindow, shape));
    DeleteObject(shape);
}

class PresentTest : public ShapeTest {
protected:
    // What the screen shows at (x, y), as 0x00RRGGBB.
    static uint32_t screenAt(int x, int y) {
        HDC screen = GetDC(nullptr);
        COLORREF c = GetPixel(screen, x, y);
        ReleaseDC(nullptr, screen);
        return rgbOf(c);
    }
    void present(DWORD exStyle, const std::vector<uint32_t>& picture, int w, int h) {
        CreateNotificationWindow(exStyle);
        ASSERT_NE(nullptr, notificationWindow);
        composedBitmap = makeBitmap(w, h, picture);
        contentWidth = w;
        contentHeight = h;
        SetRect(&windowRect, 400, 300, 400 + w, 300 + h);
        applyWindowRect();
        ShowWindow(notificationWindow, SW_SHOWNOACTIVATE);
        UpdateWindow(notificationWindow);
        // Every picture here has a coloured middle; the desktop is black. The
        // window has no background brush, so once the middle shows, the
        // whole picture does.
        ASSERT_TRUE(pumpUntil(5000, [&] { return screenAt(400 + w / 2, 300 + h / 2) != 0; }))
            << "the picture never reached the screen";
    }
};

TEST_F(PresentTest, PlainWindowIsMovedAndPainted) {
    std::vector<uint32_t> px = solid(40, 20, RED);
    present(0x88, px, 40, 20);
    RECT r;
    GetWindowRect(notificationWindow, &r);
    EXPECT_EQ(400, r.left);
    EXPECT_EQ(300, r.top);
    EXPECT_EQ(40, r.right - r.left);
    EXPECT_EQ(20, r.bottom - r.top);
    EXPECT_EQ(RED & 0xFFFFFF, screenAt(410, 310));
}

TEST_F(PresentTest, LayeredColourKeyHidesOnlyExactMagenta) {
    skin.transparent = TRUE;
    skin.maskType = 1;
    std::vector<uint32_t> px = solid(40, 20, RED);
    for (int y = 0; y < 20; y++) {
        px[y * 40 + 5] = MAGENTA;
        px[y * 40 + 6] = 0xFFFF10FF;
    }
    present(0x80088, px, 40, 20);
    RECT r;
    GetWindowRect(notificationWindow, &r);
    EXPECT_EQ(400, r.left);
    EXPECT_EQ(300, r.top);
    EXPECT_EQ(RED & 0xFFFFFF, screenAt(410, 310));
    EXPECT_EQ(0x000000u, screenAt(405, 310)) << "magenta shows the black desktop";
    EXPECT_EQ(0xFF10FFu, screenAt(406, 310)) << "(255, 16, 255) stays visible";
}

TEST_F(PresentTest, LayeredAlphaBlendsPremultipliedPixels) {
    skin.transparent = TRUE;
    skin.maskType = 2;
    present(0x80088, solid(40, 20, 0x80008000), 40, 20);
    EXPECT_EQ(0x008000u, screenAt(410, 310));
}

}  // namespace
