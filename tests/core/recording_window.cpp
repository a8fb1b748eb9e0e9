#include "recording_window.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"

static const char CLASS_NAME[] = "CoreTestRecordingWindow";

RecordingWindow::RecordingWindow() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = CLASS_NAME;
    RegisterClassExA(&wc);
    handle = CreateWindowExA(0, CLASS_NAME, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(handle, GWLP_USERDATA, (LONG_PTR)this);
    notificationWindow = handle;
}

RecordingWindow::~RecordingWindow() {
    if (notificationWindow == handle) notificationWindow = nullptr;
    if (!destroyed && IsWindow(handle)) DestroyWindow(handle);
}

LRESULT CALLBACK RecordingWindow::proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    RecordingWindow* self = (RecordingWindow*)GetWindowLongPtrA(w, GWLP_USERDATA);
    if (!self) return DefWindowProcA(w, m, wp, lp);
    if (m == WM_DESTROY) {
        self->destroyed = true;
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        return 0;
    }
    if (m >= MSG_SUBSCRIBE && m <= MSG_BROADCAST_TEXT) {
        RecordedMessage r = {m, wp, std::string()};
        if (m == MSG_BROADCAST_TEXT && lp) r.text = (const char*)lp;
        self->messages.push_back(r);
    }
    if (m == MSG_ADD_NOTIFICATION) {
        const NotificationRequest* n = (const NotificationRequest*)lp;
        self->requests.push_back(recordRequest(*n));
        return self->addResult;
    }
    if (m >= MSG_SUBSCRIBE && m <= MSG_BROADCAST_TEXT) return 0;
    return DefWindowProcA(w, m, wp, lp);
}
