// Records placed at the very end of readable memory: the page after them is
// inaccessible, so any read past a record's own size crashes the test.
#pragma once
#include <stddef.h>
#include <stdint.h>

class GuardPage {
public:
    GuardPage();   // one readable page followed by an inaccessible one
    ~GuardPage();
    GuardPage(const GuardPage&) = delete;
    GuardPage& operator=(const GuardPage&) = delete;
    bool ready() const { return pages != nullptr; }
    // Copies `size` bytes of `record` so that they end where readable memory
    // ends, and returns the copy (null when not ready or too large).
    void* place(const void* record, size_t size);
    template <class T> T* place(const T& record, size_t size = sizeof(T)) {
        return (T*)place((const void*)&record, size);
    }

private:
    uint8_t* pages = nullptr;
    size_t pageSize = 0;
};
