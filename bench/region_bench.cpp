// RegionFromColorKey on a full-screen picture with a magenta frame, against
// its floor: the copy into a 32-bit DIB section that the scan needs, and one
// memcpy of the same bytes standing for the single pass over the pixels.
#include <windows.h>
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

    double region = medianMicros(rounds, 5, [&] {
        HRGN r = RegionFromColorKey(bitmap, 0x00FF00FF, 0x00101010);
        if (r) DeleteObject(r);
    });

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
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    double blit = medianMicros(rounds, 5, [&] {
        BitBlt(dc, 0, 0, W, H, source, 0, 0, SRCCOPY);
        GdiFlush();
    });
    std::vector<uint8_t> to((size_t)W * H * 4);
    double copy = medianMicros(rounds, 10, [&] {
        memcpy(to.data(), bits, to.size());
        ((volatile uint8_t*)to.data())[0];
    });
    SelectObject(source, oldSource);
    DeleteDC(source);
    SelectObject(dc, oldSection);
    DeleteObject(section);
    DeleteDC(dc);
    DeleteObject(bitmap);

    printRow("region 1920x1080, magenta frame", region, blit + copy, 2.0);
    printPart("floor: BitBlt into the 32-bit section", blit);
    printPart("floor: memcpy of the same bytes", copy);
    return 0;
}
