// Reading the configured look: a skin (definition file plus a background
// image) or the default look that imitates the system tooltip. Each failure
// is reported as the user sees it; the window code then falls back to the
// default look.
#include "skin_load.h"
#include <stdio.h>
#include <string.h>
#include "config_columns.h"
#include "gdi_guards.h"
#include "host_api.h"
#include "image_header.h"
#include "paint.h"
#include "picture_context.h"
#include "plugin_state.h"
#include "skin.h"
#include "skin_diagnostics.h"
#include "wide_text.h"

Skin skin;
static const int PATH_SIZE = 260;

static void skinError(const char* text) { reportSkinError(text); }

void ResetLook() {
    // The picture's contexts hold the old fonts and image: they let go first.
    ReleasePictureContexts();
    skin.marginLeft = skin.marginRight = 4;
    skin.marginTop = skin.marginBottom = 2;
    skin.sizingLeft = skin.sizingRight = 4;
    skin.sizingTop = skin.sizingBottom = 2;
    skin.sizingType = SIZING_STRETCH;
    skin.transparent = FALSE;
    skin.maskType = MASK_COLOR;
    skin.backgroundFile[0] = 0;
    lstrcpynA(skin.fontFace, "MS sans serif", sizeof(skin.fontFace));
    skin.fontSize = 8;
    skin.fontColor = GetSysColor(COLOR_INFOTEXT);
    skin.fontBold = FALSE;
    skin.shadowStyle = FALSE;
    skin.shadowColor = 0;
    skin.textAlign = ALIGN_LEFT;
    skin.lineSpacing = 4;
    skin.iconDisplay = ICONS_LEFT;
    skin.iconSpace = 5;
    skin.infoBackColor = GetSysColor(COLOR_INFOBK);
    // Normally already deleted with the old window; never leak it here.
    DeleteObjectSafe(&skin.skinBitmap);
    skin.bitmapWidth = 100;
    skin.bitmapHeight = 17;
    ResetContentSize();
    RecreateFonts(&skin);
}

