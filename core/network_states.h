// What each network last reported of its own status (message 24012); the
// contact status notifications rely on it. Emptied on window tear-down (22101).
#pragma once
#include <stdint.h>
#include <map>

struct NetworkState {
    uint32_t graceUntil;  // tick count; 0xFFFFFFFF = no hold-back period
    int32_t lastStatus;   // the whole status value last reported
    int32_t changedAt;    // calendar seconds of that report
};

extern std::map<int32_t, NetworkState> networkStates;
