// The notification window's procedure. (Owned by the window work; the
// painting and destruction rows are what the skin code relies on.)
#include "notify_window.h"
#include <commctrl.h>
#include "placement.h"
#include "../skin/paint.h"
#include "../skin/skin.h"

HWND notificationWindow = nullptr;
bool hovering = false;

static void onDestroy(HWND window) {
    displayState = Hidden;
    TRACKMOUSEEVENT cancel = {sizeof(cancel), TME_CANCEL | TME_LEAVE, window, 0};
    _TrackMouseEvent(&cancel);
    DeleteObjectSafe(&skin.normalFont);
    DeleteObjectSafe(&skin.boldFont);
    DeleteObjectSafe(&skin.underlineFont);
    DeleteObjectSafe(&skin.boldUnderlineFont);
    DeleteObjectSafe(&skin.skinBitmap);
    DeleteObjectSafe(&composedBitmap);
}

static void onPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    PaintNotificationWindow(&paint);
    EndPaint(window, &paint);
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        onDestroy(window);
        break;
    case WM_PAINT:
        onPaint(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
