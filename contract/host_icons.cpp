#include "host_icons.h"
#include "host_api.h"
#include "host_messages.h"

uint32_t statusIconId(int net, int status, uint32_t statusMask) {
    return 0x40000000u + ((uint32_t)(net & 0xFF) << 20) + (((uint32_t)status & statusMask) << 4);
}

HostIcon hostIcon(uint32_t iconId) {
    HostIcon icon;
    icon.list = (HIMAGELIST)(intptr_t)hostCall(HOST_ICON_LIST, 1, 0);
    icon.index = hostCall(HOST_ICON_INDEX, (intptr_t)iconId, 1);
    return icon;
}
