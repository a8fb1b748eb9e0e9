#include "announcements.h"
#include <oleacc.h>
#include <oleauto.h>
#include "plugin_state.h"
#include "shown_lines.h"
#include "spoken_text.h"

UiaHostProviderFromHwndFn uiaHostProviderFromHwnd = nullptr;
UiaRaiseNotificationEventFn uiaRaiseNotificationEvent = nullptr;

static HMODULE uiaLibrary = nullptr;

// UI Automation's NotificationKind_Other and NotificationProcessing_All.
static const int NOTIFICATION_KIND_OTHER = 4;
static const int NOTIFICATION_PROCESSING_ALL = 2;
static const wchar_t ACTIVITY[] = L"VorlaneNotify";

void lookUpUiaNotifications() {
    dropUiaNotifications();
    uiaLibrary = LoadLibraryA("uiautomationcore.dll");
    if (!uiaLibrary) return;
    uiaHostProviderFromHwnd =
        (UiaHostProviderFromHwndFn)(void*)GetProcAddress(uiaLibrary, "UiaHostProviderFromHwnd");
    uiaRaiseNotificationEvent =
        (UiaRaiseNotificationEventFn)(void*)GetProcAddress(uiaLibrary, "UiaRaiseNotificationEvent");
    if (!uiaHostProviderFromHwnd || !uiaRaiseNotificationEvent) dropUiaNotifications();
}

void dropUiaNotifications() {
    uiaHostProviderFromHwnd = nullptr;
    uiaRaiseNotificationEvent = nullptr;
    if (uiaLibrary) FreeLibrary(uiaLibrary);
    uiaLibrary = nullptr;
}

static void raiseUiaNotification(int row) {
    if (!uiaHostProviderFromHwnd || !uiaRaiseNotificationEvent) return;
    IUnknown* provider = nullptr;
    if (FAILED(uiaHostProviderFromHwnd(notificationWindow, &provider)) || !provider) return;
    BSTR text = nullptr;
    try {
        text = newBstr(spokenNotification(row));
    } catch (...) {
    }
    BSTR activity = SysAllocString(ACTIVITY);
    if (text && activity)
        uiaRaiseNotificationEvent(provider, NOTIFICATION_KIND_OTHER, NOTIFICATION_PROCESSING_ALL, text, activity);
    SysFreeString(text);
    SysFreeString(activity);
    provider->Release();
}

void announceNotification(int row) {
    if (!notificationWindow) return;
    // A notification taller than the screen shows its newest lines only: the
    // alert names the top one shown.
    int shown = shownRowOf(row);
    if (shown < 0) shown = 0;
    NotifyWinEvent(EVENT_SYSTEM_ALERT, notificationWindow, OBJID_CLIENT, shown + 1);
    raiseUiaNotification(row);
}

void announceReorder() {
    if (notificationWindow) NotifyWinEvent(EVENT_OBJECT_REORDER, notificationWindow, OBJID_CLIENT, CHILDID_SELF);
}
