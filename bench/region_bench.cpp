// RegionFromColorKey on a full-screen picture with a magenta frame, against
// its floor: the copy into a 32-bit DIB section that the scan needs, and one
// memcpy of the same bytes standing for the single pass over the pixels.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <vector>
#include "support/bench_table.h"
#include "support/skin_scene.h"
#include "skin/shape.h"

int main() {
    const int W = 1920, H = 1080, frame = 8;
    std::vector<uint32_t> picture = solid(W, H, 0xFF204080);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (x < frame || y < frame || x >= W - frame || y >= H - frame) picture[(size_t)y * W + x] = 0xFFFF00FF;
    HBITMAP bitmap = makeBitmap(W, H, picture);
    const int rounds = benchRounds();

    // The floor, on a section and device contexts prepared beforehand.
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = W;
    header.biHeight = H;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldSection = SelectObject(dc, section);
    HDC source = CreateCompatibleDC(dc);
    // A bitmap is selected into one device context at a time: the floor
    // copies from a twin of the picture.
    HBITMAP twin = makeBitmap(W, H, picture);
    HGDIOBJ oldSource = SelectObject(source, twin);
    std::vector<uint8_t> to((size_t)W * H * 4);
    // The region and the parts of its floor in turn, round after round.
    double region = 1e300, blit = 1e300, copy = 1e300;
    for (int r = 0; r < rounds * 2; r++) {
        region = std::min(region, bestMicros(1, 3, [&] {
            HRGN made = RegionFromColorKey(bitmap, 0x00FF00FF, 0x00101010);
            if (made) DeleteObject(made);
        }));
        blit = std::min(blit, bestMicros(1, 3, [&] {
            BitBlt(dc, 0, 0, W, H, source, 0, 0, SRCCOPY);
            GdiFlush();
        }));
        copy = std::min(copy, bestMicros(1, 3, [&] {
            memcpy(to.data(), bits, to.size());
            ((volatile uint8_t*)to.data())[0];
        }));
    }
    SelectObject(dc, oldSection);
    DeleteObject(section);

    // What the region costs beyond the floor: the copy made band by band
    // (one call per band of rows), and making the region of its rectangles.
    const int bandRows = 128 * 1024 / 4 / W;
    header.biHeight = bandRows;
    section = CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    oldSection = SelectObject(dc, section);
    double bands = bestMicros(rounds, 5, [&] {
        for (int top = 0; top < H; top += bandRows) {
            BitBlt(dc, 0, 0, W, H - top < bandRows ? H - top : bandRows, source, 0, top, SRCCOPY);
            GdiFlush();
        }
    });
    // One rectangle per row of the frame's inside, as the scan finds them.
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + sizeof(RECT) * (H - 2 * frame));
    RGNDATA* runs = (RGNDATA*)data.data();
    runs->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, (DWORD)(H - 2 * frame), 0, {frame, frame, W - frame, H - frame}};
    for (int y = frame; y < H - frame; y++) ((RECT*)runs->Buffer)[y - frame] = {frame, y, W - frame, y + 1};
    double extCreate = bestMicros(rounds, 5, [&] {
        DeleteObject(ExtCreateRegion(nullptr, (DWORD)data.size(), (RGNDATA*)data.data()));
    });
    SelectObject(source, oldSource);
    DeleteDC(source);
    SelectObject(dc, oldSection);
    DeleteObject(section);
    DeleteDC(dc);
    DeleteObject(twin);
    DeleteObject(bitmap);

    printRow("region 1920x1080, magenta frame", region, blit + copy, 2.0);
    printPart("floor: BitBlt into the 32-bit section", blit);
    printPart("floor: memcpy of the same bytes", copy);
    printPart("part: BitBlt band by band (128 KB bands)", bands);
    char name[64];
    snprintf(name, sizeof(name), "part: ExtCreateRegion of its %u rectangles", (unsigned)((RGNDATA*)data.data())->rdh.nCount);
    printPart(name, extCreate);
    return 0;
}
