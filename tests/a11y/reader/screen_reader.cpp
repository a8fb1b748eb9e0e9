// A screen reader for the tests: from its own process it hears the
// notification window's events and reads the window through MSAA, as
// screen readers do, and prints what it read (texts in Windows-1250).
//
//   screen_reader.exe PID STEP...
//
// PID is the process that owns the window. The reader sets the event
// "VorlaneReaderDone-PID" once its hooks are in place and after each step;
// a step starts when the host sets "VorlaneReaderGo-PID". Each step first
// prints the events heard since the one before, oldest first:
//   alert K role=R name=N description=D action=A    (line feeds as \n)
//   reorder
// then does its work:
//   read      "children N: NAME [ROLE] | NAME [ROLE] ..."
//   act:K     child K's default action: "act K: HRESULT"
//   select:K  child K asked to take the focus: "select K: HRESULT"
//   hold      keeps the client object for a later step
//   held      calls on the kept object: "held: count HR name HR act HR"
// Exit code 0 after the last step, 1 when the host stopped answering, 2 for
// bad arguments.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <ole2.h>
#include <oleacc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {
struct Heard {
    DWORD event;
    HWND window;
    LONG object, child;
};
std::vector<Heard> heard;
DWORD hostProcess = 0;

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    heard.push_back(Heard{event, window, object, child});
}

std::string text(BSTR b) {
    if (!b) return "";
    int n = WideCharToMultiByte(1250, 0, b, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? (size_t)n : 1, '\0');
    if (n > 0) WideCharToMultiByte(1250, 0, b, -1, &out[0], n, nullptr, nullptr);
    out.resize(strlen(out.c_str()));
    std::string escaped;
    for (char c : out) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    return escaped;
}

VARIANT childId(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string nameOf(IAccessible* acc, VARIANT id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR b = nullptr;
    HRESULT hr = (acc->*get)(id, &b);
    std::string s = hr == S_OK ? text(b) : "";
    SysFreeString(b);
    return s;
}

BOOL CALLBACK findWindow(HWND w, LPARAM found) {
    char name[64] = "";
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == hostProcess && GetClassNameA(w, name, sizeof(name)) && !strcmp(name, "VorlaneNotifyWindow")) {
        *(HWND*)found = w;
        return FALSE;
    }
    return TRUE;
}

IAccessible* clientObject() {
    HWND window = nullptr;
    EnumWindows(findWindow, (LPARAM)&window);
    IAccessible* acc = nullptr;
    if (window && FAILED(AccessibleObjectFromWindow(window, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&acc)))
        acc = nullptr;
    return acc;
}

void printHeard() {
    for (const Heard& h : heard) {
        if (h.event == EVENT_OBJECT_REORDER) {
            printf("reorder\n");
            continue;
        }
        IAccessible* acc = nullptr;
        VARIANT id;
        VariantInit(&id);
        if (FAILED(AccessibleObjectFromEvent(h.window, (DWORD)h.object, (DWORD)h.child, &acc, &id)) || !acc) {
            printf("alert %ld unreadable\n", h.child);
            continue;
        }
        VARIANT role;
        VariantInit(&role);
        acc->get_accRole(id, &role);
        printf("alert %ld role=%ld name=%s description=%s action=%s\n", h.child, role.vt == VT_I4 ? role.lVal : -1,
               nameOf(acc, id, &IAccessible::get_accName).c_str(),
               nameOf(acc, id, &IAccessible::get_accDescription).c_str(),
               nameOf(acc, id, &IAccessible::get_accDefaultAction).c_str());
        VariantClear(&id);
        acc->Release();
    }
    heard.clear();
}

void readChildren() {
    IAccessible* acc = clientObject();
    LONG count = -1;
    if (!acc || FAILED(acc->get_accChildCount(&count))) {
        printf("children unreadable\n");
        if (acc) acc->Release();
        return;
    }
    std::vector<VARIANT> children((size_t)count + 1);
    LONG got = 0;
    if (count > 0 && FAILED(AccessibleChildren(acc, 0, count, children.data(), &got))) got = 0;
    printf("children %ld:", count);
    for (LONG i = 0; i < got; i++) {
        std::string name = "?";
        VARIANT role;
        VariantInit(&role);
        if (children[i].vt == VT_I4) {
            name = nameOf(acc, children[i], &IAccessible::get_accName);
            acc->get_accRole(children[i], &role);
        }
        printf("%s %s [%ld]", i ? " |" : "", name.c_str(), role.vt == VT_I4 ? role.lVal : -1);
        VariantClear(&children[i]);
    }
    printf("\n");
    acc->Release();
}

// Waits for the host's go, taking the events meanwhile.
bool waitFor(HANDLE go) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        DWORD spent = GetTickCount() - start;
        if (spent >= 60000) return false;
        DWORD r = MsgWaitForMultipleObjects(1, &go, FALSE, 60000 - spent, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        if (r != WAIT_OBJECT_0 + 1) return false;
    }
    // Events raised before the go are in the queue by now.
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !(hostProcess = strtoul(argv[1], nullptr, 10))) {
        fprintf(stderr, "usage: screen_reader.exe PID STEP...\n");
        return 2;
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    _setmode(_fileno(stdout), _O_BINARY);  // line feeds as they are
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string suffix = std::to_string(hostProcess);
    HANDLE go = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, ("VorlaneReaderGo-" + suffix).c_str());
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, ("VorlaneReaderDone-" + suffix).c_str());
    if (!go || !done) {
        fprintf(stderr, "screen_reader: the host's events are missing\n");
        return 2;
    }
    HWINEVENTHOOK alerts = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, onEvent, hostProcess, 0,
                                           WINEVENT_OUTOFCONTEXT);
    HWINEVENTHOOK reorders = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, onEvent,
                                             hostProcess, 0, WINEVENT_OUTOFCONTEXT);
    SetEvent(done);

    IAccessible* kept = nullptr;
    int result = 0;
    for (int i = 2; i < argc && result == 0; i++) {
        if (!waitFor(go)) {
            printf("the host did not go on before step %d\n", i - 1);
            result = 1;
            break;
        }
        printHeard();
        std::string step = argv[i];
        LONG k = step.find(':') != std::string::npos ? atol(step.c_str() + step.find(':') + 1) : 0;
        IAccessible* acc = nullptr;
        if (step == "read") {
            readChildren();
        } else if (step.compare(0, 4, "act:") == 0 && (acc = clientObject())) {
            printf("act %ld: 0x%08lx\n", k, (unsigned long)acc->accDoDefaultAction(childId(k)));
        } else if (step.compare(0, 7, "select:") == 0 && (acc = clientObject())) {
            printf("select %ld: 0x%08lx\n", k,
                   (unsigned long)acc->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, childId(k)));
        } else if (step == "hold") {
            kept = clientObject();
            printf("hold: %s\n", kept ? "kept" : "nothing");
        } else if (step == "held" && kept) {
            LONG count = 0;
            BSTR name = nullptr;
            HRESULT c = kept->get_accChildCount(&count);
            HRESULT n = kept->get_accName(childId(1), &name);
            HRESULT a = kept->accDoDefaultAction(childId(1));
            printf("held: count 0x%08lx name 0x%08lx act 0x%08lx\n", (unsigned long)c, (unsigned long)n,
                   (unsigned long)a);
            SysFreeString(name);
        } else {
            printf("step %s: nothing to do it on\n", step.c_str());
        }
        if (acc) acc->Release();
        SetEvent(done);
    }
    if (kept) kept->Release();
    UnhookWinEvent(alerts);
    UnhookWinEvent(reorders);
    CoUninitialize();
    return result;
}
