// Putting the configured look in place: a skin (definition file plus a
// background image) or the default look that imitates the system tooltip.
// Every failure falls back to the default look, so a notification window
// always exists afterwards.
#include "skin_load.h"
#include <shlwapi.h>
#include <stdio.h>
#include <string.h>
#include "image_header.h"
#include "paint.h"
#include "skin.h"
#include "skin_diagnostics.h"
#include "../core/config_columns.h"
#include "../core/host_api.h"
#include "../core/plugin_state.h"
#include "../window/notify_window.h"
#include "../window/placement.h"
#include "../window/queue.h"

static const DWORD PLAIN_STYLE = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;  // 0x88
static const DWORD LAYERED_STYLE = PLAIN_STYLE | WS_EX_LAYERED;      // 0x80088
static const int PATH_SIZE = 260;
static const int PLUGIN_ICON = 774002;

static void skinError(const char* text) { reportSkinError(text); }

void ResetDefaultLook() {
    RECT work = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    anchorRight = work.right;
    anchorBottom = work.bottom;
    SetRectEmpty(&windowRect);

    skin.marginLeft = skin.marginRight = 4;
    skin.marginTop = skin.marginBottom = 2;
    skin.sizingLeft = skin.sizingRight = 4;
    skin.sizingTop = skin.sizingBottom = 2;
    skin.sizingType = 0;
    skin.transparent = FALSE;
    skin.maskType = 1;
    skin.backgroundFile[0] = 0;
    lstrcpynA(skin.fontFace, "MS sans serif", sizeof(skin.fontFace));
    skin.fontSize = 8;
    skin.fontColor = GetSysColor(COLOR_INFOTEXT);
    skin.fontBold = FALSE;
    skin.shadowStyle = FALSE;
    skin.shadowColor = 0;
    skin.textAlign = 0;
    skin.lineSpacing = 4;
    skin.iconDisplay = 1;
    skin.iconSpace = 5;
    skin.infoBackColor = GetSysColor(COLOR_INFOBK);
    // Normally already deleted with the old window; never leak it here.
    DeleteObjectSafe(&skin.skinBitmap);
    skin.bitmapWidth = 100;
    skin.bitmapHeight = 17;
    contentWidth = contentHeight = 0;
    RecreateFonts();

    windowSettings.delay = normalizedDelay();  // a stored 0 becomes 2000, written back
    displayState = Hidden;
    windowSettings.animation = configInt(COL_ANIMATION);
    windowSettings.waitForClick = configInt(COL_WAITFORCLICK);
    windowSettings.limit = configInt(COL_LIMIT);
}

void CreateNotificationWindow(DWORD exStyle) {
    notificationWindow = CreateWindowExA(exStyle, NOTIFY_WINDOW_CLASS, "", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                         nullptr, nullptr, moduleInstance, nullptr);
}

void PremultiplyAlpha(int width, int height, BYTE* pixels) {
    if (!pixels || width <= 0 || height <= 0) return;
    const size_t count = (size_t)width * (size_t)height;
    for (size_t i = 0; i < count; i++) {
        BYTE* p = pixels + i * 4;
        const unsigned alpha = p[3];
        for (int c = 0; c < 3; c++) p[c] = (BYTE)(p[c] * alpha / 255);
        // Without layered windows the picture is shown opaque.
        if (!updateLayeredWindow) p[3] = 0;
    }
}

// dir + tail into out (PATH_SIZE bytes); false when it would not fit, so an
// over-long path is treated like a missing file instead of being cut.
static bool joinPath(char* out, const char* dir, const char* tail, const char* extension) {
    int n = snprintf(out, PATH_SIZE, "%s%s%s", dir, tail, extension);
    if (n < 0 || n >= PATH_SIZE) {
        out[0] = 0;
        return false;
    }
    return true;
}

static bool existingPath(bool built, const char* path) { return built && PathFileExistsA(path); }

static int fallBack() {
    DeleteObjectSafe(&skin.skinBitmap);
    ResetDefaultLook();
    CreateNotificationWindow(PLAIN_STYLE);
    return 0;
}

// Loads the image named by the definition through DevIL; alpha skins get
// their colours premultiplied for UpdateLayeredWindow.
static void loadImageFile(const char* imagePath) {
    HDC screen = GetDC(nullptr);
    BYTE* pixels = nullptr;
    HBITMAP bitmap = nullptr;
    int bytes = LoadImageWithDevIL(screen, imagePath, &bitmap, &pixels);
    skin.skinBitmap = bitmap;
    if (pixels && skin.transparent && skin.maskType == 2) {
        PremultiplyAlpha(skin.bitmapWidth, skin.bitmapHeight, pixels);
        if (bitmap) SetBitmapBits(bitmap, bytes, pixels);
    }
    delete[] pixels;
    ReleaseDC(nullptr, screen);
}

