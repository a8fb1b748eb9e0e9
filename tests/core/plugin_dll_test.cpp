// The built notify.dll loaded like the host loads it: its export, its
// identity answers, its columns and the icons in its resources.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "host/double/stand_in_host.h"
#include "support/win_helpers.h"
#include "version.h"

namespace {
std::string dllPath() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string path(exe, n);
    path = path.substr(0, path.find_last_of('\\') + 1);
    return path + "..\\dist\\notify.dll";
}

// A size x size picture drawn by `draw` over black, read back.
template <class Draw> std::vector<uint32_t> drawnOverBlack(int size, Draw draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return {};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::vector<uint32_t> px = readPixels(bitmap);
    DeleteObject(bitmap);
    return px;
}

// The image list's picture of one identifier.
std::vector<uint32_t> drawIcon(HIMAGELIST list, int index) {
    return drawnOverBlack(16, [&](HDC dc) { ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL); });
}

// The icon resource's picture of the given size; empty when it cannot be loaded.
std::vector<uint32_t> resourceIcon(HMODULE module, int resource, int size) {
    HICON icon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(resource), IMAGE_ICON, size, size, 0);
    if (!icon) return {};
    std::vector<uint32_t> px =
        drawnOverBlack(size, [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); });
    DestroyIcon(icon);
    return px;
}

// The square sizes held by an icon resource, from its group directory.
std::vector<int> iconSizes(HMODULE module, int resource) {
    std::vector<int> sizes;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource), (LPCSTR)RT_GROUP_ICON);
    if (!found) return sizes;
    const uint8_t* dir = (const uint8_t*)LockResource(LoadResource(module, found));
    DWORD length = SizeofResource(module, found);
    if (!dir || length < 6) return sizes;
    int count = dir[4] | dir[5] << 8;
    for (int i = 0; i < count && 6 + (i + 1) * 14 <= (int)length; i++) {
        const uint8_t* entry = dir + 6 + i * 14;
        int w = entry[0] ? entry[0] : 256, h = entry[1] ? entry[1] : 256;
        sizes.push_back(w == h ? w : -1);
    }
    return sizes;
}

// Windows of the plug-in's class that belong to this process.
int ownNotifyWindows() {
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "VorlaneNotifyWindow", nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId()) n++;
    }
    return n;
}

int red(uint32_t p) { return (p >> 16) & 0xFF; }
int green(uint32_t p) { return (p >> 8) & 0xFF; }
int blue(uint32_t p) { return p & 0xFF; }
}  // namespace

TEST(PluginDll, LoadsThroughItsExportAndRunsTheLifecycle) {
    StandInHost vorlane;
    ASSERT_TRUE(vorlane.loadPlugin(dllPath().c_str())) << dllPath();
    EXPECT_NE(vorlane.moduleHandle(), GetModuleHandleA(nullptr));
    ASSERT_EQ(vorlane.runStartup(), 1);
    EXPECT_EQ(vorlane.send(30010), 774);
    EXPECT_STREQ((const char*)(intptr_t)vorlane.send(30012), NOTIFY_VERSION_TEXT);
    EXPECT_STREQ((const char*)(intptr_t)vorlane.send(30013), "ZINGLET");
    EXPECT_STREQ((const char*)(intptr_t)vorlane.send(30016), "Vorlane Notify");
    EXPECT_EQ(vorlane.columns.size(), 21u);
    EXPECT_EQ(vorlane.configTextValue(774110), "[brak]");
    // The DLL's class belongs to the DLL's own instance.
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExA(vorlane.moduleHandle(), "VorlaneNotifyWindow", &wc));
    vorlane.runShutdown();
    EXPECT_FALSE(GetClassInfoExA(vorlane.moduleHandle(), "VorlaneNotifyWindow", &wc));
    vorlane.unloadPlugin();
}

