// Figures for composing and for colour-key regions. Prints microseconds per
// call; for the region also nanoseconds per pixel against one memcpy of the
// same bytes.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <vector>
#include "host/stand_in_host.h"
#include "skin/paint.h"
#include "skin/shape.h"
#include "skin/skin.h"
#include "support/skin_scene.h"
#include "window/queue.h"

static double now() {
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)frequency.QuadPart;
}

template <typename F> static double microsPerCall(int calls, F f) {
    f();  // warm up
    double start = now();
    for (int i = 0; i < calls; i++) f();
    return (now() - start) * 1e6 / calls;
}

static void fillQueue(int lines) {
    notificationQueue.clear();
    for (int i = 0; i < lines; i++) addLine("Wiadomość od <b>Ola<b>: czy będziesz jutro?");
}

int main() {
    StandInHost stand;
    beginSkinScene(&stand);
    printf("%-40s %12s\n", "case", "us/call");
    for (int lines : {1, 20, 100}) {
        fillQueue(lines);
        double us = microsPerCall(lines == 100 ? 50 : 200, [] { ComposeNotifications(); });
        printf("compose default look, %3d lines          %12.1f\n", lines, us);
    }

    std::vector<uint32_t> tile(30 * 20);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++) tile[y * 30 + x] = 0xFF000000 | (x * 8) << 16 | (y * 12) << 8 | 0x40;
    useSkinBitmap(makeBitmap(30, 20, tile), 5);
    skin.sizingType = 1;
    for (int lines : {1, 20, 100}) {
        fillQueue(lines);
        double us = microsPerCall(lines == 100 ? 50 : 200, [] { ComposeNotifications(); });
        printf("compose tiled skin, %3d lines            %12.1f\n", lines, us);
    }
    notificationQueue.clear();

    const int W = 1920, H = 1080, frame = 8;
    std::vector<uint32_t> picture = solid(W, H, 0xFF204080);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (x < frame || y < frame || x >= W - frame || y >= H - frame) picture[(size_t)y * W + x] = 0xFFFF00FF;
    HBITMAP bitmap = makeBitmap(W, H, picture);
    double regionUs = microsPerCall(5, [&] {
        HRGN r = RegionFromColorKey(bitmap, 0x00FF00FF, 0x00101010);
        if (r) DeleteObject(r);
    });
    std::vector<uint8_t> from((size_t)W * H * 4, 1), to(from.size());
    double copyUs = microsPerCall(20, [&] {
        memcpy(to.data(), from.data(), from.size());
        from[to[7] % from.size()]++;  // keep the copy from being dropped
    });
    double pixels = (double)W * H;
    printf("region 1920x1080, magenta frame          %12.1f   %.2f ns/pixel\n", regionUs, regionUs * 1000 / pixels);
    printf("memcpy of the same %zu bytes          %12.1f   %.2f ns/pixel\n", from.size(), copyUs,
           copyUs * 1000 / pixels);
    printf("region / memcpy                          %12.1f x\n", regionUs / copyUs);
    DeleteObject(bitmap);
    endSkinScene();
    return 0;
}
