/* listener.exe: prints the info records that the Vorlane Notify plug-in
 * copies to subscribed windows.
 *
 * usage: listener [--count N] [--seconds S] [--process PROGRAM]
 *
 * It finds the notification window by its class, subscribes a window of its
 * own (NOTIFY_SUBSCRIBE, wParam = that window), prints every record it
 * receives by WM_COPYDATA as one line, "kind K:" and the fields as
 * key=value, and unsubscribes (NOTIFY_UNSUBSCRIBE) when it ends: on Ctrl+C,
 * after N records, after S seconds, or when the notification window is
 * gone. Texts are printed as they come (Windows-1250).
 * Several messengers may run in one session, each with the plug-in's window:
 * --process names the one to listen to, by its program's file name
 * (Vorlane.exe) or, with a backslash in it, by its full path; without it the
 * first window of the class is taken.
 * Exit status: 0 after a subscription, 1 when there is no notification
 * window, 2 for bad arguments.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "vorlane_notify.h"

static DWORD mainThread;
static long recordsLeft = -1; /* -1: no limit */

static void printRecord(ULONG_PTR kind, const char* data, size_t size) {
    size_t position = 0;
    NotifyInfoField field;
    printf("kind %lu:", (unsigned long)kind);
    while (notifyNextInfoField(data, size, &position, &field))
        printf(" %.*s=%.*s", (int)field.keyLength, field.key, (int)field.valueLength, field.value);
    printf("\n");
    fflush(stdout);
}

static LRESULT CALLBACK listenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* copy = (const COPYDATASTRUCT*)lParam;
        if (copy) printRecord(copy->dwData, (const char*)copy->lpData, copy->lpData ? copy->cbData : 0);
        if (recordsLeft > 0 && --recordsLeft == 0) PostQuitMessage(0);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static BOOL WINAPI onConsoleEvent(DWORD event) {
    (void)event;
    PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    return TRUE;
}

static int usage(void) {
    fprintf(stderr, "usage: listener [--count N] [--seconds S] [--process PROGRAM]\n");
    return 2;
}

/* Whether the process of `window` runs `program`: its full path when that
 * holds a backslash, else its file name, compared as Windows does. */
static int runsProgram(HWND window, const char* program) {
    DWORD pid = 0, length = MAX_PATH;
    char path[MAX_PATH] = "";
    const char* name = path;
    int match = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return 0;
    if (QueryFullProcessImageNameA(process, 0, path, &length)) {
        if (!strchr(program, '\\') && strrchr(path, '\\')) name = strrchr(path, '\\') + 1;
        match = lstrcmpiA(name, program) == 0;
    }
    CloseHandle(process);
    return match;
}

/* The notification window: the first of the class, or the first of the
 * class whose process runs `program`. */
static HWND findNotificationWindow(const char* program) {
    HWND w = NULL;
    while ((w = FindWindowExA(NULL, w, NOTIFY_CLASS_NAME, NULL)) != NULL)
        if (!program || runsProgram(w, program)) return w;
    return NULL;
}

int main(int argc, char** argv) {
    long seconds = -1;
    const char* program = NULL;
    int i;
    for (i = 1; i < argc; i++) {
        char* end = NULL;
        long value;
        if (i + 1 >= argc) return usage();
        if (!strcmp(argv[i], "--process")) {
            program = argv[++i];
            continue;
        }
        value = strtol(argv[i + 1], &end, 10);
        if (!end || *end || value <= 0) return usage();
        if (!strcmp(argv[i], "--count")) recordsLeft = value;
        else if (!strcmp(argv[i], "--seconds")) seconds = value;
        else return usage();
        i++;
    }

    HWND notifyWindow = findNotificationWindow(program);
    if (!notifyWindow) {
        if (program)
            fprintf(stderr, "listener: no notification window of %s (is the plug-in running there?)\n", program);
        else
            fprintf(stderr, "listener: no notification window (is the plug-in running?)\n");
        return 1;
    }
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = listenerProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "NotifyListenerExample";
    RegisterClassA(&wc);
    /* A message-only window: it receives records and never shows. */
    HWND self = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
    if (!self) return 1;

    mainThread = GetCurrentThreadId();
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    SendMessageA(notifyWindow, NOTIFY_SUBSCRIBE, (WPARAM)self, 0);
    printf("subscribed to %p\n", (void*)notifyWindow);
    fflush(stdout);

    /* Twice a second: has the time run out, does the window still exist? */
    SetTimer(NULL, 0, 500, NULL);
    DWORD start = GetTickCount();
    MSG m;
    while (GetMessageA(&m, NULL, 0, 0) > 0) {
        if (m.message == WM_TIMER && m.hwnd == NULL) {
            if (!IsWindow(notifyWindow)) break;
            if (seconds > 0 && GetTickCount() - start >= (DWORD)seconds * 1000) break;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }

    DWORD_PTR ignored;
    if (IsWindow(notifyWindow))
        SendMessageTimeoutA(notifyWindow, NOTIFY_UNSUBSCRIBE, (WPARAM)self, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    printf("unsubscribed\n");
    DestroyWindow(self);
    return 0;
}
