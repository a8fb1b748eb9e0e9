// Writing small pictures as BMP and PNG files: the tests' skin images.
// Pixels are 0xAARRGGBB, top row first.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// A 32-bit BMP keeping the alpha byte, or a 24-bit one when withAlpha is false.
bool writeBmpFile(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels,
                  bool withAlpha = false);
// An RGBA PNG (zlib stream of stored blocks, no compression).
bool writePngFile(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
