#include "peer_plugin.h"

int sendToNetwork(StandInHost& host, int net, int id) {
    HostMessage2 m = {};
    m.size = sizeof(m);
    m.id = id;
    m.net = net;
    m.typeMask = -1;
    return host.sendMessage((HostMessage*)&m);
}

PeerPlugin::PeerPlugin(StandInHost& h, int pluginId) : host(h), id(pluginId) {}

PeerPlugin::~PeerPlugin() { unload(); }

int PeerPlugin::call(int message, intptr_t p1) {
    HostMessage2 m = {};
    m.size = sizeof(m);
    m.id = message;
    m.net = net;
    m.typeMask = -1;
    m.p1 = p1;
    return deliver((HostMessage*)&m);
}

bool PeerPlugin::load(const char* dllPath) {
    unload();
    library = dllPath ? LoadLibraryA(dllPath) : nullptr;
    if (library) proc = (IMessageProcFn)(void*)GetProcAddress(library, "_IMessageProc@4");
    if (!proc || !call(HOST_START, (intptr_t) static_cast<HostControl*>(this))) {
        unload();
        return false;
    }
    started = true;
    net = call(PLUGIN_NETWORK);
    Answerers::Answer answer = [this](HostMessage* m) { return deliver(m); };
    host.answerers.set(Address::plugin(id), answer);
    // A network that another plug-in answers stays that plug-in's.
    routesNetwork = net != 0 && net != NOTIFY_NETWORK && !host.answerers.has(Address::network(net));
    if (routesNetwork) host.answerers.set(Address::network(net), answer);
    return true;
}

void PeerPlugin::unload() {
    if (started) {
        call(HOST_STOP);
        if (routesNetwork) host.answerers.remove(Address::network(net));
        host.answerers.remove(Address::plugin(id));
    }
    routesNetwork = false;
    started = false;
    proc = nullptr;
    if (library) FreeLibrary(library);
    library = nullptr;
}

int PeerPlugin::deliver(HostMessage* message) { return proc && message ? proc(message) : 0; }
