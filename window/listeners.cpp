// Listener windows of other programs: they subscribe with message 1124 and
// receive a WM_COPYDATA copy of every info record the plug-in broadcasts.
// A listener that does not take its copy in time is dropped.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "config_columns.h"
#include "held_message_selection.h"
#include "host_api.h"
#include "host_messages.h"
#include "info_record.h"
#include "notify_window.h"
#include "received_message.h"

std::vector<HWND> listeners;

// How long one listener may take over one copy. The copy stays synchronous,
// but a listener that hangs must not freeze the host's interface with it.
static const UINT LISTENER_TIMEOUT_MS = 1000;

static bool isListener(HWND window) {
    return std::find(listeners.begin(), listeners.end(), window) != listeners.end();
}

// Tells the listeners about the messages the host still holds, oldest last
// asked first, as if each had just arrived.
static void replayHeldMessages() {
    HeldMessageSelection selection = {30, {-1, 0, 1, 0, 2, -1}, 0};
    int count = hostCall(HOST_HELD_MESSAGE_COUNT, (intptr_t)&selection, 0);
    static const char empty[] = "";
    for (int i = count - 1; i >= 0; --i) {
        selection.index = i;
        ReceivedMessage held = {58, 0, 0, 0, empty, empty, empty, empty, 0, 0, 0, -2, 0, 0, 0};
        if (hostCall(HOST_HELD_MESSAGE_READ, (intptr_t)&selection, (intptr_t)&held) != 1) continue;
        int row = hostCall(HOST_CONTACT_ROW, held.net, (intptr_t)held.from);
        std::string record = setInfoField("", "name", contactDisplayName(row));
        broadcastText(NOTIFY_INFO_MESSAGE, record.c_str());
    }
}

void subscribeListener(HWND listener) {
    if (!IsWindow(listener) || isListener(listener)) return;
    listeners.push_back(listener);
    if (!configInt(COL_USEVINDLE)) return;
    replayHeldMessages();
}

void unsubscribeListener(HWND listener) {
    auto it = std::find(listeners.begin(), listeners.end(), listener);
    if (it != listeners.end()) listeners.erase(it);
}

namespace {
// One copy as a listener receives it: the record and the text it points to.
struct CopyForListener {
    COPYDATASTRUCT data;
    char text[1];
};
}  // namespace

void broadcastText(int kind, const char* text) {
    if (listeners.empty() || !text) return;
    size_t length = strlen(text);
    // A listener may subscribe or unsubscribe while it handles the copy, so
    // walk a snapshot and look each window up again before using it.
    std::vector<HWND> snapshot = listeners;
    for (HWND window : snapshot) {
        auto it = std::find(listeners.begin(), listeners.end(), window);
        if (it == listeners.end()) continue;
        if (!IsWindow(window)) {
            listeners.erase(it);
            continue;
        }
        CopyForListener* copy = (CopyForListener*)malloc(sizeof(CopyForListener) + length);
        if (!copy) return;
        memcpy(copy->text, text, length + 1);
        copy->data.dwData = (ULONG_PTR)kind;
        copy->data.cbData = (DWORD)(length + 1);
        copy->data.lpData = copy->text;
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(window, WM_COPYDATA, 0, (LPARAM)&copy->data, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                LISTENER_TIMEOUT_MS, &answer)) {
            free(copy);
            continue;
        }
        // Another process got a copy of its own. A listener thread of this
        // process may still take the message after we gave up, and would
        // read our record then: that copy is left to it, never freed.
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId()) free(copy);
        // Hung, too slow, or gone meanwhile: dropped like a dead listener.
        unsubscribeListener(window);
    }
}
