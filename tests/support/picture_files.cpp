#include "picture_files.h"
#include <stdio.h>

namespace {

void put16(std::string& s, uint32_t v) { s += (char)(v & 0xFF); s += (char)((v >> 8) & 0xFF); }
void put32(std::string& s, uint32_t v) { put16(s, v & 0xFFFF); put16(s, v >> 16); }
void put32be(std::string& s, uint32_t v) {
    s += (char)(v >> 24); s += (char)((v >> 16) & 0xFF); s += (char)((v >> 8) & 0xFF); s += (char)(v & 0xFF);
}

bool writeFile(const std::string& path, const std::string& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

uint32_t crc32(const std::string& data) {
    uint32_t c = 0xFFFFFFFF;
    for (unsigned char b : data) {
        c ^= b;
        for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xEDB88320 & (0 - (c & 1)));
    }
    return c ^ 0xFFFFFFFF;
}

void chunk(std::string& png, const char* type, const std::string& data) {
    put32be(png, (uint32_t)data.size());
    std::string body = std::string(type, 4) + data;
    png += body;
    put32be(png, crc32(body));
}

}  // namespace

bool writeBmpFile(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels,
                  bool withAlpha) {
    if (width <= 0 || height <= 0 || pixels.size() < (size_t)width * height) return false;
    int bpp = withAlpha ? 32 : 24;
    int stride = ((width * bpp / 8) + 3) & ~3;
    std::string s = "BM";
    put32(s, 54 + stride * height);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40); put32(s, width); put32(s, height);  // bottom row first
    put16(s, 1); put16(s, bpp); put32(s, 0); put32(s, stride * height);
    put32(s, 2835); put32(s, 2835); put32(s, 0); put32(s, 0);
    for (int y = height - 1; y >= 0; y--) {
        std::string row;
        for (int x = 0; x < width; x++) {
            uint32_t p = pixels[(size_t)y * width + x];
            row += (char)(p & 0xFF); row += (char)((p >> 8) & 0xFF); row += (char)((p >> 16) & 0xFF);
            if (withAlpha) row += (char)(p >> 24);
        }
        row.resize(stride, 0);
        s += row;
    }
    return writeFile(path, s);
}

bool writePngFile(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() < (size_t)width * height) return false;
    std::string raw;
    for (int y = 0; y < height; y++) {
        raw += (char)0;  // no filter
        for (int x = 0; x < width; x++) {
            uint32_t p = pixels[(size_t)y * width + x];
            raw += (char)((p >> 16) & 0xFF); raw += (char)((p >> 8) & 0xFF);
            raw += (char)(p & 0xFF); raw += (char)(p >> 24);
        }
    }
    std::string z = "\x78\x01";
    size_t pos = 0;
    do {
        size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        z += (char)(pos + n == raw.size() ? 1 : 0);
        put16(z, (uint32_t)n);
        put16(z, (uint32_t)(~n & 0xFFFF));
        z += raw.substr(pos, n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char ch : raw) { a = (a + ch) % 65521; b = (b + a) % 65521; }
    put32be(z, (b << 16) | a);
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    put32be(ihdr, width); put32be(ihdr, height);
    ihdr += (char)8; ihdr += (char)6; ihdr += (char)0; ihdr += (char)0; ihdr += (char)0;
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", "");
    return writeFile(path, png);
}
