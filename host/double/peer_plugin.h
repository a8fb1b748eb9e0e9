// Another plug-in in the stand-in host, beside the notification plug-in.
// It gets a control object of its own (its own identifier and module), and
// the host routes to it as the real host does: by its network number
// (the answer to 30010) for messages sent with that `net`, unless another
// plug-in answers that network already, and by its identifier for
// sendMessageTo. What it sends goes through the host, so the
// host records it and routes it on (net 774 reaches the notification
// plug-in).
#pragma once
#include "stand_in_host.h"

// Host message `id` (with no parameters) sent through the host to whatever
// answers network `net`; its answer.
int sendToNetwork(StandInHost& host, int net, int id);

class PeerPlugin final : public HostControl {
public:
    PeerPlugin(StandInHost& host, int pluginId);
    ~PeerPlugin();  // stops and unloads it

    // LoadLibraryA, start-up (20001), its network number (30010), and its
    // place in the host's routing; false when the library, its export or its
    // start-up fails.
    bool load(const char* dllPath);
    void unload();
    int deliver(HostMessage* message);
    int net = 0;
    // Whether messages sent with its `net` reach it (not while the network
    // is 0, the notification plug-in's, or another plug-in's).
    bool reachedByNetwork() const { return routesNetwork; }
    std::vector<int> errors;  // every setError code, in order

    int reserved0() override { return 0; }
    int pluginId() override { return id; }
    int reserved2() override { return 0; }
    HINSTANCE moduleHandle() override { return (HINSTANCE)library; }
    int lastError() override { return host.lastError(); }
    void setError(int code) override { errors.push_back(code); }
    int reserved6() override { return 0; }
    int sendMessage(HostMessage* message) override { return host.sendMessage(message); }
    int sendMessageTo(int plugin, HostMessage* message) override { return host.sendMessageTo(plugin, message); }
    int reserved9() override { return 0; }
    int reserved10() override { return 0; }
    int reserved11() override { return 0; }
    int reserved12() override { return 0; }
    int reserved13() override { return 0; }
    int reserved14() override { return 0; }
    int reserved15() override { return 0; }
    int isForeignThread(int zero) override { return host.isForeignThread(zero); }
    // Only the notification plug-in is delivered on other threads here.
    int recallOnMainThread(int, int) override { return 0; }
    int reserved18() override { return 0; }
    int reserved19() override { return 0; }
    int reserved20() override { return 0; }
    int getValue(int table, int row, int column, HostValue* value) override {
        return host.getValue(table, row, column, value);
    }
    int setValue(int table, int row, int column, HostValue* value) override {
        return host.setValue(table, row, column, value);
    }

private:
    StandInHost& host;
    int id;
    HMODULE library = nullptr;
    IMessageProcFn proc = nullptr;
    bool started = false;
    bool routesNetwork = false;
    int call(int id, intptr_t p1 = 0);
};
