// What each network last reported of its own status (message 24012); the
// contact status notifications rely on it. Emptied on window tear-down (22101).
#pragma once
#include <stdint.h>
#include <map>
#include "../sdk/vorlane_notify.h"

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

// Status codes live in the low 8 bits; 0x400 marks a status with no notice.
const int STATUS_CODE_MASK = 0xFF;
const int STATUS_SILENT = 0x400;
const int STATUS_CONNECTING = 0xF1;
// "Only the description changed" in place of a new status.
const int STATUS_DESCRIPTION_ONLY = -1;

// The host's icon identifier of a status on a network. Status changes use
// the status code (low 8 bits); the older notification request form passes
// 16 bits.
uint32_t statusIconId(int net, int status, uint32_t statusMask = STATUS_CODE_MASK);
// The host's identifier of its message icon.
const uint32_t MESSAGE_ICON_ID = NOTIFY_MESSAGE_ICON;

// Records a network's own report (message 24012) and answers the status it
// reported before (0 for a network not seen yet). `now` is calendar
// seconds, `tick` the tick count of the report.
int32_t recordNetworkStatus(int32_t net, int32_t status, int32_t now, uint32_t tick);

// Calendar seconds (`time`) unless a test sets another source.
typedef int32_t (*CalendarSource)();
extern CalendarSource calendarSource;
inline int32_t calendarNow() { return calendarSource(); }
