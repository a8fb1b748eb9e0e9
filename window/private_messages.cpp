// The marks of the private messages the plug-in is sending. A send on the
// window's own thread calls the procedure directly, so its mark is taken
// before anything else can run there. A send from another thread waits in
// the window thread's queue; its mark names the sending thread, and only a
// message that really came from another thread may take it.
#include "private_messages.h"

namespace {
struct OwnSend {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD thread;
    bool taken;
};

// Sends nest (a handler may send again) and several host threads may send at
// once; deeper nesting than this is refused rather than left unmarked.
const int MAX_PENDING = 32;
OwnSend pending[MAX_PENDING];
bool inUse[MAX_PENDING];
volatile LONG busy = 0;

// Holds the marks for a few instructions; senders on other threads wait.
class MarksLock {
public:
    MarksLock() {
        while (InterlockedExchange(&busy, 1) != 0) Sleep(0);
    }
    ~MarksLock() { InterlockedExchange(&busy, 0); }
};

int mark(UINT message, WPARAM wParam, LPARAM lParam) {
    MarksLock lock;
    for (int i = 0; i < MAX_PENDING; i++) {
        if (inUse[i]) continue;
        inUse[i] = true;
        pending[i] = OwnSend{message, wParam, lParam, GetCurrentThreadId(), false};
        return i;
    }
    return -1;
}

void unmark(int slot) {
    MarksLock lock;
    inUse[slot] = false;
}
}  // namespace

LRESULT sendPrivateMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) return 0;
    const int slot = mark(message, wParam, lParam);
    if (slot < 0) return 0;
    LRESULT result = SendMessageA(window, message, wParam, lParam);
    unmark(slot);
    return result;
}

bool sentByPlugin(UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD thread = GetCurrentThreadId();
    const bool fromOtherThread = InSendMessage() != FALSE;
    MarksLock lock;
    for (int i = MAX_PENDING - 1; i >= 0; i--) {
        OwnSend& s = pending[i];
        if (!inUse[i] || s.taken || s.message != message || s.wParam != wParam || s.lParam != lParam) continue;
        // The window's own thread calls its procedure directly; a mark of
        // another thread is for a message that crossed threads.
        if (s.thread == thread || fromOtherThread) {
            s.taken = true;
            return true;
        }
    }
    return false;
}
