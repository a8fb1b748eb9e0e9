#include "wide_text.h"
#include <shlwapi.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

void WideText::assign(const char* text, int length) {
    if (!text) text = "";
    if (length < 0) length = (int)strlen(text);
    if (length < INLINE_UNITS) {
        data_ = inline_;
    } else {
        spill_.resize((size_t)length + 1);
        data_ = &spill_[0];
    }
    // Every 1250 byte has one UTF-16 unit, so the result has `length` units;
    // should the conversion ever fail, blanks keep the offsets in step.
    int made = length > 0 ? MultiByteToWideChar(TEXT_CODE_PAGE, 0, text, length, data_, length) : 0;
    for (int i = made > 0 ? made : 0; i < length; i++) data_[i] = L' ';
    length_ = length;
    data_[length_] = 0;
}

bool NarrowTo1250(const wchar_t* text, std::string* out) {
    out->clear();
    if (!text || !*text) return true;
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(TEXT_CODE_PAGE, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lost);
    if (n <= 0 || lost) return false;
    std::string narrow((size_t)n, '\0');
    WideCharToMultiByte(TEXT_CODE_PAGE, WC_NO_BEST_FIT_CHARS, text, -1, &narrow[0], n, nullptr, &lost);
    narrow.resize((size_t)n - 1);
    // Only a text that comes back unchanged has a 1250 form.
    WideText back(narrow.c_str());
    if (lost || wcscmp(back.c_str(), text) != 0) return false;
    *out = narrow;
    return true;
}

int ShowMessageBox(const char* text, UINT style) {
    WideText wide(text);
    WideText caption("Zinglet");
    return MessageBoxW(nullptr, wide.c_str(), caption.c_str(), style);
}

FILE* OpenFile1250(const char* path, const wchar_t* mode) {
    if (!path || !*path) return nullptr;
    WideText wide(path);
    return _wfopen(wide.c_str(), mode);
}

bool PathExists1250(const char* path) {
    if (!path || !*path) return false;
    WideText wide(path);
    return PathFileExistsW(wide.c_str()) != FALSE;
}

bool AddBackslash1250(char* path, size_t capacity) {
    const size_t length = strnlen(path, capacity);
    if (length >= capacity) return false;
    if (length == 0 || path[length - 1] == '\\') return true;
    if (length + 2 > capacity) return false;
    path[length] = '\\';
    path[length + 1] = 0;
    return true;
}
