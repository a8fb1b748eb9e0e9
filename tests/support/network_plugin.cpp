#include "network_plugin.h"

StandInNetwork::StandInNetwork(StandInHost& h, int answer) : presence(answer), host(h) {
    host.answerers.set(Address::plugin(PLUGIN), [](HostMessage* m) { return m->id == 30010 ? NET : 0; });
    host.answerers.set(Address::network(NET), [this](HostMessage* m) {
        if (m->id == 30016) return m->typeMask == 2 ? (int)(intptr_t)NAME : 0;
        if (m->id == 30031) return presence;
        return 0;
    });
}

void StandInNetwork::silence() { host.answerers.remove(Address::network(NET)); }