// A host that sends 22100 twice, then stops without 22101, must not leave a
// window whose procedure lies in the unloaded library.
TEST(PluginDll, ASecondCreateAndAStopWithoutTearDownLeaveNoWindowBehind) {
    StandInHost vorlane;
    ASSERT_TRUE(vorlane.loadPlugin(dllPath().c_str())) << dllPath();
    ASSERT_EQ(vorlane.runStartup(), 1);
    HWND first = findOwnWindow("VorlaneNotifyWindow");
    ASSERT_TRUE(first != nullptr);
    PopupRequest r = popupRequest("pierwsze okno");
    r.displayTime = 5;
    ASSERT_GT(vorlane.deliver((HostMessage*)&r), 0);

    EXPECT_EQ(vorlane.createWindow(), 1);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ownNotifyWindows(), 1);

    EXPECT_EQ(vorlane.stop(), 1);
    EXPECT_EQ(ownNotifyWindows(), 0);
    // A leftover would run unloaded code at its next message: gone even on failure.
    for (HWND w; (w = findOwnWindow("VorlaneNotifyWindow")) != nullptr;) DestroyWindow(w);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    EXPECT_FALSE(GetClassInfoExA(vorlane.moduleHandle(), "VorlaneNotifyWindow", &wc));
    vorlane.unloadPlugin();
    // What was queued before the unload reaches no unloaded code.
    EXPECT_TRUE(drainQueue());
}

TEST(PluginDll, RegistersItsFourIconsFromItsResources) {
    StandInHost vorlane;
    ASSERT_TRUE(vorlane.loadPlugin(dllPath().c_str()));
    ASSERT_EQ(vorlane.start(), 1);
    EXPECT_EQ(vorlane.declareOptions(), 1);
    EXPECT_EQ(vorlane.registeredIcons, (std::map<int, int>{{774000, 101}, {774001, 105}, {774002, 103}, {774003, 104}}));
    for (const StandInHost::Sent& s : vorlane.sent) {
        if (s.id != 10130) continue;
        ASSERT_EQ(s.p1Bytes.size(), 36u);
        uint16_t size;
        memcpy(&size, s.p1Bytes.data(), 2);
        EXPECT_EQ(size, 36);
        uint32_t field[9];
        memcpy(field, s.p1Bytes.data(), 36);
        EXPECT_EQ((HINSTANCE)(intptr_t)field[5], vorlane.moduleHandle());
        // The host's constants: 1, 0, 1 after the number, 0, 0 after the resource.
        EXPECT_EQ(field[2], 1u);
        EXPECT_EQ(field[3], 0u);
        EXPECT_EQ(field[4], 1u);
        EXPECT_EQ(field[7], 0u);
        EXPECT_EQ(field[8], 0u);
        EXPECT_EQ(s.p2, 0);
        EXPECT_EQ(s.net, 0);
    }
    HIMAGELIST list = vorlane.imageList();
    // Error sign: white cross in the middle of a red disc, corners clear.
    std::vector<uint32_t> error = drawIcon(list, vorlane.iconIndex(774003));
    ASSERT_EQ(error.size(), 256u);
    uint32_t centre = pixelAt(error, 16, 8, 8);
    EXPECT_GT(red(centre), 200);
    EXPECT_GT(green(centre), 200);
    EXPECT_GT(blue(centre), 200);
    uint32_t disc = pixelAt(error, 16, 8, 2);
    EXPECT_GT(red(disc), 150);
    EXPECT_LT(green(disc), 80);
    EXPECT_EQ(pixelAt(error, 16, 0, 0) & 0xFFFFFF, 0u);
    // Information sign: blue disc, white stem.
    std::vector<uint32_t> information = drawIcon(list, vorlane.iconIndex(774001));
    EXPECT_GT(blue(pixelAt(information, 16, 3, 8)), 150);
    EXPECT_LT(red(pixelAt(information, 16, 3, 8)), 80);
    EXPECT_GT(red(pixelAt(information, 16, 8, 10)), 200);
    // Warning triangle: yellow inside, clear top corners.
    std::vector<uint32_t> warning = drawIcon(list, vorlane.iconIndex(774002));
    uint32_t yellow = pixelAt(warning, 16, 5, 12);
    EXPECT_GT(red(yellow), 200);
    EXPECT_GT(green(yellow), 150);
    EXPECT_LT(blue(yellow), 100);
    EXPECT_EQ(pixelAt(warning, 16, 0, 0) & 0xFFFFFF, 0u);
    // The plug-in bubble is blue.
    std::vector<uint32_t> bubble = drawIcon(list, vorlane.iconIndex(774000));
    EXPECT_GT(blue(pixelAt(bubble, 16, 3, 5)), 120);
    vorlane.runShutdown();
}

