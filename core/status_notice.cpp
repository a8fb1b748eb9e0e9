// PLACEHOLDER: status changes (24011, 24012) are accepted and show nothing yet.
#include "dispatch.h"

int onContactStatusChanged(intptr_t, intptr_t, const char*) { return 0; }
int onNetworkStatusChanged(intptr_t, intptr_t, const char*) { return 0; }
