#include "user_presence.h"

QueryUserNotificationStateFn queryUserNotificationState = nullptr;

static HMODULE shell = nullptr;

void lookUpUserNotificationState() {
    dropUserNotificationState();
    shell = LoadLibraryA("shell32.dll");
    if (shell)
        queryUserNotificationState =
            (QueryUserNotificationStateFn)(void*)GetProcAddress(shell, "SHQueryUserNotificationState");
}

void dropUserNotificationState() {
    queryUserNotificationState = nullptr;
    if (shell) FreeLibrary(shell);
    shell = nullptr;
}

bool userIsBusy() {
    if (!queryUserNotificationState) return false;
    int state = 0;
    if (FAILED(queryUserNotificationState(&state))) return false;
    return state == USER_BUSY || state == USER_D3D_FULL_SCREEN || state == USER_PRESENTING;
}

bool userNotPresent() {
    if (!queryUserNotificationState) return false;
    int state = 0;
    return SUCCEEDED(queryUserNotificationState(&state)) && state == USER_NOT_PRESENT;
}
