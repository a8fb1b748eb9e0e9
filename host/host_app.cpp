#include "host_app.h"
#include <stdio.h>
#include <stdlib.h>
#include "../contract/received_message.h"

namespace {
const int FIRST_NETWORK_PLUGIN = 50, FIRST_PEER_PLUGIN = 80;
const int CONVERSATION_ACTION = 774120, CONVERSATION_GROUP = 200, CODE_OPENED = 10;

struct NamedStatus {
    const char* name;
    int status;
};
const NamedStatus STATUSES[] = {
    {"offline", STATUS_OFFLINE}, {"unreachable", STATUS_UNREACHABLE}, {"busy", STATUS_BUSY},
    {"available", STATUS_AVAILABLE}, {"away", STATUS_AWAY}, {"invisible", STATUS_INVISIBLE},
    {"chat", STATUS_CHAT}, {"connecting", STATUS_CONNECTING},
};
}  // namespace

int statusByName(const std::string& name) {
    for (const NamedStatus& s : STATUSES)
        if (name == s.name) return s.status;
    if (name.empty()) return -1;
    char* end = nullptr;
    long value = strtol(name.c_str(), &end, 0);
    if (*end || value < 0 || value > 0xFFFF) return -1;
    return (int)value;
}

const char* statusName(int status) {
    for (const NamedStatus& s : STATUSES)
        if ((status & 0xFF) == s.status) return s.name;
    return "other";
}

HostApp::HostApp() {}

HostApp::~HostApp() { shutdown(); }

bool HostApp::start(const char* dllPath, std::string* error) {
    if (!host.loadPlugin(dllPath)) {
        *error = std::string("cannot load ") + (dllPath ? dllPath : "(no path)");
        return false;
    }
    if (!host.runStartup()) {
        host.runShutdown();
        host.unloadPlugin();
        *error = "the plug-in refused to start";
        return false;
    }
    started = true;
    return true;
}

void HostApp::shutdown() {
    options.close();
    // Other plug-ins go first: what they asked for is still theirs to close.
    peers.clear();
    if (!started) return;
    started = false;
    host.runShutdown();  // 22101, then 20002
    host.unloadPlugin();
}

HostNetwork* HostApp::addNetwork(int number, const std::string& name) {
    if (network(number)) return nullptr;
    HostNetwork n;
    n.number = number;
    n.pluginId = FIRST_NETWORK_PLUGIN + (int)networks.size();
    n.name = name;
    networks.push_back(n);
    HostNetwork* added = &networks.back();
    host.plugins[added->pluginId] = [added](HostMessage* m) { return m->id == 30010 ? added->number : 0; };
    host.networks[number] = [added](int id, HostMessage* m) {
        if (id == 30016 && m->typeMask == 2) return (int)(intptr_t)added->name.c_str();
        if (id == 30031) return 0x40;  // contacts of this network are present
        return 0;
    };
    notifyChanged();
    return added;
}

HostNetwork* HostApp::network(int number) {
    for (HostNetwork& n : networks)
        if (n.number == number) return &n;
    return nullptr;
}

HostContact* HostApp::addContact(int net, const std::string& userId, const std::string& name, int gender) {
    if (contact(userId)) return nullptr;
    HostContact c;
    c.row = host.addContact(net, userId, name);
    c.net = net;
    c.userId = userId;
    c.name = name;
    c.gender = gender;
    if (gender) host.setContact(c.row, 20, gender);
    host.setContact(c.row, 2, 0);
    contacts.push_back(c);
    notifyChanged();
    return &contacts.back();
}

HostContact* HostApp::contact(const std::string& key) {
    for (HostContact& c : contacts)
        if (c.userId == key) return &c;
    for (HostContact& c : contacts)
        if (c.name == key) return &c;
    return nullptr;
}

HostContact* HostApp::contactAtRow(int row) {
    for (HostContact& c : contacts)
        if (c.row == row) return &c;
    return nullptr;
}

void HostApp::receiveMessage(HostContact& from, const std::string& body) {
    texts.push_back(body);
    ReceivedMessage m = {};
    m.size = sizeof(m);
    m.net = from.net;
    m.type = 1;
    m.from = from.userId.c_str();
    m.body = texts.back().c_str();
    m.text18 = m.text26 = "";
    m.contact = -2;
    host.heldMessages.push_back({from.net, 1, from.userId, body});
    host.send(20100, (intptr_t)&m);
}

