// Skin loading: the paths it reads, every message and fall-back, the
// sizing test, window styles, premultiplied alpha pictures, the cached
// window settings, and paths too long for their buffers.
#include <string.h>
#include "skin_fixture.h"
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "skin/paint.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "window/notify_window.h"
#include "window/placement.h"
#include "window/private_messages.h"
#include "window/notification_queue.h"
#include "window/window_settings.h"
#include "skin/skin_load.h"
#include "support/scoped_replace.h"

namespace {

// skin.skinBitmap as it was each time a notification window was being made.
struct BitmapAtCreation {
    static std::vector<HBITMAP> seen;
    HHOOK hook;
    BitmapAtCreation() {
        seen.clear();
        hook = SetWindowsHookExA(WH_CBT, watch, nullptr, GetCurrentThreadId());
    }
    ~BitmapAtCreation() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam) {
        char name[64] = "";
        if (code == HCBT_CREATEWND && GetClassNameA((HWND)wParam, name, sizeof(name)) &&
            !strcmp(name, NOTIFY_WINDOW_CLASS))
            seen.push_back(skin.skinBitmap);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};
std::vector<HBITMAP> BitmapAtCreation::seen;

class SkinLoadTest : public SkinTest {
protected:
    void choose(const std::string& name, const std::string& directory) {
        stand.setConfig(COL_DIRECTORY, directory);
        stand.setConfig(COL_SKIN, name);
    }
    void choose(const std::string& name) { choose(name, dir.path); }
    DWORD exStyle() const {
        return (DWORD)GetWindowLongA(notificationWindow, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    }
    static int windowsOfClass() {
        int n = 0;
        // Only this process's windows: other test programs may run beside it.
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, NOTIFY_WINDOW_CLASS, nullptr)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId()) n++;
        }
        return n;
    }
    // The default look in a fresh window after a failure, with this one message.
    void expectFallBack(int result, const char* message) {
        EXPECT_EQ(0, result);
        EXPECT_EQ(nullptr, skin.skinBitmap);
        EXPECT_EQ(4, skin.marginLeft) << "settings of the failed definition are wiped";
        EXPECT_EQ(100, skin.bitmapWidth);
        EXPECT_EQ(17, skin.bitmapHeight);
        ASSERT_NE(nullptr, notificationWindow);
        EXPECT_EQ(0x88u, exStyle());
        EXPECT_EQ(1, windowsOfClass());
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(message, boxes.boxes[0].text);
        EXPECT_EQ("Zinglet", boxes.boxes[0].caption);
        EXPECT_EQ((UINT)MB_ICONERROR, boxes.boxes[0].style & MB_ICONMASK);
        EXPECT_EQ(nullptr, boxes.boxes[0].owner);
    }
    TempDir dir;
    MessageBoxCatcher boxes;
};

const char NO_INI[] = "Nie odnaleziono pliku INI wybranej skórki";
const char NO_IMAGE[] = "Nie odnaleziono pliku graficznego wybranej skórki";
const char BAD_IMAGE[] = "Nie powiodło się wczytanie pliku graficznego";
const char BAD_SIZING[] = "Błąd skórki: ustawienie wypełniania błędne";

