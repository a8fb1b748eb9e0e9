// Icons known to the host: its image list, the identifiers of status and
// message icons, and the plug-in's own icons registered on the options page.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stddef.h>
#include <stdint.h>
#include "host_status.h"
#include "vorlane_notify.h"

// The plug-in's icons by their host icon number, and the resources of the
// library they are made from.
const int32_t PLUGIN_ICON = 774000;                     // resource 101, the speech bubble
const int32_t INFORMATION_ICON = NOTIFY_ICON_INFORMATION;  // resource 105
const int32_t WARNING_ICON = NOTIFY_ICON_WARNING;          // resource 103
const int32_t ERROR_ICON = NOTIFY_ICON_ERROR;              // resource 104
const int PLUGIN_ICON_RESOURCE = 101, WARNING_ICON_RESOURCE = 103, ERROR_ICON_RESOURCE = 104,
          INFORMATION_ICON_RESOURCE = 105;

// The host's identifier of its message icon.
const uint32_t MESSAGE_ICON_ID = NOTIFY_MESSAGE_ICON;

// The host's icon identifier of a status on a network. Status changes use
// the status code (low 8 bits); the older notification request form passes
// 16 bits.
uint32_t statusIconId(int net, int status, uint32_t statusMask = STATUS_CODE_MASK);

// An icon of the host's image list: the list (host message 10134), then the
// icon's index in it (10133). Both are null / 0 while no host is held.
struct HostIcon {
    HIMAGELIST list;
    int index;
};
HostIcon hostIcon(uint32_t iconId);

// The record p1 of host message 10130 points to: the host loads the icon
// resource of the module and knows it by its number from then on.
#pragma pack(push, 1)
struct IconRegistration {
    uint16_t size;  // 36
    uint8_t unused[2];
    int32_t number;
    int32_t one1;
    int32_t zero1;
    int32_t one2;
    HINSTANCE module;
    int32_t resource;
    int32_t zero2;
    int32_t zero3;
};
#pragma pack(pop)
static_assert(sizeof(IconRegistration) == 36, "IconRegistration is 36 bytes");
static_assert(offsetof(IconRegistration, number) == 4, "");
static_assert(offsetof(IconRegistration, module) == 20, "");
static_assert(offsetof(IconRegistration, resource) == 24, "");
