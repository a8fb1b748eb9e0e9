// The stand-in host's lifecycle, delivery to the plug-in, recording of what
// the plug-in sends, and the main-thread rule.
#include "stand_in_host.h"
#include <string.h>

namespace {
const UINT WM_RECALL = WM_APP + 1;
const char RECALL_CLASS[] = "StandInHostRecall";
// Records longer than this are not copied whole into `sent`.
const size_t MAX_RECORDED = 4096;

struct ThreadDelivery {
    StandInHost* host;
    HostMessage* message;
    int result;
};

DWORD WINAPI deliveryThread(LPVOID parameter) {
    ThreadDelivery* job = (ThreadDelivery*)parameter;
    job->result = job->host->deliver(job->message);
    return 0;
}
}  // namespace

StandInHost::StandInHost() {
    mainThreadId = GetCurrentThreadId();
    InitializeCriticalSection(&deliveryLock);
    HINSTANCE self = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = recallProc;
    wc.hInstance = self;
    wc.lpszClassName = RECALL_CLASS;
    RegisterClassExA(&wc);  // fails harmlessly when a former host registered it
    recallWindow = CreateWindowExA(0, RECALL_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, self,
                                   nullptr);
    if (recallWindow) SetWindowLongPtrA(recallWindow, GWLP_USERDATA, (LONG_PTR)this);
}

StandInHost::~StandInHost() {
    // Never leave the plug-in holding a pointer to a host that is gone.
    if (holdsPlugin && proc) runShutdown();
    unloadPlugin();
    if (recallWindow) DestroyWindow(recallWindow);
    if (icons) ImageList_Destroy(icons);
    DeleteCriticalSection(&deliveryLock);
}

bool StandInHost::loadPlugin(const char* dllPath) {
    unloadPlugin();
    if (!dllPath) return false;
    library = LoadLibraryA(dllPath);
    if (!library) return false;
    proc = (IMessageProcFn)(void*)GetProcAddress(library, "_IMessageProc@4");
    if (!proc) {
        FreeLibrary(library);
        library = nullptr;
        return false;
    }
    module = (HINSTANCE)library;
    return true;
}

void StandInHost::attachPlugin(IMessageProcFn p, HINSTANCE m) {
    unloadPlugin();
    proc = p;
    module = m;
}

void StandInHost::unloadPlugin() {
    proc = nullptr;
    if (library) FreeLibrary(library);
    library = nullptr;
    module = nullptr;
}

int StandInHost::deliver(HostMessage* message) {
    if (!proc || !message) return 0;
    DWORD thread = GetCurrentThreadId();
    EnterCriticalSection(&deliveryLock);
    HostMessage* outer = nullptr;
    auto it = delivering.find(thread);
    if (it != delivering.end()) outer = it->second;
    delivering[thread] = message;
    LeaveCriticalSection(&deliveryLock);

    int result = proc(message);

    EnterCriticalSection(&deliveryLock);
    if (outer)
        delivering[thread] = outer;
    else
        delivering.erase(thread);
    LeaveCriticalSection(&deliveryLock);
    return result;
}

int StandInHost::send(int id, intptr_t p1, intptr_t p2) {
    HostMessage2 m = {};
    m.size = sizeof(m);
    m.id = id;
    m.net = NOTIFY_NETWORK;
    m.typeMask = -1;
    m.p1 = p1;
    m.p2 = p2;
    return deliver((HostMessage*)&m);
}

int StandInHost::start() {
    holdsPlugin = true;
    return send(HOST_START, (intptr_t)static_cast<HostControl*>(this));
}
int StandInHost::declareColumns() { return send(HOST_DECLARE_COLUMNS); }
int StandInHost::declareOptions() {
    // The declarations of this answer replace those of the last.
    declared.clear();
    collectingControls = true;
    int result = send(HOST_BUILD_OPTIONS);
    collectingControls = false;
    return result;
}
int StandInHost::createWindow() { return send(HOST_WINDOW_CREATE); }
int StandInHost::destroyWindow() { return send(HOST_WINDOW_TEAR_DOWN); }
int StandInHost::stop() {
    int result = send(HOST_STOP);
    holdsPlugin = false;
    return result;
}

int StandInHost::runStartup() {
    int result = start();
    if (!result) return 0;
    declareColumns();
    declareOptions();
    createWindow();
    return result;
}

void StandInHost::runShutdown() {
    destroyWindow();
    stop();
}

