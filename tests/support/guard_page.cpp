#include "guard_page.h"
#include <windows.h>
#include <string.h>

GuardPage::GuardPage() {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    pageSize = si.dwPageSize;
    pages = (uint8_t*)VirtualAlloc(nullptr, pageSize * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old;
    if (pages && !VirtualProtect(pages + pageSize, pageSize, PAGE_NOACCESS, &old)) {
        VirtualFree(pages, 0, MEM_RELEASE);
        pages = nullptr;
    }
}

GuardPage::~GuardPage() {
    if (pages) VirtualFree(pages, 0, MEM_RELEASE);
}

void* GuardPage::place(const void* record, size_t size) {
    if (!pages || size > pageSize) return nullptr;
    uint8_t* at = pages + pageSize - size;
    memcpy(at, record, size);
    return at;
}
