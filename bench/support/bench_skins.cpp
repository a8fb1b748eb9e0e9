#include "bench_skins.h"
#include <windows.h>
#include "support/skin_scene.h"

namespace {
// A frame of `border` pixels around a middle, with a gradient so stretching
// has real work; `outside` fills the corners' outer pixels (the key colour,
// or transparent alpha).
std::vector<uint32_t> framedPicture(int w, int h, int border, uint32_t frame, uint32_t middle, uint32_t outside) {
    std::vector<uint32_t> px((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            bool edge = x < border || y < border || x >= w - border || y >= h - border;
            uint32_t c = edge ? frame : middle + (uint32_t)((x * 3) & 0x1F);
            bool corner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
            px[(size_t)y * w + x] = corner ? outside : c;
        }
    return px;
}
}  // namespace

std::vector<std::string> writeSampleSkins(const TempDir& dir) {
    const int W = 60, H = 40;
    writeBmp(dir.file("plain.bmp"), W, H, framedPicture(W, H, 8, 0xFF203040, 0xFFE0E8F0, 0xFF203040));
    writeSkin(dir, "bench-nine-slice",
              "[background]\nfile=plain.bmp\n[sizing]\nleft=10\ntop=10\nright=10\nbottom=10\n"
              "[margins]\nleft=10\ntop=8\nright=10\nbottom=8\n[font]\nface=Tahoma\nsize=9\ncolor=203040\n");
    writeBmp(dir.file("keyed.bmp"), W, H, framedPicture(W, H, 6, 0xFF806040, 0xFFF0E0C0, 0xFFFF00FF));
    writeSkin(dir, "bench-colour-key",
              "[background]\nfile=keyed.bmp\ntransparent=on\nmask=color\n"
              "[sizing]\ntype=tile\nleft=8\ntop=8\nright=8\nbottom=8\n"
              "[margins]\nleft=9\ntop=7\nright=9\nbottom=7\n[font]\nstyle=shadow\nshadow=FFFFFF\n");
    writePng(dir.file("glass.png"), W, H, framedPicture(W, H, 6, 0xC0102040, 0x80F0F0FF, 0x00000000));
    writeSkin(dir, "bench-alpha",
              "[background]\nfile=glass.png\ntransparent=on\nmask=alpha\n"
              "[sizing]\nleft=10\ntop=10\nright=10\nbottom=10\n"
              "[margins]\nleft=10\ntop=8\nright=10\nbottom=8\n[font]\ncolor=FFFFFF\nbold=on\n");
    return {"bench-nine-slice", "bench-colour-key", "bench-alpha"};
}

std::vector<std::string> skinsIn(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