TEST_F(SkinLoadTest, NoSkinChosenGivesTheDefaultLook) {
    for (const char* name : {"[brak]", ""}) {
        skin.marginLeft = 99;
        choose(name);
        EXPECT_EQ(1, LoadSkin()) << name;
        EXPECT_EQ(4, skin.marginLeft);
        EXPECT_STREQ("MS sans serif", skin.fontFace);
        EXPECT_EQ(8, skin.fontSize);
        EXPECT_EQ(GetSysColor(COLOR_INFOTEXT), skin.fontColor);
        EXPECT_EQ(GetSysColor(COLOR_INFOBK), skin.infoBackColor);
        EXPECT_EQ(1, skin.iconDisplay);
        EXPECT_EQ(nullptr, skin.skinBitmap);
        ASSERT_NE(nullptr, notificationWindow);
        EXPECT_EQ(0x88u, exStyle());
        LONG style = GetWindowLongA(notificationWindow, GWL_STYLE);
        EXPECT_EQ((LONG)(WS_POPUP | WS_CLIPSIBLINGS), style & (WS_POPUP | WS_CLIPSIBLINGS));
        EXPECT_FALSE(IsWindowVisible(notificationWindow));
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SkinLoadTest, ResetReadsTheWorkAreaAndCachesTheWindowSettings) {
    stand.setConfig(COL_DELAY, 0);
    stand.setConfig(COL_ANIMATION, 1);
    stand.setConfig(COL_WAITFORCLICK, 0);
    stand.setConfig(COL_LIMIT, 7);
    displayState = Shown;
    SetRect(&windowRect, 1, 2, 3, 4);
    choose("[brak]");
    LoadSkin();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.right, anchorRight);
    EXPECT_EQ(work.bottom, anchorBottom);
    EXPECT_TRUE(IsRectEmpty(&windowRect) && windowRect.left == 0 && windowRect.bottom == 0);
    EXPECT_EQ(Hidden, displayState);
    EXPECT_EQ(2000, windowSettings.delay);
    EXPECT_EQ(2000, stand.configIntValue(COL_DELAY)) << "the repaired delay is written back";
    EXPECT_EQ(1, windowSettings.animation);
    EXPECT_EQ(0, windowSettings.waitForClick);
    EXPECT_EQ(7, windowSettings.limit);

    stand.setConfig(COL_DELAY, 1500);
    ResetDefaultLook();
    EXPECT_EQ(1500, windowSettings.delay);
    EXPECT_EQ(1500, stand.configIntValue(COL_DELAY));
}

TEST_F(SkinLoadTest, ImageNamedByTheDefinitionIsLoadedThroughDevIL) {
    std::vector<uint32_t> px = solid(30, 20, 0xFF336699);
    px[0] = 0xFF102030;
    writePng(dir.file("blue.png"), 30, 20, px);
    writeBmp(dir.file("blue.bmp"), 24, 18, solid(24, 18, 0xFF000000));
    writeSkin(dir, "blue", "[background]\nfile=blue.png\n[margins]\nleft=9\n");
    choose("blue");
    EXPECT_EQ(1, LoadSkin());
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_NE(nullptr, skin.skinBitmap);
    EXPECT_EQ(30, skin.bitmapWidth);
    EXPECT_EQ(20, skin.bitmapHeight);
    EXPECT_EQ(9, skin.marginLeft);
    std::vector<uint32_t> read = readPixels(skin.skinBitmap);
    ASSERT_EQ(px.size(), read.size());
    EXPECT_EQ(0x102030u, read[0] & 0xFFFFFF);
    EXPECT_EQ(0x336699u, read[31] & 0xFFFFFF);
    EXPECT_EQ(0x88u, exStyle());
}

