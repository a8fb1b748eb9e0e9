// The plug-in's texts are Windows-1250 bytes, whatever the system's ANSI
// code page is. Everything that shows them to a person or names a file with
// them goes through the wide (UTF-16) calls, converted from 1250 here, so a
// Windows of any language reads them alike.
#pragma once
#include <windows.h>
#include <stdio.h>
#include <string>

const UINT TEXT_CODE_PAGE = 1250;

// A 1250 text as UTF-16, held in place up to a few hundred characters (no
// heap for the texts of a notification or a path). 1250 is a single-byte
// code page: character i of the text is unit i of the result.
class WideText {
public:
    WideText() { inline_[0] = 0; }
    explicit WideText(const char* text) : WideText() { assign(text, -1); }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    // `length` bytes of `text`, or up to its terminator when -1.
    void assign(const char* text, int length);
    const wchar_t* c_str() const { return data_; }
    int length() const { return length_; }

private:
    static const int INLINE_UNITS = 512;
    wchar_t inline_[INLINE_UNITS];
    std::wstring spill_;  // for longer texts; keeps its capacity for the next one
    wchar_t* data_ = inline_;
    int length_ = 0;
};

// A UTF-16 text in 1250; false, with `out` emptied, when any character of it
// has no 1250 form (the host could not name such a file).
bool NarrowTo1250(const wchar_t* text, std::string* out);

// A message box without owner, captioned "Zinglet", with a 1250 text.
int ShowMessageBox(const char* text, UINT style);

// The file of a 1250 path, opened by its wide name.
FILE* OpenFile1250(const char* path, const wchar_t* mode);
bool PathExists1250(const char* path);
// A backslash added unless the 1250 path ends in one: the bytes are read as
// 1250, never in the system's code page. False when `capacity` leaves no room.
bool AddBackslash1250(char* path, size_t capacity);
