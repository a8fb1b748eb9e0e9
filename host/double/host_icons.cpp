// The host's icon image list: 16 x 16 images known by icon identifier.
// A status identifier (0x4NNSSSS0) shows the host's icon of that status for
// every network, the message identifier its envelope: both are icon
// resources of the host program named "S" and the identifier for network 0.
// Identifiers without either get a filled square of a colour derived from
// the identifier, added on first request.
#include "stand_in_host.h"
#include <stdio.h>

namespace {
// The icon resource of this program for an identifier, or null.
HICON programIcon(int iconId) {
    uint32_t id = (uint32_t)iconId;
    if (isStatusIcon(id)) id = statusIcon(0, (int)(id >> 4));  // status code, any network
    char name[16];
    snprintf(name, sizeof(name), "S%08X", (unsigned)id);
    HMODULE self = GetModuleHandleA(nullptr);
    if (!FindResourceA(self, name, (LPCSTR)RT_GROUP_ICON)) return nullptr;
    return (HICON)LoadImageA(self, name, IMAGE_ICON, 16, 16, 0);
}
}  // namespace

uint32_t statusIcon(int net, int status, uint32_t statusMask) {
    return STATUS_ICONS + ((uint32_t)(net & 0xFF) << 20) + (((uint32_t)status & statusMask) << 4);
}

HIMAGELIST StandInHost::imageList() {
    if (!icons) icons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8);
    return icons;
}

COLORREF StandInHost::iconColour(int iconId) {
    uint32_t h = (uint32_t)iconId * 2654435761u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    // Keep every channel away from black so the square never looks empty.
    return RGB(0x40 + (h & 0xBF), 0x40 + ((h >> 8) & 0xBF), 0x40 + ((h >> 16) & 0xBF));
}

int StandInHost::iconIndex(int iconId) {
    auto it = iconIndices.find(iconId);
    if (it != iconIndices.end()) return it->second;
    int index = addIconImage(iconId);
    if (index >= 0) iconIndices[iconId] = index;
    return index;
}

int StandInHost::addIconImage(int iconId) {
    if (!imageList()) return -1;
    if (HICON icon = programIcon(iconId)) {
        int index = ImageList_AddIcon(icons, icon);
        DestroyIcon(icon);
        if (index >= 0) return index;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour) return -1;
    COLORREF c = iconColour(iconId);
    uint32_t pixel = 0xFF000000u | ((uint32_t)GetRValue(c) << 16) | ((uint32_t)GetGValue(c) << 8) |
                     GetBValue(c);
    uint32_t* p = (uint32_t*)bits;
    for (int i = 0; i < 16 * 16; i++) p[i] = pixel;
    // An all-zero mask: every pixel of the square is opaque.
    static const WORD maskBits[16] = {};
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits);
    int index = ImageList_Add(icons, colour, mask);
    DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return index;
}
