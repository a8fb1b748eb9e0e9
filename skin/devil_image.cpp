// Skin images of any format DevIL reads, with per-pixel alpha, as a bitmap
// for a device context plus an owned copy of the pixels (32-bit BGRA rows,
// top row first). DevIL, ILU and ILUT are initialised at start-up.
#include "skin_load.h"
#include <string.h>
#include <new>
#include "devil_library.h"
#include "gdi_guards.h"
#include "image_header.h"

int LoadImageWithDevIL(HDC dc, const char* path, HBITMAP* bitmap, BYTE** pixels) {
    if (bitmap) *bitmap = nullptr;
    if (pixels) *pixels = nullptr;
    if (!bitmap || !pixels || !path) return 0;
    // Only a plug-in started with its image libraries reads images.
    if (!devil.ilLoadImage) return 0;
    // DevIL believes the header it reads; a lying one must never reach it.
    if (!ImageHeaderAcceptable(path)) return 0;

    devil.ilEnable(IL_ORIGIN_SET);
    devil.ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ILuint image = 0;
    devil.ilGenImages(1, &image);
    devil.ilBindImage(image);
    devil.ilEnable(IL_FORMAT_SET);
    devil.ilSetInteger(IL_FORMAT_MODE, IL_BGRA);

    if (devil.ilLoadImage(path) != IL_TRUE) {
        devil.ilDeleteImages(1, &image);
        return 0;
    }
    ILboolean converted = devil.ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE);
    const int width = devil.ilGetInteger(IL_IMAGE_WIDTH);
    const int height = devil.ilGetInteger(IL_IMAGE_HEIGHT);
    const int bytesPerPixel = devil.ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const long long count = (long long)width * height * bytesPerPixel;
    const ILubyte* data = devil.ilGetData();
    // Everything downstream reads the copy as width x height BGRA pixels:
    // refuse any other shape instead of reading or writing past it.
    if (converted != IL_TRUE || !data || width <= 0 || height <= 0 || bytesPerPixel != 4 ||
        count > MAX_IMAGE_BYTES) {
        devil.ilDeleteImages(1, &image);
        return 0;
    }
    BYTE* copy = new (std::nothrow) BYTE[(size_t)count];
    if (!copy) {
        devil.ilDeleteImages(1, &image);
        return 0;
    }
    memcpy(copy, data, (size_t)count);
    // The bitmap must be the picture the copy describes, or nothing.
    ScopedBitmap made(dc ? devil.ilutConvertToHBitmap(dc) : nullptr);
    devil.ilDeleteImages(1, &image);
    BITMAP bm;
    if (!made || !GetObjectA(made, sizeof(bm), &bm) || bm.bmWidth != width || bm.bmHeight != height) {
        delete[] copy;
        return 0;
    }
    *pixels = copy;
    *bitmap = made.release();
    return (int)count;
}
