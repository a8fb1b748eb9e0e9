#include "window_settings.h"
#include "config_columns.h"
#include "host_api.h"

WindowSettings windowSettings = {2000, 0, 1, 20};

void cacheWindowSettings() {
    windowSettings.delay = normalizedDelay();
    windowSettings.animation = configInt(COL_ANIMATION);
    windowSettings.waitForClick = configInt(COL_WAITFORCLICK);
    windowSettings.limit = configInt(COL_LIMIT);
}
