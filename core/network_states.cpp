#include "network_states.h"

std::map<int32_t, NetworkState> networkStates;
