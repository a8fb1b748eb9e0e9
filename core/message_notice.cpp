// PLACEHOLDER: received messages (20100) are accepted and show nothing yet.
#include "dispatch.h"

int onMessageReceived(intptr_t) { return 0; }