// A status change record (24011 a contact's, 24012 a network's) delivered
// to the plug-in.
static void deliverStatus(StandInHost& host, int id, int subject, int status, const std::string& description) {
    HostMessageStatus m = {};
    m.size = sizeof(m);
    m.id = id;
    m.p1 = subject;
    m.p2 = status;
    m.description = description.c_str();
    host.deliver((HostMessage*)&m);
}

void HostApp::contactStatus(HostContact& c, int status, const std::string& description) {
    deliverStatus(host, 24011, c.row, status, description);
    // The table holds the new status once the plug-in has seen the change.
    if (status != -1) {
        c.status = status;
        host.setContact(c.row, 2, status);
    }
    c.description = description;
    notifyChanged();
}

void HostApp::networkStatus(HostNetwork& n, int status, const std::string& description) {
    deliverStatus(host, 24012, n.pluginId, status, description);
    if (status != -1) n.status = status;
    n.description = description;
    notifyChanged();
}

void HostApp::openConversation(HostContact& c) {
    ActionNotice n = {};
    n.size = sizeof(n);
    n.action.actionId = CONVERSATION_ACTION;
    n.action.parentId = CONVERSATION_GROUP;
    n.action.contact = c.row;
    n.code = CODE_OPENED;
    host.send(22200, (intptr_t)&n, 0);
}

int HostApp::request(const PopupOrder& order) {
    texts.push_back(order.text);
    const char* text = texts.back().c_str();
    if (order.size == 44) {
        PopupRequest44 r = {};
        r.size = 44;
        r.id = 774201;
        r.net = 774;
        r.typeMask = -1;
        r.text = text;
        // A host icon given by status: network and status of its identifier.
        bool status = ((uint32_t)order.icon >> 28) == 4;
        r.iconSource = order.icon == 0x50000010 ? 2 : status ? 1 : 3;
        r.network = ((uint32_t)order.icon >> 20) & 0xFF;
        r.status = ((uint32_t)order.icon >> 4) & 0xFFFF;
        return host.deliver((HostMessage*)&r);
    }
    PopupRequest r = popupRequest(text);
    r.size = order.size == 60 ? 60 : 52;
    r.iconFlags = (uint8_t)((order.noIcon ? 2 : 0) | (order.defaultIcon << 4));
    r.icon = (uint32_t)order.icon;
    r.displayTime = (int8_t)order.displayTime;
    r.clickable = order.clickable ? 1 : 0;
    if (order.clickable) {
        // An action of the requesting plug-in, one per request.
        r.originAction = 900 + nextOrigin++;
        r.originParent = 90;
    }
    if (r.size == 60 && !order.info.empty()) {
        texts.push_back(order.info);
        r.infoText = texts.back().c_str();
        r.infoKind = 3;
    }
    return host.deliver((HostMessage*)&r);
}

void HostApp::closeNotification(int id) { host.send(774202, id, 0); }

void HostApp::setSetting(int column, const std::string& value) {
    bool text = false;
    for (const StandInHost::Column& c : host.columns)
        if (c.column == column && c.type == VALUE_TEXT) text = true;
    if (text)
        host.setConfig(column, value);
    else
        host.setConfig(column, atoi(value.c_str()));
    host.send(21020);
}

bool HostApp::loadPeer(const std::string& dllPath, std::string* error) {
    auto peer = std::make_unique<PeerPlugin>(host, FIRST_PEER_PLUGIN + (int)peers.size());
    if (!peer->load(dllPath.c_str())) {
        *error = "cannot load and start " + dllPath;
        return false;
    }
    if (peer->net == 0 || peer->net == 774 || network(peer->net)) {
        *error = dllPath + " answers network " + std::to_string(peer->net) + ", which is taken";
        return false;  // the peer's destructor stops and unloads it
    }
    peers.push_back(std::move(peer));
    return true;
}

int HostApp::sendToNetwork(int net, int id) { return ::sendToNetwork(host, net, id); }
