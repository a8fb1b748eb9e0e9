// An alpha skin on a 16-bit screen: the default look, and the reason as one
// notification request instead of a message box.
#include "skin/skin_fixture.h"
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "window/notify_window.h"

namespace {

class ScreenDepthTest : public SkinTest {
protected:
    // The skin NAME in a fresh skins directory, chosen in the settings.
    void choose(const std::string& name, const std::string& definition) {
        writeSkin(dir, name, definition);
        stand.setConfig(COL_DIRECTORY, dir.path);
        stand.setConfig(COL_SKIN, name);
    }
    TempDir dir;
    MessageBoxCatcher boxes;
};

TEST_F(ScreenDepthTest, AlphaSkinFallsBackWithANotice) {
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(16, depth) << "this test needs the 16-bit display";

    writePng(dir.file("glass.png"), 12, 8, solid(12, 8, 0x803264C8));
    choose("glass", "[margins]\nleft=9\n[background]\nfile=glass.png\ntransparent=on\nmask=alpha\n");
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
    // The plug-in's own window took it in as a line with the host's icon.
    ASSERT_EQ(1, notificationQueue.count());
    EXPECT_EQ(r.text, notificationQueue.row(0).text);
    EXPECT_EQ(stand.imageList(), notificationQueue.row(0).imageList);
}

TEST_F(ScreenDepthTest, ColourKeySkinsStillLoad) {
    writeBmp(dir.file("key.bmp"), 20, 20, solid(20, 20, 0xFFFF00FF));
    choose("key", "[background]\ntransparent=on\n");
    EXPECT_EQ(1, LoadSkin());
    EXPECT_NE(nullptr, skin.skinBitmap);
    EXPECT_TRUE(recordedRequests.empty());
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
