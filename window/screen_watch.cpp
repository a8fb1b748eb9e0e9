#include "screen_watch.h"
#include <stddef.h>
#include "user_presence.h"

namespace {
// The display's state setting and its values (GUID_CONSOLE_DISPLAY_STATE).
const GUID CONSOLE_DISPLAY_STATE = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const DWORD DISPLAY_OFF = 0, DISPLAY_ON = 1, DISPLAY_DIMMED = 2;
const WPARAM POWER_SETTING_CHANGE = 0x8013;  // PBT_POWERSETTINGCHANGE

// POWERBROADCAST_SETTING holding a 4-byte value.
struct PowerSettingRecord {
    GUID setting;
    DWORD length;
    DWORD value;
};

// wtsapi32's session calls, looked up by name while a window is watched.
typedef BOOL(WINAPI* RegisterSessionFn)(HWND, DWORD);
typedef BOOL(WINAPI* UnregisterSessionFn)(HWND);
typedef BOOL(WINAPI* QuerySessionFn)(HANDLE, DWORD, int, LPWSTR*, DWORD*);
typedef void(WINAPI* FreeMemoryFn)(PVOID);
typedef PVOID(WINAPI* RegisterPowerFn)(HANDLE, const GUID*, DWORD);
typedef BOOL(WINAPI* UnregisterPowerFn)(PVOID);

const int SESSION_INFO_EX = 25;     // WTSSessionInfoEx
const LONG SESSION_LOCKED = 0;      // WTS_SESSIONSTATE_LOCK
const int SESSION_CONNECTED = 0;    // WTSActive
const DWORD THIS_SESSION = 0;       // NOTIFY_FOR_THIS_SESSION
const DWORD CURRENT_SESSION = (DWORD)-1;

// WTSINFOEXW at level 1: the level, then the session's record, which its
// 64-bit times align to 8 bytes.
struct SessionRecord {
    ULONG sessionId;
    int state;   // WTS_CONNECTSTATE_CLASS
    LONG flags;  // WTS_SESSIONSTATE_*
    WCHAR station[33], user[21], domain[18];
    LARGE_INTEGER logon, connect, disconnect, lastInput, current;
    DWORD bytesIn, bytesOut, framesIn, framesOut, compressedIn, compressedOut;
};
struct SessionInfo {
    DWORD level;
    union {
        SessionRecord level1;
    } data;
};
static_assert(offsetof(SessionInfo, data) == 8, "the record starts at 8");
static_assert(offsetof(SessionRecord, logon) == 160, "WTSINFOEX_LEVEL1_W's layout");

HMODULE wts = nullptr;
RegisterSessionFn registerSession = nullptr;
UnregisterSessionFn unregisterSession = nullptr;
QuerySessionFn querySession = nullptr;
FreeMemoryFn freeMemory = nullptr;
UnregisterPowerFn unregisterPower = nullptr;
PVOID powerNotice = nullptr;

bool sessionUnseen = false;
bool displayOff = false;

bool systemScreenSaver() {
    BOOL running = FALSE;
    return SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}

// Locked, or not connected (switched away from, or left by a remote
// connection), as the system tells; seen where it cannot tell.
bool systemSessionUnseen() {
    if (!querySession || !freeMemory) return false;
    LPWSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!querySession(nullptr, CURRENT_SESSION, SESSION_INFO_EX, &buffer, &bytes) || !buffer) return false;
    bool unseen = false;
    if (bytes >= offsetof(SessionInfo, data) + offsetof(SessionRecord, station)) {
        const SessionInfo* info = (const SessionInfo*)buffer;
        const SessionRecord& session = info->data.level1;
        if (info->level == 1) unseen = session.flags == SESSION_LOCKED || session.state != SESSION_CONNECTED;
    }
    freeMemory(buffer);
    return unseen;
}

// Whether [p, p + size) is committed memory of this process that may be read.
bool readableHere(const void* p, size_t size) {
    const char* at = (const char*)p;
    const char* end = at + size;
    if (!at || end < at) return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region;
        if (!VirtualQuery(at, &region, sizeof(region))) return false;
        if (region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) ||
            !(region.Protect & readable))
            return false;
        at = (const char*)region.BaseAddress + region.RegionSize;
    }
    return true;
}
}  // namespace

ScreenQuery screenSaverQuery = systemScreenSaver;
ScreenQuery sessionUnseenQuery = systemSessionUnseen;

void watchScreen(HWND window) {
    stopWatchingScreen(nullptr);
    wts = LoadLibraryA("wtsapi32.dll");
    if (wts) {
        registerSession = (RegisterSessionFn)(void*)GetProcAddress(wts, "WTSRegisterSessionNotification");
        unregisterSession = (UnregisterSessionFn)(void*)GetProcAddress(wts, "WTSUnRegisterSessionNotification");
        querySession = (QuerySessionFn)(void*)GetProcAddress(wts, "WTSQuerySessionInformationW");
        freeMemory = (FreeMemoryFn)(void*)GetProcAddress(wts, "WTSFreeMemory");
        if (registerSession && unregisterSession) registerSession(window, THIS_SESSION);
    }
    HMODULE user32 = GetModuleHandleA("USER32.DLL");
    RegisterPowerFn registerPower =
        user32 ? (RegisterPowerFn)(void*)GetProcAddress(user32, "RegisterPowerSettingNotification") : nullptr;
    unregisterPower =
        user32 ? (UnregisterPowerFn)(void*)GetProcAddress(user32, "UnregisterPowerSettingNotification") : nullptr;
    if (registerPower && unregisterPower)
        powerNotice = registerPower(window, &CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
    displayOff = false;
    sessionUnseen = sessionUnseenQuery && sessionUnseenQuery();
}

void stopWatchingScreen(HWND window) {
    if (window && registerSession && unregisterSession) unregisterSession(window);
    if (powerNotice) unregisterPower(powerNotice);
    powerNotice = nullptr;
    unregisterPower = nullptr;
    registerSession = nullptr;
    unregisterSession = nullptr;
    querySession = nullptr;
    freeMemory = nullptr;
    if (wts) FreeLibrary(wts);
    wts = nullptr;
    sessionUnseen = displayOff = false;
}

void onSessionChange() { sessionUnseen = sessionUnseenQuery && sessionUnseenQuery(); }

void onPowerBroadcast(WPARAM event, LPARAM record) {
    if (event != POWER_SETTING_CHANGE) return;
    const PowerSettingRecord* setting = (const PowerSettingRecord*)record;
    if (!readableHere(setting, sizeof(*setting))) return;
    if (!IsEqualGUID(setting->setting, CONSOLE_DISPLAY_STATE) || setting->length != sizeof(DWORD)) return;
    if (setting->value == DISPLAY_OFF) displayOff = true;
    else if (setting->value == DISPLAY_ON || setting->value == DISPLAY_DIMMED) displayOff = false;
}

bool screenUnseen() {
    if (displayOff || sessionUnseen) return true;
    if (screenSaverQuery && screenSaverQuery()) return true;
    return userNotPresent();
}