void ReleaseLook() {
    // The picture's contexts hold the fonts and the image: they let go first.
    ReleaseNotificationPicture();
    DeleteObjectSafe(&skin.normalFont);
    DeleteObjectSafe(&skin.boldFont);
    DeleteObjectSafe(&skin.underlineFont);
    DeleteObjectSafe(&skin.boldUnderlineFont);
    DeleteObjectSafe(&skin.skinBitmap);
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

static bool existingPath(bool built, const char* path) { return built && PathExists1250(path); }

// Loads the image named by the definition through DevIL; alpha skins get
// their colours premultiplied for UpdateLayeredWindow.
static void loadImageFile(const char* imagePath) {
    // Without the screen's device context there is no bitmap to make: the
    // load fails like an unreadable image.
    ScopedGetDC screen(nullptr);
    if (!screen) return;
    BYTE* pixels = nullptr;
    HBITMAP bitmap = nullptr;
    int bytes = LoadImageWithDevIL(screen, imagePath, &bitmap, &pixels);
    skin.skinBitmap = bitmap;
    BITMAP bm;
    if (bitmap && GetObjectA(bitmap, sizeof(bm), &bm)) {
        skin.bitmapWidth = bm.bmWidth;
        skin.bitmapHeight = bm.bmHeight;
    }
    if (pixels && skin.transparent && skin.maskType == MASK_ALPHA) {
        PremultiplyAlpha(skin.bitmapWidth, skin.bitmapHeight, pixels);
        if (bitmap) SetBitmapBits(bitmap, bytes, pixels);
    }
    delete[] pixels;
}

// A bitmap whose size cannot be read is no use: it is dropped, and the load
// fails like an unreadable image.
static void loadBitmapFile(const char* bitmapPath) {
    if (!ImageHeaderAcceptable(bitmapPath)) return;
    WideText wide(bitmapPath);
    skin.skinBitmap = (HBITMAP)LoadImageW(moduleInstance, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    BITMAP bm;
    if (skin.skinBitmap && GetObjectA(skin.skinBitmap, sizeof(bm), &bm)) {
        skin.bitmapWidth = bm.bmWidth;
        skin.bitmapHeight = bm.bmHeight;
    } else {
        DeleteObjectSafe(&skin.skinBitmap);
    }
}

static int screenBitsPixel() {
    ScopedGetDC screen(nullptr);
    if (!screen) return 0;
    ScopedBitmap probe(CreateCompatibleBitmap(screen, 100, 100));
    BITMAP bm;
    return probe && GetObjectA(probe, sizeof(bm), &bm) ? bm.bmBitsPixel : 0;
}

static bool systemHighContrast() {
    HIGHCONTRASTA contrast = {sizeof(contrast), 0, nullptr};
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool (*highContrastQuery)() = systemHighContrast;

void useHighContrastQuery(bool (*query)()) { highContrastQuery = query ? query : systemHighContrast; }
static bool readInHighContrast = false;

bool LookReadInHighContrast() { return readInHighContrast; }

SkinRead ReadConfiguredSkin() {
    char dir[PATH_SIZE] = "", name[PATH_SIZE] = "";
    configString(COL_DIRECTORY, dir, sizeof(dir));
    configString(COL_SKIN, name, sizeof(name));
    dir[PATH_SIZE - 1] = name[PATH_SIZE - 1] = 0;

    // High contrast: the tooltip look, whose colours follow the scheme; the
    // configured skin stays in the settings for when it goes off.
    readInHighContrast = highContrastQuery();
    if (readInHighContrast) return SKIN_NONE;
    if (!name[0] || !strcmp(name, "[brak]")) return SKIN_NONE;

    // The backslash may take a 259-character directory to 260, so it goes
    // into a buffer one byte larger; a directory that leaves no room for a
    // name cannot make a path that fits.
    char base[PATH_SIZE + 1];
    lstrcpynA(base, dir, PATH_SIZE);
    bool baseFits = AddBackslash1250(base, sizeof(base)) && strlen(base) < (size_t)PATH_SIZE - 1;
    char definition[PATH_SIZE];
    if (!existingPath(baseFits && joinPath(definition, base, name, ".ini"), definition)) {
        skinError("Nie odnaleziono pliku INI wybranej skórki");
        return SKIN_FAILED;
    }
    if (ReadSkinFile(definition, &skin) != 0) return SKIN_FAILED;

    char imagePath[PATH_SIZE], bitmapPath[PATH_SIZE];
    bool imageBuilt = joinPath(imagePath, base, skin.backgroundFile, "");
    bool bitmapBuilt = joinPath(bitmapPath, base, name, ".bmp");

    if (skin.backgroundFile[0] && existingPath(imageBuilt, imagePath)) {
        loadImageFile(imagePath);
    } else if (!existingPath(bitmapBuilt, bitmapPath)) {
        skinError("Nie odnaleziono pliku graficznego wybranej skórki");
        return SKIN_FAILED;
    } else {
        loadBitmapFile(bitmapPath);
    }
    if (!skin.skinBitmap) {
        skinError("Nie powiodło się wczytanie pliku graficznego");
        return SKIN_FAILED;
    }

    if (skin.transparent && skin.maskType == MASK_ALPHA && screenBitsPixel() != 32) return SKIN_NEEDS_32_BITS;
    return SKIN_READ;
}

bool SkinSizingFits() {
    // Negative slices would draw outside the picture: refused like too wide ones.
    if (skin.sizingLeft >= 0 && skin.sizingRight >= 0 && skin.sizingTop >= 0 && skin.sizingBottom >= 0 &&
        skin.sizingLeft + (long long)skin.sizingRight < skin.bitmapWidth &&
        skin.sizingTop + (long long)skin.sizingBottom < skin.bitmapHeight)
        return true;
    skinError("Błąd skórki: ustawienie wypełniania błędne");
    return false;
}
