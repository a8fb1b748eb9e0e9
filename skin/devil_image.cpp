// Skin images of any format DevIL reads, with per-pixel alpha, as a bitmap
// for a device context plus an owned copy of the pixels (32-bit BGRA rows,
// top row first). DevIL, ILU and ILUT are initialised at start-up.
#include "skin_load.h"
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <string.h>
#include <new>
#include "image_header.h"
#include "skin.h"

int LoadImageWithDevIL(HDC dc, const char* path, HBITMAP* bitmap, BYTE** pixels) {
    if (bitmap) *bitmap = nullptr;
    if (pixels) *pixels = nullptr;
    if (!bitmap || !pixels || !path) return 0;
    // DevIL believes the header it reads; a lying one must never reach it.
    if (!ImageHeaderAcceptable(path)) return 0;

    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_FORMAT_SET);
    ilSetInteger(IL_FORMAT_MODE, IL_BGRA);

    if (ilLoadImage(path) != IL_TRUE) {
        ilDeleteImages(1, &image);
        return 0;
    }
    ILboolean converted = ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE);
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const int bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const long long count = (long long)width * height * bytesPerPixel;
    const ILubyte* data = ilGetData();
    // Everything downstream reads the copy as width x height BGRA pixels:
    // refuse any other shape instead of reading or writing past it.
    if (converted != IL_TRUE || !data || width <= 0 || height <= 0 || bytesPerPixel != 4 ||
        count > MAX_IMAGE_BYTES) {
        ilDeleteImages(1, &image);
        return 0;
    }
    BYTE* copy = new (std::nothrow) BYTE[(size_t)count];
    if (!copy) {
        ilDeleteImages(1, &image);
        return 0;
    }
    memcpy(copy, data, (size_t)count);
    skin.bitmapWidth = width;
    skin.bitmapHeight = height;
    *pixels = copy;
    *bitmap = ilutConvertToHBitmap(dc);
    ilDeleteImages(1, &image);
    return (int)count;
}
