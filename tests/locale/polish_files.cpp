#include "polish_files.h"
#include <stdio.h>
#include <stdlib.h>
#include "support/picture_files.h"

std::wstring from1250(const std::string& text) {
    if (text.empty()) return std::wstring();
    std::wstring out(text.size(), L'\0');
    int n = MultiByteToWideChar(1250, 0, text.data(), (int)text.size(), &out[0], (int)out.size());
    out.resize(n > 0 ? (size_t)n : 0);
    return out;
}

std::string to1250(const std::wstring& text) {
    if (text.empty()) return std::string();
    std::string out(text.size() * 2, '\0');
    int n = WideCharToMultiByte(1250, 0, text.data(), (int)text.size(), &out[0], (int)out.size(), nullptr, nullptr);
    out.resize(n > 0 ? (size_t)n : 0);
    return out;
}

UINT expectedCodePage() {
    char value[16] = "";
    DWORD n = GetEnvironmentVariableA("NOTIFY_EXPECTED_ACP", value, sizeof(value));
    return n > 0 && n < sizeof(value) ? (UINT)atoi(value) : 1250;
}

PolishFolder::PolishFolder(const std::string& name1250) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    wchar_t unique[32];
    swprintf(unique, 32, L"%lu-%d ", GetCurrentProcessId(), ++serial);
    wide = std::wstring(temp) + unique + from1250(name1250);
    CreateDirectoryW(wide.c_str(), nullptr);
    path = to1250(wide);
}

PolishFolder::~PolishFolder() {
    for (const std::wstring& f : files_) DeleteFileW(f.c_str());
    RemoveDirectoryW(wide.c_str());
}

void PolishFolder::write(const std::string& name1250, const std::string& bytes) {
    writeWide(from1250(name1250), bytes);
}

void PolishFolder::writeWide(const std::wstring& name, const std::string& bytes) {
    const std::wstring file = wide + L"\\" + name;
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(h);
    files_.push_back(file);
}

// The picture writers take ANSI names: they write to a plain name, read back.
static std::string pictureBytes(bool png, int width, int height, uint32_t colour) {
    char temp[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    snprintf(name, sizeof(name), "%spicture-%lu.%s", temp, GetCurrentProcessId(), png ? "png" : "bmp");
    std::vector<uint32_t> pixels((size_t)width * height, colour);
    if (png) writePngFile(name, width, height, pixels);
    else writeBmpFile(name, width, height, pixels);
    std::string bytes;
    if (FILE* f = fopen(name, "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, n);
        fclose(f);
    }
    DeleteFileA(name);
    return bytes;
}

std::string pngBytes(int width, int height, uint32_t colour) { return pictureBytes(true, width, height, colour); }
std::string bmpBytes(int width, int height, uint32_t colour) { return pictureBytes(false, width, height, colour); }
