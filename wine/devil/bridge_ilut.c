/* ILUT.dll: the Linux ILUT has no Win32 renderer, so this DLL supplies the
 * part of it that Windows programs use: the Win32 renderer choice and the
 * conversion of the bound image to a GDI bitmap. Version and the other
 * renderers still go to the Linux library. */
#include "bridge_common.h"
#include <wingdi.h>

/* Debian's ilut.h would pull Windows-only configuration under _WIN32;
 * these are the Linux libILUT entry points used here. */
ILint ilutGetInteger(ILenum mode);
void ilutInit(void);
ILboolean ilutRenderer(ILenum renderer);

#define BRIDGE_ILUT_WIN32 2

ILint WINAPI bridge_ilutGetInteger(ILenum mode)
{
    return BRIDGE_VERSION_ANSWER("ilut", mode, ilutGetInteger(mode));
}

void WINAPI bridge_ilutInit(void) { ilutInit(); }

ILboolean WINAPI bridge_ilutRenderer(ILenum renderer)
{
    if (renderer == BRIDGE_ILUT_WIN32) return IL_TRUE;
    return ilutRenderer(renderer);
}

/* A 32-bit top-down DIB section of the bound image, rows in picture order
 * (the top row first whatever origin the image is stored with), bytes blue,
 * green, red, alpha. The device context is not needed for such a bitmap;
 * it is passed on as the caller gave it. Null when no image is bound, the
 * image is empty or too large, or GDI refuses. */
HBITMAP WINAPI bridge_ilutConvertToHBitmap(HDC dc)
{
    ILint width = ilGetInteger(IL_IMAGE_WIDTH);
    ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
    BITMAPINFO info;
    HBITMAP bitmap;
    void* bits = NULL;
    size_t stride, y;
    unsigned char* rows;

    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF / 4 / height) {
        ilSetError(IL_ILLEGAL_OPERATION);
        return NULL;
    }
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        ilSetError(IL_OUT_OF_MEMORY);
        return NULL;
    }
    if (!ilCopyPixels(0, 0, 0, width, height, 1, IL_BGRA, IL_UNSIGNED_BYTE, bits)) {
        DeleteObject(bitmap);
        return NULL;
    }
    /* The pixels come in storage order; an image kept bottom row first is
     * turned over so the bitmap shows it upright. */
    if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT) {
        stride = (size_t)width * 4;
        rows = bits;
        for (y = 0; y < (size_t)height / 2; y++) {
            unsigned char* top = rows + y * stride;
            unsigned char* bottom = rows + ((size_t)height - 1 - y) * stride;
            size_t i;
            for (i = 0; i < stride; i++) {
                unsigned char t = top[i];
                top[i] = bottom[i];
                bottom[i] = t;
            }
        }
    }
    GdiFlush();
    return bitmap;
}
