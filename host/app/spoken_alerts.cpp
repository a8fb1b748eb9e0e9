#include "spoken_alerts.h"
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

namespace {
HWINEVENTHOOK hook = nullptr;
std::string lastAlert;

std::string windows1250(BSTR text) {
    if (!text || !*text) return std::string();
    int n = WideCharToMultiByte(1250, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(1250, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize((size_t)n - 1);
    return out;
}

void CALLBACK heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* alert = nullptr;
    VARIANT id;
    VariantInit(&id);
    if (SUCCEEDED(AccessibleObjectFromEvent(window, (DWORD)object, (DWORD)child, &alert, &id)) && alert) {
        BSTR name = nullptr, description = nullptr;
        if (alert->get_accName(id, &name) != S_OK) name = nullptr;
        if (alert->get_accDescription(id, &description) != S_OK) description = nullptr;
        lastAlert = windows1250(name);
        std::string more = windows1250(description);
        if (!more.empty()) lastAlert += "\n" + more;
        SysFreeString(name);
        SysFreeString(description);
        alert->Release();
    }
    VariantClear(&id);
    if (SUCCEEDED(com)) CoUninitialize();
}
}  // namespace

void listenForAlerts() {
    if (hook) return;
    hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, heard, GetCurrentProcessId(), 0,
                           WINEVENT_OUTOFCONTEXT);
}

void stopListeningForAlerts() {
    if (hook) UnhookWinEvent(hook);
    hook = nullptr;
    lastAlert.clear();
}

std::string lastAlertSpoken() { return lastAlert; }
