#include "picture_context.h"
#include "skin.h"

namespace {
// A memory context and the objects it had before ours were selected, put
// back before it is deleted or lets go.
struct KeptContext {
    HDC dc = nullptr;
    HGDIOBJ originalBitmap = nullptr;
    HGDIOBJ originalFont = nullptr;
    HBITMAP held = nullptr;

    bool make(HDC like) {
        if (!dc && like) dc = CreateCompatibleDC(like);
        return dc != nullptr;
    }
    bool hold(HBITMAP bitmap) {
        if (held == bitmap) return true;
        HGDIOBJ previous = SelectObject(dc, bitmap);
        if (!previous || previous == HGDI_ERROR) return false;
        if (!originalBitmap) originalBitmap = previous;
        held = bitmap;
        return true;
    }
    bool holdFont(HFONT font) {
        if (GetCurrentObject(dc, OBJ_FONT) == font) return true;
        HGDIOBJ previous = SelectObject(dc, font);
        if (!previous || previous == HGDI_ERROR) return false;
        if (!originalFont) originalFont = previous;
        return true;
    }
    void letGo() {
        if (dc && originalBitmap) SelectObject(dc, originalBitmap);
        originalBitmap = nullptr;
        held = nullptr;
    }
    void release() {
        letGo();
        if (dc && originalFont) SelectObject(dc, originalFont);
        originalFont = nullptr;
        if (dc) DeleteDC(dc);
        dc = nullptr;
    }
};

KeptContext picture, image;
}  // namespace

HDC PictureContextFor(HBITMAP bitmap, HDC like) {
    if (!bitmap || !picture.make(like)) return nullptr;
    if (!picture.hold(bitmap) || !skin.normalFont || !picture.holdFont(skin.normalFont)) return nullptr;
    return picture.dc;
}

HDC KeptPictureContext() {
    if (!picture.dc || !skin.normalFont || !picture.holdFont(skin.normalFont)) return nullptr;
    return picture.dc;
}

HDC HeldPictureContext(HBITMAP bitmap) { return bitmap && picture.held == bitmap ? picture.dc : nullptr; }

HDC ImageContext(HDC like) {
    if (!skin.skinBitmap || !image.make(like)) return nullptr;
    return image.hold(skin.skinBitmap) ? image.dc : nullptr;
}

void ReleasePictureContexts() {
    picture.release();
    image.release();
}

void LetGoOfPicture() { picture.letGo(); }
