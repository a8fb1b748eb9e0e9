#include "network_states.h"

std::map<int32_t, NetworkState> networkStates;

// The tick count wraps after 49.7 days; the end of a hold-back is taken
// modulo 2^32, moved on by one where it would read as "no hold-back".
static uint32_t graceEndAfter(uint32_t tick) {
    const uint32_t end = tick + GRACE_MS;
    return end == NO_GRACE ? 0 : end;
}

int32_t recordNetworkStatus(int32_t net, int32_t status, int32_t now, uint32_t tick) {
    auto it = networkStates.find(net);
    if (it == networkStates.end()) {
        // A first report of "only the description" says nothing of the
        // status itself: it counts as code 0, like a network not seen yet.
        int32_t stored = status == STATUS_DESCRIPTION_ONLY ? 0 : status;
        networkStates[net] = NetworkState{NO_GRACE, stored, now};
        return 0;
    }
    NetworkState& s = it->second;
    const int32_t previous = s.lastStatus;
    // A description change keeps the status it was reported with, so an
    // ending connection attempt is still seen as one afterwards.
    if (status != STATUS_DESCRIPTION_ONLY) s.lastStatus = status;
    s.changedAt = now;
    s.graceUntil = NO_GRACE;
    if ((previous & STATUS_CODE_MASK) == STATUS_CONNECTING && status != STATUS_DESCRIPTION_ONLY &&
        (status & STATUS_CODE_MASK) != 0)
        s.graceUntil = graceEndAfter(tick);
    return previous;
}

const NetworkState* networkState(int32_t net) {
    auto it = networkStates.find(net);
    return it == networkStates.end() ? nullptr : &it->second;
}

bool descriptionsHeldBack(int32_t net, uint32_t tick) {
    auto it = networkStates.find(net);
    if (it == networkStates.end() || it->second.graceUntil == NO_GRACE) return false;
    // The signed difference stays right across the wrap of the tick count.
    if ((int32_t)(tick - it->second.graceUntil) <= 0) return true;
    it->second.graceUntil = NO_GRACE;
    return false;
}

void forgetNetworkStates() { networkStates.clear(); }
