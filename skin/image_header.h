// What an image file declares about itself, read before the file reaches an
// image library that trusts its header: DevIL allocates and fills what the
// header promises, and a hostile header takes the whole process down.
#pragma once
#include <stdint.h>

// A side longer than this, or a picture needing more than this many bytes
// at 4 bytes a pixel, is refused outright.
const long long MAX_IMAGE_SIDE = 16384;
const long long MAX_IMAGE_BYTES = 256LL * 1024 * 1024;

// The formats whose headers are read.
enum ImageFormat {
    IMAGE_UNKNOWN, IMAGE_BMP, IMAGE_PNG, IMAGE_GIF, IMAGE_JPEG, IMAGE_TGA, IMAGE_PCX, IMAGE_ICO, IMAGE_PSD,
    IMAGE_TIFF,
};

// The format a file named `name` is read as: by its extension, else by its
// first bytes (IMAGE_UNKNOWN for any other format).
ImageFormat ImageFormatOf(const char* name, const void* data, uint64_t size);

// False when the bytes are empty, or when they are a BMP, PNG, GIF, JPEG,
// TGA, PCX, ICO/CUR, PSD or TIFF file (by the name's extension, else by the
// first bytes) whose header is cut short, declares an empty or too large
// picture, or, for pixel data stored uncompressed, promises more than the
// bytes hold. Other formats pass unread.
bool ImageBytesAcceptable(const char* name, const void* data, uint64_t size);
// The same for the file of a Windows-1250 path; false when it cannot be read.
bool ImageHeaderAcceptable(const char* path);