TEST_F(SkinLoadTest, SkinBitmapIsTheFallBackImage) {
    std::vector<uint32_t> px = solid(24, 18, 0xFF804020);
    writeBmp(dir.file("blue.bmp"), 24, 18, px);
    struct { const char* definition; const char* directory; } cases[] = {
        {"[margins]\nleft=9\n", ""},                        // no "file" key
        {"[background]\nfile=missing.png\n", ""},           // the named image does not exist
        {"[background]\nfile=missing.png\n", "\\"},         // a directory ending in a backslash
    };
    for (auto& c : cases) {
        writeSkin(dir, "blue", c.definition);
        choose("blue", dir.path + c.directory);
        EXPECT_EQ(1, LoadSkin()) << c.definition;
        ASSERT_NE(nullptr, skin.skinBitmap);
        EXPECT_EQ(24, skin.bitmapWidth);
        EXPECT_EQ(18, skin.bitmapHeight);
        EXPECT_EQ(0x804020u, readPixels(skin.skinBitmap)[0] & 0xFFFFFF);
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SkinLoadTest, MissingDefinition) {
    choose("blue");
    expectFallBack(LoadSkin(), NO_INI);
}

TEST_F(SkinLoadTest, EmptyDefinitionShowsOnlyTheReadersMessage) {
    writeSkin(dir, "blue", "");
    writeBmp(dir.file("blue.bmp"), 24, 18, solid(24, 18, 0xFF804020));
    choose("blue");
    expectFallBack(LoadSkin(), "Zerowa długość pliku konfiguracji skórki");
}

TEST_F(SkinLoadTest, NoImageAtAll) {
    writeSkin(dir, "blue", "[margins]\nleft=9\n[background]\nfile=missing.png\n");
    choose("blue");
    expectFallBack(LoadSkin(), NO_IMAGE);
}

TEST_F(SkinLoadTest, UndecodableImages) {
    dir.write("broken.png", "\x89PNG\r\n\x1a\n not really");
    writeSkin(dir, "blue", "[margins]\nleft=9\n[background]\nfile=broken.png\n");
    writeBmp(dir.file("blue.bmp"), 24, 18, solid(24, 18, 0xFF804020));
    choose("blue");
    expectFallBack(LoadSkin(), BAD_IMAGE);
}

TEST_F(SkinLoadTest, UndecodableSkinBitmap) {
    dir.write("blue.bmp", "BM garbage");
    writeSkin(dir, "blue", "[margins]\nleft=9\n");
    choose("blue");
    expectFallBack(LoadSkin(), BAD_IMAGE);
}

TEST_F(SkinLoadTest, SlicesMustLeaveAMiddle) {
    writeBmp(dir.file("blue.bmp"), 20, 20, solid(20, 20, 0xFF804020));
    writeSkin(dir, "blue", "[margins]\nleft=9\n[sizing]\nleft=10\nright=9\ntop=9\nbottom=10\n");
    choose("blue");
    EXPECT_EQ(1, LoadSkin());
    EXPECT_EQ(10, skin.sizingLeft);
    EXPECT_EQ(1, windowsOfClass());
    EXPECT_TRUE(boxes.boxes.empty());
}

// Slices as wide or as high as the image, or negative ones, are refused
// after the skin's window was made: that window and the loaded bitmap go.
TEST_F(SkinLoadTest, SlicesThatLeaveNoMiddleAreRefused) {
    writeBmp(dir.file("blue.bmp"), 20, 20, solid(20, 20, 0xFF804020));
    choose("blue");
    for (const char* sizing : {"left=10\nright=10\n", "top=15\nbottom=5\n", "left=-30\n"}) {
        SCOPED_TRACE(sizing);
        writeSkin(dir, "blue", std::string("[margins]\nleft=9\n[sizing]\n") + sizing);
        boxes.boxes.clear();
        BitmapAtCreation watch;
        expectFallBack(LoadSkin(), BAD_SIZING);
        ASSERT_EQ(2u, watch.seen.size()) << "the skin's window, then the default look's";
        ASSERT_NE(nullptr, watch.seen[0]);
        EXPECT_EQ(0u, GetObjectType(watch.seen[0])) << "the refused skin's bitmap was deleted";
        EXPECT_EQ(nullptr, watch.seen[1]);
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
    }
}

TEST_F(SkinLoadTest, TransparentSkinsAreLayeredWhenTheSystemCan) {
    writeBmp(dir.file("blue.bmp"), 20, 20, solid(20, 20, 0xFFFF00FF));
    writeSkin(dir, "blue", "[background]\ntransparent=on\nmask=color\n");
    choose("blue");
    EXPECT_EQ(1, LoadSkin());
    EXPECT_EQ(0x80088u, exStyle());
    DestroyWindow(notificationWindow);
    updateLayeredWindow = nullptr;
    EXPECT_EQ(1, LoadSkin());
    EXPECT_EQ(0x88u, exStyle());
}

TEST_F(SkinLoadTest, AlphaPicturesArePremultiplied) {
    writePng(dir.file("glass.png"), 12, 8, solid(12, 8, 0x803264C8));  // A128 R50 G100 B200
    writeSkin(dir, "blue", "[background]\nfile=glass.png\ntransparent=true\nmask=alpha\n");
    choose("blue");
    EXPECT_EQ(1, LoadSkin());
    ASSERT_NE(nullptr, skin.skinBitmap);
    EXPECT_EQ(0x80193264u, readPixels(skin.skinBitmap)[0]) << "(200,100,50,128) becomes (100,50,25,128)";
    EXPECT_EQ(0x80088u, exStyle());
}

TEST_F(SkinLoadTest, AlphaPicturesWithoutLayeringAreOpaque) {
    updateLayeredWindow = nullptr;
    writePng(dir.file("glass.png"), 12, 8, solid(12, 8, 0x803264C8));
    writeSkin(dir, "blue", "[background]\nfile=glass.png\ntransparent=true\nmask=alpha\n");
    choose("blue");
    EXPECT_EQ(1, LoadSkin());
    ASSERT_NE(nullptr, skin.skinBitmap);
    for (uint32_t p : readPixels(skin.skinBitmap)) ASSERT_EQ(0x00193264u, p);
    EXPECT_EQ(0x88u, exStyle());
    EXPECT_TRUE(boxes.boxes.empty());
}

// Directory and name that do not fit 259 characters are a missing
// definition, never a write past the path buffer.
TEST_F(SkinLoadTest, OverlongDefinitionPathIsAMissingDefinition) {
    choose(std::string(200, 'n'), dir.path + "\\" + std::string(100, 'd'));
    expectFallBack(LoadSkin(), NO_INI);
    boxes.boxes.clear();
    choose(std::string(300, 'n'), dir.path);
    DestroyWindow(notificationWindow);
    notificationWindow = nullptr;
    expectFallBack(LoadSkin(), NO_INI);
    // A directory of 259 characters fills its buffer: the backslash and any
    // name are past it.
    std::string full = dir.path + "\\" + std::string(259 - dir.path.size() - 1, 'd');
    ASSERT_EQ(259u, full.size());
    for (const std::string& directory : {full, full.substr(0, 258) + "\\"}) {
        boxes.boxes.clear();
        choose("x", directory);
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
        expectFallBack(LoadSkin(), NO_INI);
    }
}

// An image path that does not fit is not cut to a name that happens to
// exist: the skin's own bitmap is used instead.
TEST_F(SkinLoadTest, OverlongImagePathIsNotCut) {
    const size_t room = 259 - (dir.path.size() + 1);
    ASSERT_GT(room, 10u);
    std::string cutName(room, 'i');
    writePng(dir.file(cutName), 30, 20, solid(30, 20, 0xFF336699));
    ASSERT_TRUE(GetFileAttributesA(dir.file(cutName).c_str()) != INVALID_FILE_ATTRIBUTES);
    writeBmp(dir.file("blue.bmp"), 24, 18, solid(24, 18, 0xFF804020));
    writeSkin(dir, "blue", "[background]\nfile=" + cutName + "zzz\n");
    choose("blue");
    EXPECT_EQ(1, LoadSkin());
    EXPECT_EQ(24, skin.bitmapWidth) << "the .bmp, not the image the cut path names";
    DeleteFileA(dir.file(cutName).c_str());
}

}  // namespace

