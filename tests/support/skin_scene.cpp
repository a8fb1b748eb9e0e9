#include "skin_scene.h"
#include <stdio.h>
#include <stdlib.h>
#include "core/dispatch.h"
#include "contract/plugin_state.h"
#include "skin/paint.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "window/notify_window.h"
#include "skin/gdi_guards.h"
#include "core/entry.h"

std::vector<RecordedRequest> recordedRequests;

static HHOOK recorder = nullptr;
static UpdateLayeredWindowFn systemLayering = nullptr;

// Sees every message sent on this thread before the window procedure runs
// it, so the requests are recorded while the plug-in's own procedure
// handles them.
static LRESULT CALLBACK recordSent(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && sent && sent->message == MSG_ADD_NOTIFICATION && sent->lParam &&
        sent->hwnd == notificationWindow) {
        const NotificationRequest* r = (const NotificationRequest*)sent->lParam;
        recordedRequests.push_back(recordRequest(*r));
    }
    return CallNextHookEx(recorder, code, wParam, lParam);
}

// The plug-in's own start-up, once per process: DevIL set up, the window
// class registered, UpdateLayeredWindow looked up.
static void startOnce(StandInHost* stand) {
    static bool started = false;
    if (started) return;
    started = true;
    stand->attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    if (!startPlugin(stand)) {
        fprintf(stderr, "the plug-in's start-up refused (image library too old?)\n");
        abort();
    }
    systemLayering = updateLayeredWindow;
}

void useSystemLayering() { updateLayeredWindow = systemLayering; }

void beginSkinScene(StandInHost* stand) {
    startOnce(stand);
    useSystemLayering();
    host = stand;
    recordedRequests.clear();
    notificationQueue.clear();
    if (!recorder) recorder = SetWindowsHookExA(WH_CALLWNDPROC, recordSent, nullptr, GetCurrentThreadId());
    ResetDefaultLook();
}

void endSkinScene() {
    if (notificationWindow) DestroyWindow(notificationWindow);
    notificationWindow = nullptr;
    notificationQueue.clear();
    DeleteObjectSafe(&composedBitmap);
    DeleteObjectSafe(&skin.skinBitmap);
    if (recorder) UnhookWindowsHookEx(recorder);
    recorder = nullptr;
    host = nullptr;
    useSystemLayering();
    pumpMessages();
}

void addLine(const std::string& text, HICON icon, HIMAGELIST list, int index, int clickable) {
    NotificationEntry e = {};
    e.id = 1;
    e.text = text;
    e.icon = icon;
    e.imageList = list;
    e.imageIndex = index;
    e.expiresAt = -1;
    e.clickable = clickable;
    e.originContact = -2;
    notificationQueue.append(e);
}

std::vector<uint32_t> solid(int width, int height, uint32_t colour) {
    return std::vector<uint32_t>((size_t)width * height, colour);
}

std::vector<uint32_t> composedPixels(int* width, int* height) { return readPixels(composedBitmap, width, height); }

static bool ink(const std::vector<uint32_t>& px, int width, uint32_t background, int x, int y0, int y1) {
    for (int y = y0; y < y1; y++)
        if ((pixelAt(px, width, x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) return true;
    return false;
}

int firstInk(const std::vector<uint32_t>& px, int width, uint32_t background, int x0, int x1, int y0, int y1) {
    for (int x = x0; x < x1; x++)
        if (ink(px, width, background, x, y0, y1)) return x;
    return -1;
}

int lastInk(const std::vector<uint32_t>& px, int width, uint32_t background, int x0, int x1, int y0, int y1) {
    for (int x = x1 - 1; x >= x0; x--)
        if (ink(px, width, background, x, y0, y1)) return x;
    return -1;
}

void writeSkin(const TempDir& dir, const std::string& name, const std::string& text) {
    dir.write(name + ".ini", text);
}

HBITMAP makeBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HICON solidIcon(COLORREF colour) {
    uint32_t argb = 0xFF000000 | rgbOf(colour);
    HBITMAP colourBits = makeBitmap(16, 16, solid(16, 16, argb));
    std::vector<uint8_t> maskBits(16 * 2, 0);  // all opaque
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, mask, colourBits};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colourBits);
    DeleteObject(mask);
    return icon;
}

void useSkinBitmap(HBITMAP bitmap, int slice) {
    DeleteObjectSafe(&skin.skinBitmap);
    skin.skinBitmap = bitmap;
    BITMAP bm = {};
    GetObjectA(bitmap, sizeof(bm), &bm);
    skin.bitmapWidth = bm.bmWidth;
    skin.bitmapHeight = bm.bmHeight;
    skin.sizingLeft = skin.sizingTop = skin.sizingRight = skin.sizingBottom = slice;
}
