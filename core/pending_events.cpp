// Host events whose notifications are not built yet (received messages,
// options events, status changes): they are accepted, show nothing and
// answer 0, as their finished handlers will.
#include "dispatch.h"

int onMessageReceived(intptr_t) { return 0; }
int onActionNotice(intptr_t) { return 0; }
int onContactStatusChanged(intptr_t, intptr_t, const char*) { return 0; }
int onNetworkStatusChanged(intptr_t, intptr_t, const char*) { return 0; }
