// Skin images of any format DevIL reads, with per-pixel alpha, as a bitmap
// for a device context plus an owned copy of the pixels (32-bit BGRA rows,
// top row first). DevIL, ILU and ILUT are initialised at start-up.
//
// DevIL is handed the file's bytes, never its name: the plug-in opens the
// file by its wide name, so a path with letters outside the system's code
// page loads too, and either build of DevIL (ANSI or Unicode names) serves.
// The header check reads the very bytes DevIL then decodes.
#include "skin_load.h"
#include <string.h>
#include <new>
#include "devil_library.h"
#include "gdi_guards.h"
#include "image_header.h"
#include "mapped_file.h"

// The loader DevIL takes for a file by its name's extension when it loads by
// name; a file of another extension DevIL tells by its first bytes.
static ILenum devilType(const char* path) {
    // Without bytes the format can come only from the extension.
    const ImageFormat format = ImageFormatOf(path, nullptr, 0);
    switch (format) {
    case IMAGE_BMP: return IL_BMP;
    case IMAGE_PNG: return IL_PNG;
    case IMAGE_GIF: return IL_GIF;
    case IMAGE_JPEG: return IL_JPG;
    case IMAGE_TGA: return IL_TGA;
    case IMAGE_PCX: return IL_PCX;
    case IMAGE_ICO: return IL_ICO;
    case IMAGE_PSD: return IL_PSD;
    case IMAGE_TIFF: return IL_TIF;
    case IMAGE_UNKNOWN: break;
    }
    return IL_TYPE_UNKNOWN;
}

int LoadImageWithDevIL(HDC dc, const char* path, HBITMAP* bitmap, BYTE** pixels) {
    if (bitmap) *bitmap = nullptr;
    if (pixels) *pixels = nullptr;
    if (!bitmap || !pixels || !path) return 0;
    // Only a plug-in started with its image libraries reads images.
    if (!devil.ilLoadL) return 0;
    MappedFile file(path);
    // DevIL believes the header it reads; a lying one must never reach it.
    if (!ImageBytesAcceptable(path, file.data(), file.size()) || file.size() > 0xFFFFFFFFull) return 0;

    devil.ilEnable(IL_ORIGIN_SET);
    devil.ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ILuint image = 0;
    devil.ilGenImages(1, &image);
    devil.ilBindImage(image);
    devil.ilEnable(IL_FORMAT_SET);
    devil.ilSetInteger(IL_FORMAT_MODE, IL_BGRA);

    if (devil.ilLoadL(devilType(path), file.data(), (ILuint)file.size()) != IL_TRUE) {
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