// Windows' high contrast is asked through a replaceable query: no system
// here can switch it on (SPI_SETHIGHCONTRAST fails under Wine).
namespace {
bool contrastOn = false;
bool fakeHighContrast() { return contrastOn; }
}  // namespace

TEST_F(SkinLoadTest, HighContrastUsesTheTooltipLookUntilItGoesOff) {
    ScopedReplace<bool (*)()> fake(highContrastQuery, fakeHighContrast);
    writeBmp(dir.file("blue.bmp"), 24, 18, solid(24, 18, 0xFF804020));
    writeSkin(dir, "blue", "[margins]\nleft=9\n");
    choose("blue");

    contrastOn = true;
    EXPECT_EQ(1, LoadSkin());
    EXPECT_EQ(nullptr, skin.skinBitmap);
    EXPECT_EQ(4, skin.marginLeft);
    EXPECT_EQ(GetSysColor(COLOR_INFOTEXT), skin.fontColor);
    EXPECT_EQ("blue", stand.configTextValue(COL_SKIN)) << "the configured skin stays";
    const HWND contrastWindow = notificationWindow;

    // Switched off while the plug-in runs: the skin comes back at once.
    contrastOn = false;
    SendMessageA(notificationWindow, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_NE(contrastWindow, notificationWindow);
    ASSERT_NE(nullptr, skin.skinBitmap);
    EXPECT_EQ(9, skin.marginLeft);
    EXPECT_EQ(1, windowsOfClass());

    // And on again: the tooltip look, in a new window.
    contrastOn = true;
    SendMessageA(notificationWindow, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(nullptr, skin.skinBitmap);
    EXPECT_EQ(1, windowsOfClass());
    EXPECT_TRUE(boxes.boxes.empty());
    contrastOn = false;
}

// A switch of high contrast rebuilds the look in a new window: the lines
// go on in it, those that wait for a click too, with their ids, times and
// icons, and show there.
TEST_F(SkinLoadTest, AHighContrastSwitchKeepsTheLines) {
    ScopedReplace<bool (*)()> fake(highContrastQuery, fakeHighContrast);
    writeBmp(dir.file("blue.bmp"), 24, 18, solid(24, 18, 0xFF804020));
    writeSkin(dir, "blue", "[margins]\nleft=9\n");
    choose("blue");
    contrastOn = false;
    ASSERT_EQ(1, LoadSkin());
    HICON icon = CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, std::vector<BYTE>(32, 0).data(),
                            std::vector<BYTE>(32, 0xFF).data());
    const int32_t origin[3] = {130, 30, 5};
    NotificationRequest waiting = {"Wiadomość od <b>Ola", icon, nullptr, 0, -1, 1, origin, 0};
    NotificationRequest timed = {"<b>Kuba<b> jest dostępny\nna plaży", nullptr, nullptr, 0, 3, 0, nullptr, 0};
    ASSERT_GT(sendPrivateMessage(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&waiting), 0);
    ASSERT_GT(sendPrivateMessage(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&timed), 0);
    std::vector<NotificationEntry> before;
    for (int r = 0; r < notificationQueue.count(); r++) before.push_back(notificationQueue.row(r));

    for (bool on : {true, false}) {
        SCOPED_TRACE(on ? "switched on" : "switched off");
        const HWND old = notificationWindow;
        contrastOn = on;
        SendMessageA(notificationWindow, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        ASSERT_NE(old, notificationWindow);
        EXPECT_EQ(on, skin.skinBitmap == nullptr);
        ASSERT_EQ(notificationQueue.count(), (int)before.size());
        for (int r = 0; r < notificationQueue.count(); r++) {
            const NotificationEntry& e = notificationQueue.row(r);
            EXPECT_EQ(e.id, before[r].id);
            EXPECT_EQ(e.text, before[r].text);
            EXPECT_EQ(e.expiresAt, before[r].expiresAt);
            EXPECT_EQ(e.icon, before[r].icon);
        }
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info)) << "the line's icon was destroyed";
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        EXPECT_TRUE(IsWindowVisible(notificationWindow));
        EXPECT_GT(contentHeight, 0);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}
