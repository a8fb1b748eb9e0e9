// PLACEHOLDER: options events (22200) are accepted and do nothing yet.
#include "dispatch.h"

int onActionNotice(intptr_t) { return 0; }
