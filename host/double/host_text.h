// Texts a plug-in hands the host by pointer, copied at once: they may live
// in the plug-in's stack buffers. An unterminated text is cut at 64 KiB.
#pragma once
#include <string.h>
#include <string>

inline std::string hostText(const char* text) {
    const size_t MAX_TEXT = 65536;
    return text ? std::string(text, strnlen(text, MAX_TEXT)) : std::string();
}
