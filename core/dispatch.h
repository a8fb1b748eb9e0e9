// Layers: contract <- skin <- window <- core (here, the top); no layer includes this folder.
//
// The handlers IMessageProc routes host messages to. Each returns the
// message's result.
#pragma once
#include <stdint.h>
#include <windows.h>
#include "host_api.h"

// Start-up (20001) and shut-down (20002).
int startPlugin(HostControl* control);
int stopPlugin();

// The notification window: replaced on 21020 and on 22100 (which finds none
// unless the host sends it twice), torn down on 22101 and at shut-down.
// Private messages to a window that does not exist answer 0.
LRESULT sendToNotificationWindow(UINT message, WPARAM wParam, LPARAM lParam);
// Empties and destroys the window, if there is one.
void destroyNotificationWindow();
void rebuildNotificationWindow();
void tearDownNotificationWindow();

// Notification requests of other plug-ins (774201) and closing one (774202).
int showRequestedNotification(const HostMessage* message);
int closeRequestedNotification(int id);

// The options page (22000): the plug-in's icons, click targets and pages.
int buildOptionsPage();

// Host events: a received message (20100), an options event (22200), a
// contact's status change (24011), a network plug-in's own change (24012).
int onMessageReceived(intptr_t receivedMessage);
int onActionNotice(intptr_t notice);
int onContactStatusChanged(intptr_t row, intptr_t status, const char* description);
int onNetworkStatusChanged(intptr_t plugin, intptr_t status, const char* description);