int StandInHost::deliverOnThread(HostMessage* message) {
    // On the heap: a delivery that never ends must not be left writing into
    // a stack frame that is gone.
    ThreadDelivery* job = new ThreadDelivery{this, message, 0};
    HANDLE thread = CreateThread(nullptr, 0, deliveryThread, job, 0, nullptr);
    if (!thread) {
        delete job;
        return 0;
    }
    // Keep serving the recall window (and everything else) until it ends.
    for (;;) {
        DWORD wait = MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_TIMEOUT || wait == WAIT_FAILED) break;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    bool finished = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (!finished) return 0;  // the stuck delivery keeps its record
    int result = job->result;
    delete job;
    return result;
}

// --- HostControl ------------------------------------------------------------

void StandInHost::setError(int code) { errors.push_back(code); }

int StandInHost::isForeignThread(int) { return GetCurrentThreadId() != mainThreadId ? 1 : 0; }

int StandInHost::recallOnMainThread(int, int) {
    recalls++;
    EnterCriticalSection(&deliveryLock);
    HostMessage* message = nullptr;
    auto it = delivering.find(GetCurrentThreadId());
    if (it != delivering.end()) message = it->second;
    LeaveCriticalSection(&deliveryLock);
    if (!message) return 0;  // nothing is being handled on this thread
    if (GetCurrentThreadId() == mainThreadId) return deliver(message);
    if (!recallWindow) return 0;
    return (int)SendMessageA(recallWindow, WM_RECALL, 0, (LPARAM)message);
}

LRESULT CALLBACK StandInHost::recallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RECALL) {
        StandInHost* self = (StandInHost*)GetWindowLongPtrA(window, GWLP_USERDATA);
        return self ? self->deliver((HostMessage*)lParam) : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// --- messages from the plug-in ------------------------------------------------

int StandInHost::sendMessage(HostMessage* message) { return sendMessageTo(-1, message); }

int StandInHost::sendMessageTo(int plugin, HostMessage* message) {
    if (!message) {
        lastErrorCode = 1;
        return 0;
    }
    Sent record = {};
    record.plugin = plugin;
    record.size = message->size;
    size_t copy = message->size < MAX_RECORDED ? message->size : MAX_RECORDED;
    const uint8_t* raw = (const uint8_t*)message;
    record.bytes.assign(raw, raw + copy);
    record.id = record.net = record.typeMask = -1;
    if (message->size >= sizeof(HostMessage)) {
        record.id = message->id;
        record.net = message->net;
        record.typeMask = message->typeMask;
    }
    if (message->size >= sizeof(HostMessage2)) {
        record.p1 = ((HostMessage2*)message)->p1;
        record.p2 = ((HostMessage2*)message)->p2;
    }
    size_t index = sent.size();
    sent.push_back(record);

    int result = 0;
    if (message->size < sizeof(HostMessage)) {
        lastErrorCode = 1;  // no header: nobody can be addressed
    } else if (plugin >= 0) {
        if (plugin == pluginId()) {
            lastErrorCode = 0;
            result = deliver(message);
        } else {
            // Set before asking: the answer may send on and find its own.
            lastErrorCode = 0;
            if (!answerers.ask(Address::plugin(plugin), message, &result)) lastErrorCode = 1;
        }
    } else if (message->net == 0) {
        result = hostMessage(message, record);
    } else {
        result = towardsNetwork(message);
    }
    // Nested sends may have grown the vector: write through the index.
    record.result = result;
    record.bytes = sent[index].bytes;
    sent[index] = record;
    return result;
}

int StandInHost::towardsNetwork(HostMessage* message) {
    lastErrorCode = 0;
    if (message->net == NOTIFY_NETWORK) return deliver(message);
    int result = 0;
    if (!answerers.ask(Address::network(message->net), message, &result))
        lastErrorCode = 1;  // no plug-in of that network answered
    return result;
}

int StandInHost::countSent(int id) const {
    int n = 0;
    for (const Sent& s : sent)
        if (s.id == id) n++;
    return n;
}

const StandInHost::Sent* StandInHost::lastSent(int id) const {
    for (size_t i = sent.size(); i-- > 0;)
        if (sent[i].id == id) return &sent[i];
    return nullptr;
}

void StandInHost::clearRecords() {
    sent.clear();
    errors.clear();
    log.clear();
    recalls = 0;
}
