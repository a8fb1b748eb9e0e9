#include "clock.h"

TickSource tickSource = GetTickCount;
