// A file opened by its Windows-1250 name (through the wide calls, so any
// name the plug-in can hold is found whatever the system's code page) and
// mapped read-only for as long as the object lives. Nothing is copied.
#pragma once
#include <windows.h>
#include <stdint.h>

class MappedFile {
public:
    explicit MappedFile(const char* path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Null when the file cannot be opened, is empty or cannot be mapped.
    const uint8_t* data() const { return data_; }
    uint64_t size() const { return size_; }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE mapping_ = nullptr;
    const uint8_t* data_ = nullptr;
    uint64_t size_ = 0;
};
