// What each network last reported of its own status (message 24012); the
// contact status notifications rely on it. Emptied on window tear-down (22101).
#pragma once
#include <stdint.h>
#include <map>
#include "host_icons.h"

struct NetworkState {
    uint32_t graceUntil;  // tick count; 0xFFFFFFFF = no hold-back period
    int32_t lastStatus;   // the whole status value last reported
    int32_t changedAt;    // calendar seconds of that report
};

extern std::map<int32_t, NetworkState> networkStates;

const uint32_t NO_GRACE = 0xFFFFFFFFu;
// How long after a connection attempt ends contact descriptions stay hidden.
const uint32_t GRACE_MS = 3000;
// Contact status changes this soon after the network's own report are the
// host replaying the contact list, not news.
const int32_t QUIET_SECONDS = 5;

// Records a network's own report (message 24012) and answers the status it
// reported before (0 for a network not seen yet). `now` is calendar
// seconds, `tick` the tick count of the report.
int32_t recordNetworkStatus(int32_t net, int32_t status, int32_t now, uint32_t tick);
