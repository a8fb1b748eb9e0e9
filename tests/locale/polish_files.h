// Files and folders with Polish letters in their names, made through the
// wide calls so the names are right in any system code page, and the
// plug-in's side of them: its texts are Windows-1250.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A Windows-1250 text as UTF-16, and back.
std::wstring from1250(const std::string& text);
std::string to1250(const std::wstring& text);

// The system's ANSI code page that the test expects: NOTIFY_EXPECTED_ACP,
// else 1250.
UINT expectedCodePage();

// A folder made under the temp folder with a name given in 1250, removed
// with its files (and only them) afterwards.
class PolishFolder {
public:
    explicit PolishFolder(const std::string& name1250);
    ~PolishFolder();
    PolishFolder(const PolishFolder&) = delete;
    PolishFolder& operator=(const PolishFolder&) = delete;

    std::string path;    // in 1250, as the host stores it
    std::wstring wide;   // the same as UTF-16
    // A file of that 1250 name holding `bytes`.
    void write(const std::string& name1250, const std::string& bytes);
    // A file of that UTF-16 name (one 1250 may not be able to write).
    void writeWide(const std::wstring& name, const std::string& bytes);

private:
    std::vector<std::wstring> files_;
};

// A PNG or BMP file's bytes (pixels 0xAARRGGBB, top row first).
std::string pngBytes(int width, int height, uint32_t colour);
std::string bmpBytes(int width, int height, uint32_t colour);
