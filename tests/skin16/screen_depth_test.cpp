// An alpha skin on a 16-bit screen: the default look, and the reason as one
// notification request instead of a message box.
#include "skin/skin_fixture.h"
#include "core/config_columns.h"
#include "core/plugin_state.h"
#include "skin/skin.h"
#include "skin/skin_load.h"
#include "window/notify_window.h"

namespace {

class ScreenDepthTest : public SkinTest {};

TEST_F(ScreenDepthTest, AlphaSkinFallsBackWithANotice) {
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(16, depth) << "this test needs the 16-bit display";

    TempDir dir;
    writePng(dir.file("glass.png"), 12, 8, solid(12, 8, 0x803264C8));
    writeSkin(dir, "glass", "[margins]\nleft=9\n[background]\nfile=glass.png\ntransparent=on\nmask=alpha\n");
    stand.setConfig(COL_DIRECTORY, dir.path);
    stand.setConfig(COL_SKIN, "glass");

    MessageBoxCatcher boxes;
    EXPECT_EQ(0, LoadSkin());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, skin.skinBitmap);
    EXPECT_EQ(4, skin.marginLeft);
    EXPECT_FALSE(skin.transparent);
    ASSERT_NE(nullptr, notificationWindow);
    EXPECT_EQ(0x88, GetWindowLongA(notificationWindow, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));

    ASSERT_EQ(1u, recordedRequests.size());
    const RecordedRequest& r = recordedRequests[0];
    EXPECT_EQ("Wybrana skórka wymaga 32 bitowej głębi koloru ekranu", r.text);
    EXPECT_EQ(nullptr, r.icon);
    EXPECT_EQ(stand.imageList(), r.imageList);
    EXPECT_EQ(stand.iconIndex(774002), r.imageIndex);
    EXPECT_EQ(-1, r.displayTime);
    EXPECT_EQ(0, r.clickable);
    EXPECT_FALSE(r.hasOrigin);
    EXPECT_EQ(0, r.clickValue);
}

TEST_F(ScreenDepthTest, ColourKeySkinsStillLoad) {
    TempDir dir;
    writeBmp(dir.file("key.bmp"), 20, 20, solid(20, 20, 0xFFFF00FF));
    writeSkin(dir, "key", "[background]\ntransparent=on\n");
    stand.setConfig(COL_DIRECTORY, dir.path);
    stand.setConfig(COL_SKIN, "key");
    MessageBoxCatcher boxes;
    EXPECT_EQ(1, LoadSkin());
    EXPECT_NE(nullptr, skin.skinBitmap);
    EXPECT_TRUE(recordedRequests.empty());
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
