#include "mapped_file.h"
#include "wide_text.h"

MappedFile::MappedFile(const char* path) {
    if (!path || !*path) return;
    WideText wide(path);
    // The bytes are read at once, so an image editor may hold the file open
    // for writing, or move it, meanwhile.
    file_ = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size;
    // An empty file cannot be mapped, and holds nothing worth reading.
    if (!GetFileSizeEx(file_, &size) || size.QuadPart <= 0) return;
    mapping_ = CreateFileMappingW(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping_) return;
    data_ = (const uint8_t*)MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
    if (data_) size_ = (uint64_t)size.QuadPart;
}

MappedFile::~MappedFile() {
    if (data_) UnmapViewOfFile(data_);
    if (mapping_) CloseHandle(mapping_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}
