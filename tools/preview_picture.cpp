#include "preview_picture.h"
#include <windows.h>
#include <IL/il.h>
#include <stdint.h>
#include <vector>
#include "contract/plugin_state.h"
#include "skin/paint.h"
#include "skin/picture_context.h"
#include "skin/skin.h"

namespace {
const uint32_t COLOUR_KEY = 0x00FF00FF;  // magenta, as 0x00RRGGBB (and BGR)

// The picture as BGRA pixels, top row first.
bool readComposed(std::vector<uint32_t>& pixels, int* width, int* height) {
    BITMAP bm;
    if (!composedBitmap || !GetObjectA(composedBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)bm.bmWidth * bm.bmHeight, 0);
    // GetDIBits reads a bitmap that no context holds.
    LetGoOfPicture();
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, composedBitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    return rows == bm.bmHeight;
}

enum Transparency { OPAQUE_PICTURE, KEYED, PER_PIXEL };

Transparency transparency() {
    if (!skin.skinBitmap || !skin.transparent) return OPAQUE_PICTURE;
    if (skin.maskType == MASK_COLOR) return KEYED;
    // Without layered windows an alpha skin is shown opaque (alpha bytes 0).
    return skin.maskType == MASK_ALPHA && updateLayeredWindow ? PER_PIXEL : OPAQUE_PICTURE;
}

bool writeWholeFile(const wchar_t* path, const std::vector<ILubyte>& bytes) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    if (!whole) DeleteFileW(path);
    return whole;
}

uint32_t straightAlpha(uint32_t p) {
    const uint32_t a = p >> 24;
    if (a == 0) return 0;
    uint32_t out = a << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t c = ((p >> shift) & 0xFF) * 255 / a;
        out |= (c > 255 ? 255 : c) << shift;
    }
    return out;
}
}  // namespace

bool savePreviewPicture(const wchar_t* path) {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    if (!path || !readComposed(pixels, &w, &h)) return false;
    const Transparency mode = transparency();
    for (uint32_t& p : pixels) {
        if (mode == PER_PIXEL)
            p = straightAlpha(p);
        else if (mode == KEYED && (p & 0x00FFFFFF) == COLOUR_KEY)
            p = 0;
        else
            p |= 0xFF000000u;
    }
    // DevIL takes the rows bottom first.
    std::vector<uint32_t> bottomUp;
    bottomUp.reserve(pixels.size());
    for (int y = h - 1; y >= 0; y--) bottomUp.insert(bottomUp.end(), &pixels[(size_t)y * w], &pixels[(size_t)y * w] + w);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool saved = ilTexImage(w, h, 1, 4, IL_BGRA, IL_UNSIGNED_BYTE, bottomUp.data()) == IL_TRUE;
    // DevIL writes the PNG into memory, and the file is made by its wide name.
    std::vector<ILubyte> png;
    if (saved) {
        const ILuint size = ilSaveL(IL_PNG, nullptr, 0);
        png.resize(size);
        saved = size > 0 && ilSaveL(IL_PNG, png.data(), size) > 0;
    }
    ilDeleteImages(1, &image);
    return saved && writeWholeFile(path, png);
}
