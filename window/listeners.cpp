// Listener windows of other programs: they subscribe with message 1124 and
// receive a WM_COPYDATA copy of every info record the plug-in broadcasts.
// A listener that takes too long over its copy is dropped, and one broadcast
// holds the host's thread for a bounded time whatever the listeners do.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "clock.h"
#include "config_columns.h"
#include "held_message_selection.h"
#include "host_api.h"
#include "host_messages.h"
#include "info_record.h"
#include "listeners.h"
#include "received_message.h"

std::vector<HWND> listeners;

// Copies stay synchronous, but no listener may hold the host's interface for
// long: one that takes longer than COPY_LIMIT_MS over a copy is dropped like
// a hung one, and one broadcast spends at most BROADCAST_BUDGET_MS on all of
// them together. Listeners that were slow before wait behind the others, so
// one that answers at once is not kept from its copy by them.
static const DWORD COPY_LIMIT_MS = 200;
static const DWORD BROADCAST_BUDGET_MS = 1000;
// A copy that took longer than this marks its listener as slow.
static const DWORD SLOW_COPY_MS = 50;
static std::vector<HWND> slowListeners;

static bool isSlow(HWND window) {
    return std::find(slowListeners.begin(), slowListeners.end(), window) != slowListeners.end();
}

static void setSlow(HWND window, bool slow) {
    auto it = std::find(slowListeners.begin(), slowListeners.end(), window);
    if (slow && it == slowListeners.end()) slowListeners.push_back(window);
    if (!slow && it != slowListeners.end()) slowListeners.erase(it);
}

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
    setSlow(listener, false);
}

namespace {
// One copy as a listener receives it: the record and the text it points to.
struct CopyForListener {
    COPYDATASTRUCT data;
    char text[1];
};
}  // namespace

enum CopyOutcome { COPY_TAKEN, COPY_TIMED_OUT, COPY_FAILED };

// One WM_COPYDATA to one listener. SendMessageTimeout gives up after
// `timeoutMs` of real time, which is all that keeps a hung listener from
// holding the host's thread; how long a copy took is read from the plug-in's
// clock, like every time the budget counts.
static CopyOutcome copyTo(HWND window, int kind, const char* text, size_t length, DWORD timeoutMs) {
    CopyForListener* copy = (CopyForListener*)malloc(sizeof(CopyForListener) + length);
    if (!copy) return COPY_FAILED;
    memcpy(copy->text, text, length + 1);
    copy->data.dwData = (ULONG_PTR)kind;
    copy->data.cbData = (DWORD)(length + 1);
    copy->data.lpData = copy->text;
    DWORD_PTR answer = 0;
    SetLastError(0);
    if (SendMessageTimeoutA(window, WM_COPYDATA, 0, (LPARAM)&copy->data, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                            &answer)) {
        free(copy);
        return COPY_TAKEN;
    }
    const bool timedOut = GetLastError() == ERROR_TIMEOUT;
    // Another process got a copy of its own. A listener thread of this
    // process may still take the message after we gave up, and would read
    // our record then: that copy is left to it, never freed.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) free(copy);
    return timedOut ? COPY_TIMED_OUT : COPY_FAILED;
}

void broadcastText(int kind, const char* text) {
    if (listeners.empty() || !text) return;
    const size_t length = strlen(text);
    // A listener may subscribe or unsubscribe while it handles the copy, so
    // walk a snapshot and look each window up again before using it. The
    // slow ones come last.
    std::vector<HWND> order = listeners;
    std::stable_partition(order.begin(), order.end(), [](HWND w) { return !isSlow(w); });
    std::vector<DWORD> stuckThreads;  // a copy to them ran out of time just now
    const DWORD start = currentTick();
    for (HWND window : order) {
        if (!isListener(window)) continue;
        if (!IsWindow(window)) {
            unsubscribeListener(window);
            continue;
        }
        const DWORD spent = currentTick() - start;
        // Out of time: the rest miss this record and keep their subscription.
        if (spent >= BROADCAST_BUDGET_MS) break;
        // The thread is still busy with the copy that ran out: its other
        // windows cannot take theirs now.
        const DWORD thread = GetWindowThreadProcessId(window, nullptr);
        if (std::find(stuckThreads.begin(), stuckThreads.end(), thread) != stuckThreads.end()) continue;
        const DWORD left = BROADCAST_BUDGET_MS - spent;
        const DWORD timeout = left < COPY_LIMIT_MS ? left : COPY_LIMIT_MS;
        const DWORD before = currentTick();
        const CopyOutcome outcome = copyTo(window, kind, text, length, timeout);
        const DWORD took = currentTick() - before;
        // A copy answered is over its time only when the clock says so: on
        // the system's clock that is within a tick of the real timeout.
        if (outcome == COPY_TAKEN && took <= timeout) {
            setSlow(window, took > SLOW_COPY_MS);
            continue;
        }
        // A thread that answered late is free again; one that ran out is not.
        if (outcome == COPY_TIMED_OUT) stuckThreads.push_back(thread);
        // Hung, over the limit, or gone meanwhile: dropped like a dead
        // listener. One cut short only by the broadcast's budget is kept,
        // behind the others.
        if (outcome != COPY_FAILED && timeout < COPY_LIMIT_MS)
            setSlow(window, true);
        else
            unsubscribeListener(window);
    }
}
