// The options page (host message 22000). So far only the plug-in's icons are
// registered with the host: the plug-in icon and the three default
// notification icons that requests with icon 0 fall back to.
#include "dispatch.h"
#include "plugin_state.h"

namespace {
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

void registerIcon(int number, int resource) {
    IconRegistration r = {};
    r.size = sizeof(r);
    r.number = number;
    r.one1 = 1;
    r.one2 = 1;
    r.module = host->moduleHandle();
    r.resource = resource;
    hostCall(10130, (intptr_t)&r, 0);
}
}  // namespace

int buildOptionsPage() {
    if (!host) return 1;
    registerIcon(774000, 101);  // the plug-in: information speech bubble
    registerIcon(774001, 105);  // information sign
    registerIcon(774002, 103);  // warning triangle
    registerIcon(774003, 104);  // error sign
    return 1;
}
