/* stranger.exe WINDOW ID: another program that found the notification window
 * (its handle in hexadecimal) and sends it the plug-in's private messages
 * with pointers that mean nothing in the window's process, a hide-all, the
 * removals of a contact's notifications and of notification ID, and a
 * WM_CLOSE. Prints each answer as "MESSAGE LPARAM -> RESULT". */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static void sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer)) {
        printf("%u 0x%lx -> no answer\n", message, (unsigned long)lParam);
        return;
    }
    printf("%u 0x%lx -> %ld\n", message, (unsigned long)lParam, (long)(LONG_PTR)answer);
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HWND window = (HWND)(ULONG_PTR)strtoul(argv[1], NULL, 16);
    WPARAM id = (WPARAM)strtoul(argv[2], NULL, 10);
    if (!IsWindow(window)) return 1;
    /* A block that reads as a request in this process, and wild pointers. */
    static const char text[] = "Not yours";
    ULONG_PTR request[8] = {(ULONG_PTR)text, 0, 0, 0, 1, 0, 0, 0};
    const LPARAM wild[] = {0x10, (LPARAM)0xDEADBEEF, (LPARAM)request};
    for (int i = 0; i < 3; i++) sendTo(window, 2025, 0, wild[i]);
    for (int i = 0; i < 3; i++) sendTo(window, 2029, 2, wild[i]);
    sendTo(window, 2026, 0, 0);
    sendTo(window, 2027, 1, 0);
    sendTo(window, 2028, id, 0);
    sendTo(window, WM_CLOSE, 0, 0);
    printf("done\n");
    return 0;
}