static void loadBitmapFile(const char* bitmapPath) {
    if (!ImageHeaderAcceptable(bitmapPath)) return;
    skin.skinBitmap = (HBITMAP)LoadImageA(moduleInstance, bitmapPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    BITMAP bm;
    if (skin.skinBitmap && GetObjectA(skin.skinBitmap, sizeof(bm), &bm)) {
        skin.bitmapWidth = bm.bmWidth;
        skin.bitmapHeight = bm.bmHeight;
    }
}

static int screenBitsPixel() {
    HDC screen = GetDC(nullptr);
    HBITMAP probe = CreateCompatibleBitmap(screen, 100, 100);
    ReleaseDC(nullptr, screen);
    BITMAP bm;
    int bits = (probe && GetObjectA(probe, sizeof(bm), &bm)) ? bm.bmBitsPixel : 0;
    if (probe) DeleteObject(probe);
    return bits;
}

// An alpha skin cannot be shown on a screen that is not 32-bit: default look,
// and the reason as a notification rather than a message box.
static void noticeScreenDepth() {
    static char notice[] = "Wybrana skórka wymaga 32 bitowej głębi koloru ekranu";
    NotificationRequest request;
    memset(&request, 0, sizeof(request));
    request.text = notice;
    request.icon = nullptr;
    request.imageList = (HIMAGELIST)(intptr_t)hostCall(10134, 1, 0);
    request.imageIndex = hostCall(10133, PLUGIN_ICON, 1);
    request.displayTime = -1;
    request.clickable = 0;
    request.origin = nullptr;
    request.clickValue = 0;
    SendMessageA(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&request);
}

int LoadSkin() {
    ResetDefaultLook();
    char dir[PATH_SIZE] = "", name[PATH_SIZE] = "";
    configString(COL_DIRECTORY, dir, sizeof(dir));
    configString(COL_SKIN, name, sizeof(name));
    dir[PATH_SIZE - 1] = name[PATH_SIZE - 1] = 0;

    if (!name[0] || !strcmp(name, "[brak]")) {
        CreateNotificationWindow(PLAIN_STYLE);
        return 1;
    }

    // PathAddBackslashA appends to a 259-character directory without asking
    // for room, so it works on a buffer one byte larger; a directory that
    // leaves no room for a name cannot make a path that fits.
    char base[PATH_SIZE + 1];
    lstrcpynA(base, dir, PATH_SIZE);
    bool baseFits = PathAddBackslashA(base) != nullptr && strlen(base) < (size_t)PATH_SIZE - 1;
    char definition[PATH_SIZE];
    if (!existingPath(baseFits && joinPath(definition, base, name, ".ini"), definition)) {
        skinError("Nie odnaleziono pliku INI wybranej skórki");
        return fallBack();
    }
    if (ReadSkinFile(definition) != 0) return fallBack();

    char imagePath[PATH_SIZE], bitmapPath[PATH_SIZE];
    bool imageBuilt = joinPath(imagePath, base, skin.backgroundFile, "");
    bool bitmapBuilt = joinPath(bitmapPath, base, name, ".bmp");

    if (skin.backgroundFile[0] && existingPath(imageBuilt, imagePath)) {
        loadImageFile(imagePath);
    } else if (!existingPath(bitmapBuilt, bitmapPath)) {
        skinError("Nie odnaleziono pliku graficznego wybranej skórki");
        return fallBack();
    } else {
        loadBitmapFile(bitmapPath);
    }
    if (!skin.skinBitmap) {
        skinError("Nie powiodło się wczytanie pliku graficznego");
        return fallBack();
    }

    if (skin.transparent && skin.maskType == 2 && screenBitsPixel() != 32) {
        DeleteObjectSafe(&skin.skinBitmap);
        ResetDefaultLook();
        CreateNotificationWindow(PLAIN_STYLE);
        noticeScreenDepth();
        return 0;
    }

    CreateNotificationWindow(skin.transparent && updateLayeredWindow ? LAYERED_STYLE : PLAIN_STYLE);
    if (!notificationWindow) return 0;

    // Negative slices would draw outside the picture: refused like too wide ones.
    if (skin.sizingLeft >= 0 && skin.sizingRight >= 0 && skin.sizingTop >= 0 && skin.sizingBottom >= 0 &&
        skin.sizingLeft + (long long)skin.sizingRight < skin.bitmapWidth &&
        skin.sizingTop + (long long)skin.sizingBottom < skin.bitmapHeight)
        return 1;
    skinError("Błąd skórki: ustawienie wypełniania błędne");
    DestroyWindow(notificationWindow);
    notificationWindow = nullptr;
    return fallBack();
}
