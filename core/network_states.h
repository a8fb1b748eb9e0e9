// What each network last reported of its own status (message 24012); the
// contact status notifications rely on it. Emptied on window tear-down
// (22101). Only the functions below change it.
#pragma once
#include <stdint.h>
#include <map>
#include "host_icons.h"

struct NetworkState {
    uint32_t graceUntil;  // tick count; 0xFFFFFFFF = no hold-back period
    int32_t lastStatus;   // the whole status value last reported
    int32_t changedAt;    // calendar seconds of that report
};

// Read through networkState(); tests look at it directly.
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

// The network's state, or null when it has not reported its own status
// since start-up or since the states were last forgotten.
const NetworkState* networkState(int32_t net);

// Whether contact descriptions of the network are still held back at `tick`
// after a connection attempt ended. A hold-back found over ends for good.
bool descriptionsHeldBack(int32_t net, uint32_t tick);

// Forgets every network's state (the window's tear-down).
void forgetNetworkStates();
