#include "network_states.h"

std::map<int32_t, NetworkState> networkStates;

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
        s.graceUntil = tick + GRACE_MS;
    return previous;
}

const NetworkState* networkState(int32_t net) {
    auto it = networkStates.find(net);
    return it == networkStates.end() ? nullptr : &it->second;
}

bool descriptionsHeldBack(int32_t net, uint32_t tick) {
    auto it = networkStates.find(net);
    if (it == networkStates.end() || it->second.graceUntil == NO_GRACE) return false;
    if (tick <= it->second.graceUntil) return true;
    it->second.graceUntil = NO_GRACE;
    return false;
}

void forgetNetworkStates() { networkStates.clear(); }
