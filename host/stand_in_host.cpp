// PLACEHOLDER: owned by the core/host work; replace whole.
#include "stand_in_host.h"
