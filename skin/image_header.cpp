// Header reading for the image formats whose headers state the picture's
// size plainly. The bytes are the file's mapping, never a copy; every read is
// bounded by their length, so a short or lying file only ever gives a refusal.
#include "image_header.h"
#include <windows.h>
#include "mapped_file.h"
#include <stdint.h>
#include <string.h>

namespace {

struct Bytes {
    const uint8_t* data;
    uint64_t size;
    bool has(uint64_t at, uint64_t length) const { return at <= size && length <= size - at; }
    unsigned u8(uint64_t at) const { return has(at, 1) ? data[at] : 0; }
    unsigned le16(uint64_t at) const { return has(at, 2) ? data[at] | data[at + 1] << 8 : 0; }
    unsigned be16(uint64_t at) const { return has(at, 2) ? data[at] << 8 | data[at + 1] : 0; }
    uint32_t le32(uint64_t at) const { return has(at, 4) ? le16(at) | (uint32_t)le16(at + 2) << 16 : 0; }
    uint32_t be32(uint64_t at) const { return has(at, 4) ? (uint32_t)be16(at) << 16 | be16(at + 2) : 0; }
    bool starts(uint64_t at, const char* magic, size_t length) const {
        return has(at, length) && memcmp(data + at, magic, length) == 0;
    }
};

bool pictureFits(long long width, long long height) {
    return width > 0 && height > 0 && width <= MAX_IMAGE_SIDE && height <= MAX_IMAGE_SIDE &&
           width * height * 4 <= MAX_IMAGE_BYTES;
}

// Bytes of `rows` rows of `width` pixels at `bits` bits, each row rounded up
// to `align` bytes. Callers have bounded width and height already.
uint64_t rowBytes(long long width, unsigned bits, unsigned align) {
    uint64_t bytes = ((uint64_t)width * bits + 7) / 8;
    return (bytes + align - 1) / align * align;
}

bool bmpDib(const Bytes& f, uint64_t at, uint64_t dataAt, uint64_t end, bool icon) {
    uint32_t headerSize = f.le32(at);
    long long width, height;
    unsigned bits, compression = 0;
    if (headerSize == 12) {
        if (!f.has(at, 12)) return false;
        width = f.le16(at + 4);
        height = f.le16(at + 6);
        bits = f.le16(at + 10);
    } else if (headerSize >= 16) {
        if (!f.has(at, headerSize < 40 ? headerSize : 40)) return false;
        width = (int32_t)f.le32(at + 4);
        height = (int32_t)f.le32(at + 8);
        bits = f.le16(at + 14);
        if (headerSize >= 20) compression = f.le32(at + 16);
    } else {
        return false;
    }
    if (height < 0) height = -height;  // rows stored top first
    if (icon) height /= 2;              // colour rows, then the mask's
    if (!pictureFits(width, height)) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (compression == 1 || compression == 2) return dataAt <= end;  // run-length coded
    if (compression != 0 && compression != 3 && compression != 6) return false;
    uint64_t need = rowBytes(width, bits, 4) * height;
    if (icon) {
        uint64_t colours = bits <= 8 ? (f.le32(at + 32) ? f.le32(at + 32) : 1u << bits) : 0;
        dataAt = at + headerSize + colours * 4;
        need += rowBytes(width, 1, 4) * height;
    }
    return dataAt <= end && need <= end - dataAt;
}

bool bmp(const Bytes& f) {
    if (!f.starts(0, "BM", 2) || !f.has(0, 18)) return false;
    return bmpDib(f, 14, f.le32(10), f.size, false);
}

const char PNG_MAGIC[] = "\x89PNG\r\n\x1a\n";

bool pngAt(const Bytes& f, uint64_t at) {
    if (!f.starts(at, PNG_MAGIC, 8) || !f.starts(at + 12, "IHDR", 4)) return false;
    return pictureFits(f.be32(at + 16), f.be32(at + 20));
}

bool png(const Bytes& f) { return pngAt(f, 0); }

// The logical screen and every frame; the coded pixels are not read.
bool gif(const Bytes& f) {
    if (!f.starts(0, "GIF8", 4) || !f.has(0, 13) || !pictureFits(f.le16(6), f.le16(8))) return false;
    uint64_t at = 13;
    if (f.u8(10) & 0x80) at += 3ull << ((f.u8(10) & 7) + 1);
    for (;;) {
        unsigned block = f.u8(at);
        if (!f.has(at, 1) || block == 0x3B) return true;
        if (block == 0x2C) {
            if (!f.has(at, 10)) return false;
            long long w = f.le16(at + 5), h = f.le16(at + 7);
            if (w > MAX_IMAGE_SIDE || h > MAX_IMAGE_SIDE || w * h * 4 > MAX_IMAGE_BYTES) return false;
            unsigned flags = f.u8(at + 9);
            at += 10;
            if (flags & 0x80) at += 3ull << ((flags & 7) + 1);
            at += 1;  // the code size
        } else if (block == 0x21) {
            at += 2;
        } else {
            return true;  // not a block: the decoder stops here as well
        }
        while (f.has(at, 1) && f.u8(at) != 0) at += 1 + f.u8(at);
        at += 1;
    }
}

// The first frame header before the scan data.
bool jpeg(const Bytes& f) {
    if (!f.starts(0, "\xFF\xD8", 2)) return false;
    uint64_t at = 2;
    while (f.has(at, 2)) {
        if (f.u8(at) != 0xFF) return false;
        unsigned marker = f.u8(at + 1);
        if (marker == 0xFF) {
            at += 1;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return false;  // no frame header
        bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) return f.has(at + 2, 7) && pictureFits(f.be16(at + 7), f.be16(at + 5));
        at += 2 + f.be16(at + 2);
    }
    return false;
}

bool tgaPlausible(const Bytes& f) {
    unsigned type = f.u8(2), bits = f.u8(16);
    bool known = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    return f.has(0, 18) && f.u8(1) <= 1 && known &&
           (bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32);
}

bool tga(const Bytes& f) {
    if (!tgaPlausible(f)) return false;
    long long width = f.le16(12), height = f.le16(14);
    if (!pictureFits(width, height)) return false;
    uint64_t at = 18 + f.u8(0);
    if (f.u8(1) == 1) at += (uint64_t)f.le16(5) * ((f.u8(7) + 7) / 8);
    if (f.u8(2) >= 9) return at <= f.size;  // run-length coded
    return f.has(at, (uint64_t)width * height * ((f.u8(16) + 7) / 8));
}

bool pcx(const Bytes& f) {
    if (f.u8(0) != 0x0A || !f.has(0, 128) || f.u8(2) > 1) return false;
    unsigned bits = f.u8(3), planes = f.u8(65), lineBytes = f.le16(66);
    if ((bits != 1 && bits != 2 && bits != 4 && bits != 8) || planes == 0) return false;
    long long width = (long long)f.le16(8) - f.le16(4) + 1, height = (long long)f.le16(10) - f.le16(6) + 1;
    if (!pictureFits(width, height) || (uint64_t)lineBytes * 8 < (uint64_t)width * bits) return false;
    if (f.u8(2) == 1) return true;  // run-length coded
    return f.has(128, (uint64_t)lineBytes * planes * height);
}

// Every picture of the directory, each of which states its own size.
bool ico(const Bytes& f) {
    unsigned kind = f.le16(2), count = f.le16(4);
    if (!f.has(0, 6) || f.le16(0) != 0 || (kind != 1 && kind != 2) || count == 0) return false;
    if (!f.has(6, 16ull * count)) return false;
    for (unsigned i = 0; i < count; i++) {
        uint64_t entry = 6 + 16ull * i, length = f.le32(entry + 8), at = f.le32(entry + 12);
        if (!f.has(at, length)) return false;
        bool fits = f.starts(at, PNG_MAGIC, 8) ? pngAt(f, at) : bmpDib(f, at, at, at + length, true);
        if (!fits) return false;
    }
    return true;
}

// Version 1 only; the channels at their depth count as well, since all of
// them are read before the picture is made.
bool psd(const Bytes& f) {
    if (!f.starts(0, "8BPS", 4) || f.be16(4) != 1 || !f.has(0, 30)) return false;
    long long channels = f.be16(12), height = f.be32(14), width = f.be32(18);
    unsigned depth = f.be16(22);
    if (channels < 1 || channels > 56 || (depth != 1 && depth != 8 && depth != 16 && depth != 32)) return false;
    if (!pictureFits(width, height)) return false;
    uint64_t plane = rowBytes(width, depth, 1) * height;
    if (plane * channels > (uint64_t)MAX_IMAGE_BYTES) return false;
    uint64_t at = 26;
    for (int section = 0; section < 3; section++) {
        if (!f.has(at, 4)) return false;
        at += 4 + (uint64_t)f.be32(at);
    }
    if (!f.has(at, 2)) return false;
    unsigned compression = f.be16(at);
    at += 2;
    if (compression == 0) return f.has(at, plane * channels);
    if (compression == 1) return f.has(at, 2ull * channels * height);  // the table of row lengths
    return false;
}

// Every directory of the file (a bounded number), each a picture of its own.
bool tiff(const Bytes& f) {
    bool little = f.starts(0, "II*\0", 4);
    if (!little && !f.starts(0, "MM\0*", 4)) return false;
    auto u16 = [&](uint64_t at) { return little ? f.le16(at) : f.be16(at); };
    auto u32 = [&](uint64_t at) { return little ? f.le32(at) : f.be32(at); };
    // A SHORT or LONG value of an entry; the first one when there are several.
    auto value = [&](uint64_t entry) -> uint64_t {
        unsigned type = u16(entry + 2);
        uint32_t count = u32(entry + 4);
        uint64_t at = entry + 8;
        if (type == 3) return count > 2 ? u16(u32(at)) : u16(at);
        if (type == 4) return count > 1 ? u32(u32(at)) : u32(at);
        return 0;
    };
    uint64_t directory = u32(4);
    for (int seen = 0; directory != 0 && seen < 64; seen++) {
        if (!f.has(directory, 2)) return false;
        unsigned entries = u16(directory);
        if (!f.has(directory + 2, 12ull * entries + 4)) return false;
        long long width = 0, height = 0;
        uint64_t bits = 1, samples = 1, compression = 1;
        for (unsigned i = 0; i < entries; i++) {
            uint64_t entry = directory + 2 + 12ull * i;
            switch (u16(entry)) {
            case 256: width = value(entry); break;
            case 257: height = value(entry); break;
            case 258: bits = value(entry); break;
            case 259: compression = value(entry); break;
            case 277: samples = value(entry); break;
            }
        }
        if (!pictureFits(width, height) || bits == 0 || bits > 64 || samples == 0 || samples > 16) return false;
        if (compression == 1 && rowBytes(width, (unsigned)(bits * samples), 1) * height > f.size) return false;
        directory = u32(directory + 2 + 12ull * entries);
    }
    return true;
}

// Equal but for the case of ASCII letters: the names are 1250 bytes, and an
// extension is compared alike in every system language.
bool sameLetters(const char* a, const char* b) {
    for (;; a++, b++) {
        char x = *a >= 'A' && *a <= 'Z' ? (char)(*a - 'A' + 'a') : *a;
        char y = *b >= 'A' && *b <= 'Z' ? (char)(*b - 'A' + 'a') : *b;
        if (x != y) return false;
        if (!x) return true;
    }
}

ImageFormat byExtension(const char* path) {
    const char* dot = strrchr(path, '.');
    if (!dot || strpbrk(dot, "\\/")) return IMAGE_UNKNOWN;
    static const struct {
        const char* extension;
        ImageFormat format;
    } names[] = {
        {".bmp", IMAGE_BMP}, {".dib", IMAGE_BMP}, {".png", IMAGE_PNG}, {".gif", IMAGE_GIF},
        {".jpg", IMAGE_JPEG}, {".jpeg", IMAGE_JPEG}, {".jpe", IMAGE_JPEG}, {".jif", IMAGE_JPEG},
        {".jfif", IMAGE_JPEG}, {".tga", IMAGE_TGA}, {".vda", IMAGE_TGA}, {".icb", IMAGE_TGA},
        {".vst", IMAGE_TGA}, {".pcx", IMAGE_PCX}, {".ico", IMAGE_ICO}, {".cur", IMAGE_ICO},
        {".psd", IMAGE_PSD}, {".pdd", IMAGE_PSD}, {".tif", IMAGE_TIFF}, {".tiff", IMAGE_TIFF},
    };
    for (const auto& n : names)
        if (sameLetters(dot, n.extension)) return n.format;
    return IMAGE_UNKNOWN;
}

// Without a known extension the image library guesses from the content.
ImageFormat byContent(const Bytes& f) {
    if (f.starts(0, "BM", 2)) return IMAGE_BMP;
    if (f.starts(0, PNG_MAGIC, 8)) return IMAGE_PNG;
    if (f.starts(0, "GIF8", 4)) return IMAGE_GIF;
    if (f.starts(0, "\xFF\xD8", 2)) return IMAGE_JPEG;
    if (f.starts(0, "8BPS", 4)) return IMAGE_PSD;
    if (f.starts(0, "II*\0", 4) || f.starts(0, "MM\0*", 4)) return IMAGE_TIFF;
    if (f.u8(0) == 0x0A && f.has(0, 128) && f.u8(2) <= 1) return IMAGE_PCX;
    if (f.has(0, 6) && f.le16(0) == 0 && (f.le16(2) == 1 || f.le16(2) == 2)) return IMAGE_ICO;
    if (tgaPlausible(f)) return IMAGE_TGA;
    return IMAGE_UNKNOWN;
}

bool acceptable(const Bytes& f, ImageFormat format) {
    switch (format) {
    case IMAGE_BMP: return bmp(f);
    case IMAGE_PNG: return png(f);
    case IMAGE_GIF: return gif(f);
    case IMAGE_JPEG: return jpeg(f);
    case IMAGE_TGA: return tga(f);
    case IMAGE_PCX: return pcx(f);
    case IMAGE_ICO: return ico(f);
    case IMAGE_PSD: return psd(f);
    case IMAGE_TIFF: return tiff(f);
    case IMAGE_UNKNOWN: return true;
    }
    return false;
}

}  // namespace

ImageFormat ImageFormatOf(const char* name, const void* data, uint64_t size) {
    ImageFormat format = name ? byExtension(name) : IMAGE_UNKNOWN;
    if (format != IMAGE_UNKNOWN) return format;
    Bytes f = {(const uint8_t*)data, data ? size : 0};
    return byContent(f);
}

bool ImageBytesAcceptable(const char* name, const void* data, uint64_t size) {
    ImageFormat format = ImageFormatOf(name, data, size);
    // An empty file holds no picture worth showing.
    if (!data || size == 0) return false;
    Bytes f = {(const uint8_t*)data, size};
    return acceptable(f, format);
}

bool ImageHeaderAcceptable(const char* path) {
    if (!path) return false;
    MappedFile file(path);
    return ImageBytesAcceptable(path, file.data(), file.size());
}