TEST(PluginDll, CarriesItsVersionRecordAndMultiSizeIcons) {
    std::string path = dllPath();
    DWORD ignored = 0;
    DWORD length = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(length, 0u);
    std::vector<char> data(length);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, length, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", (void**)&fixed, &size));
    EXPECT_EQ(fixed->dwFileVersionMS, (DWORD)MAKELONG(NOTIFY_VERSION_MINOR, NOTIFY_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, (DWORD)MAKELONG(NOTIFY_VERSION_TWEAK, NOTIFY_VERSION_PATCH));
    EXPECT_EQ(fixed->dwProductVersionMS, (DWORD)MAKELONG(NOTIFY_VERSION_MINOR, NOTIFY_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwProductVersionLS, (DWORD)MAKELONG(NOTIFY_VERSION_TWEAK, NOTIFY_VERSION_PATCH));
    EXPECT_EQ(fixed->dwFileType, (DWORD)VFT_DLL);
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", (void**)&translation, &size));
    ASSERT_GE(size, sizeof(Translation));
    char key[64];
    snprintf(key, sizeof(key), "\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
    const char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), (std::string(key) + "InternalName").c_str(), (void**)&text, &size));
    EXPECT_STREQ(text, "notify");
    ASSERT_TRUE(VerQueryValueA(data.data(), (std::string(key) + "FileVersion").c_str(), (void**)&text, &size));
    EXPECT_STREQ(text, NOTIFY_VERSION_TEXT);
    ASSERT_TRUE(VerQueryValueA(data.data(), (std::string(key) + "ProductVersion").c_str(), (void**)&text, &size));
    EXPECT_STREQ(text, NOTIFY_VERSION_TEXT);

    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(iconSizes(module, 101), (std::vector<int>{16}));
    EXPECT_EQ(iconSizes(module, 103), (std::vector<int>{16, 32}));
    EXPECT_EQ(iconSizes(module, 104), (std::vector<int>{16, 32, 48}));
    EXPECT_EQ(iconSizes(module, 105), (std::vector<int>{16, 32, 48}));
    // The large pictures show the same signs: the 48 x 48 error sign its
    // white cross on a red disc, the 32 x 32 warning its yellow triangle.
    std::vector<uint32_t> big = resourceIcon(module, 104, 48);
    ASSERT_EQ(big.size(), 48u * 48u);
    EXPECT_GT(green(pixelAt(big, 48, 24, 24)), 200);
    EXPECT_GT(red(pixelAt(big, 48, 24, 6)), 150);
    EXPECT_LT(green(pixelAt(big, 48, 24, 6)), 80);
    EXPECT_EQ(pixelAt(big, 48, 0, 0) & 0xFFFFFF, 0u);
    std::vector<uint32_t> mid = resourceIcon(module, 103, 32);
    ASSERT_EQ(mid.size(), 32u * 32u);
    EXPECT_GT(red(pixelAt(mid, 32, 10, 24)), 200);
    EXPECT_LT(blue(pixelAt(mid, 32, 10, 24)), 100);
    FreeLibrary(module);
}
