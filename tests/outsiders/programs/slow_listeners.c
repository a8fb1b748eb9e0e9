/* slow_listeners.exe WINDOW COUNT DELAY_MS SECONDS: a program with COUNT
 * listener windows on one thread, each taking DELAY_MS over every copy it
 * gets, and one fast listener on a thread of its own, subscribed last, that
 * prints each record it gets as "fast: RECORD" at once. All are subscribed
 * to WINDOW (hexadecimal); "ready" is printed when they are, and the program
 * ends after SECONDS. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static HWND target;
static int count, delayMs, seconds;
static HANDLE slowReady;

static LRESULT CALLBACK slowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COPYDATA) {
        Sleep((DWORD)delayMs);
        return TRUE;
    }
    return DefWindowProcA(w, m, wp, lp);
}

static LRESULT CALLBACK fastProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COPYDATA) {
        const COPYDATASTRUCT* d = (const COPYDATASTRUCT*)lp;
        const char* text = (const char*)d->lpData;
        printf("fast:");
        for (DWORD i = 0; i + 1 < d->cbData; i++) putchar(text[i] == 26 ? ' ' : text[i]);
        printf("\n");
        fflush(stdout);
        return TRUE;
    }
    return DefWindowProcA(w, m, wp, lp);
}

static HWND makeWindow(WNDPROC proc, const char* name) {
    WNDCLASSA c = {0};
    c.lpfnWndProc = proc;
    c.hInstance = GetModuleHandleA(NULL);
    c.lpszClassName = name;
    RegisterClassA(&c);
    return CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, c.hInstance, NULL);
}

static void pumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

static DWORD WINAPI slowThread(LPVOID unused) {
    (void)unused;
    HWND* windows = (HWND*)calloc((size_t)count, sizeof(HWND));
    for (int i = 0; i < count; i++) {
        windows[i] = makeWindow(slowProc, "SlowListener");
        SendMessageA(target, 1124, (WPARAM)windows[i], 0);
    }
    SetEvent(slowReady);
    pumpFor((DWORD)seconds * 1000);
    free(windows);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 5) return 2;
    target = (HWND)(ULONG_PTR)strtoul(argv[1], NULL, 16);
    count = atoi(argv[2]);
    delayMs = atoi(argv[3]);
    seconds = atoi(argv[4]);
    if (!IsWindow(target) || count < 0) return 1;
    slowReady = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE slow = CreateThread(NULL, 0, slowThread, NULL, 0, NULL);
    WaitForSingleObject(slowReady, 30000);
    HWND fast = makeWindow(fastProc, "FastListener");
    SendMessageA(target, 1124, (WPARAM)fast, 0);
    printf("ready\n");
    fflush(stdout);
    pumpFor((DWORD)seconds * 1000);
    SendMessageTimeoutA(target, 1125, (WPARAM)fast, 0, SMTO_NORMAL, 2000, NULL);
    WaitForSingleObject(slow, 30000);
    return 0;
}
