// What an image file declares about itself, read before the file reaches an
// image library that trusts its header: DevIL allocates and fills what the
// header promises, and a hostile header takes the whole process down.
#pragma once

// A side longer than this, or a picture needing more than this many bytes
// at 4 bytes a pixel, is refused outright.
const long long MAX_IMAGE_SIDE = 16384;
const long long MAX_IMAGE_BYTES = 256LL * 1024 * 1024;

// False when the file cannot be read, or when it is a BMP, PNG, GIF, JPEG,
// TGA, PCX, ICO/CUR, PSD or TIFF file (by its extension, else by its first
// bytes) whose header is cut short, declares an empty or too large picture,
// or, for pixel data stored uncompressed, promises more than the file holds.
// Files of other formats pass unread.
bool ImageHeaderAcceptable(const char* path);
