// Putting the configured look in place and creating the window for it.
// Every failure falls back to the default look, so a notification window
// always exists afterwards.
#include "window_setup.h"
#include "config_columns.h"
#include "host_icons.h"
#include "notify_window.h"
#include "paint.h"
#include "placement.h"
#include "plugin_state.h"
#include "private_messages.h"
#include "notification_queue.h"
#include "window_settings.h"
#include "skin.h"
#include "skin_load.h"

static const DWORD PLAIN_STYLE = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;  // 0x88
static const DWORD LAYERED_STYLE = PLAIN_STYLE | WS_EX_LAYERED;      // 0x80088

void ResetDefaultLook() {
    resetPlacement();
    ResetLook();
    cacheWindowSettings();
}

void CreateNotificationWindow(DWORD exStyle) {
    recordNotificationWindow(CreateWindowExA(exStyle, NOTIFY_WINDOW_CLASS, "", WS_POPUP | WS_CLIPSIBLINGS, 0, 0,
                                             0, 0, nullptr, nullptr, moduleInstance, nullptr));
}

// The look reset lets go of a background image loaded before the failure.
static int fallBack() {
    ResetDefaultLook();
    CreateNotificationWindow(PLAIN_STYLE);
    return 0;
}

// An alpha skin cannot be shown on a screen that is not 32-bit: default look,
// and the reason as a notification rather than a message box.
static void noticeScreenDepth() {
    static char notice[] = "Wybrana skórka wymaga 32 bitowej głębi koloru ekranu";
    const HostIcon icon = hostIcon(WARNING_ICON);
    NotificationRequest request = {};
    request.text = notice;
    request.icon = nullptr;
    request.imageList = icon.list;
    request.imageIndex = icon.index;
    request.displayTime = -1;
    request.clickable = 0;
    request.origin = nullptr;
    request.clickValue = 0;
    sendPrivateMessage(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&request);
}

int LoadSkin() {
    ResetDefaultLook();
    switch (ReadConfiguredSkin()) {
    case SKIN_NONE:
        CreateNotificationWindow(PLAIN_STYLE);
        return 1;
    case SKIN_FAILED:
        return fallBack();
    case SKIN_NEEDS_32_BITS:
        ResetDefaultLook();
        CreateNotificationWindow(PLAIN_STYLE);
        noticeScreenDepth();
        return 0;
    case SKIN_READ:
        break;
    }

    CreateNotificationWindow(skin.transparent && updateLayeredWindow ? LAYERED_STYLE : PLAIN_STYLE);
    if (!notificationWindow) return 0;
    if (SkinSizingFits()) return 1;
    const HWND unfit = notificationWindow;
    DestroyWindow(unfit);
    forgetNotificationWindow(unfit);
    return fallBack();
}
