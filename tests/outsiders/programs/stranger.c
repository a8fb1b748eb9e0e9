/* stranger.exe WINDOW ID: another program that found the notification window
 * (its handle in hexadecimal) and sends it the plug-in's private messages
 * with pointers that mean nothing in the window's process, a hide-all, the
 * removals of a contact's notifications and of notification ID, a
 * WM_CLOSE, and the session's and the power setting's notices, the latter
 * with records that are not in the window's process. Prints each answer as
 * "MESSAGE LPARAM -> RESULT". */
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
    /* The session says it is locked; the display says it is off, by a
     * record of this process (GUID_CONSOLE_DISPLAY_STATE, 4 bytes, 0). */
    sendTo(window, WM_WTSSESSION_CHANGE, 7, 0);
    static const DWORD displayOff[6] = {0x6fe69556, 0x47a0704a, 0x8dc2248f, 0x47da6f93, 4, 0};
    const LPARAM records[] = {0x10, (LPARAM)0xDEADBEEF, (LPARAM)0x7FFEFFFC, (LPARAM)displayOff};
    for (int i = 0; i < 4; i++) sendTo(window, WM_POWERBROADCAST, 0x8013, records[i]);
    printf("done\n");
    return 0;
}
