#include "host_app.h"
#include <stdio.h>
#include <stdlib.h>
#include "contract/action_info.h"
#include "contract/config_columns.h"
#include "contract/received_message.h"

namespace {
const int FIRST_NETWORK_PLUGIN = 50, FIRST_PEER_PLUGIN = 80;
// The type of a received message the plug-in notifies.
const int32_t CHAT_MESSAGE = 1;
// The contact's presence a network plug-in reports (30031).
const int PRESENT = STATUS_AVAILABLE;
// 44-byte requests: any source but the three named ones means the default icon.
const int32_t OLD_ICON_DEFAULT = 3;
// 60-byte requests: the kind of the info record a requesting plug-in passes on.
const int32_t REQUEST_INFO_KIND = 3;
// Clickable requests: the requesting plug-in's actions, one per request.
const int32_t FIRST_ORIGIN_ACTION = 900, ORIGIN_PARENT = 90;

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
        if ((status & STATUS_CODE_MASK) == s.status) return s.name;
    return "other";
}

int HostNetwork::answer(HostMessage* m) const {
    if (m->id == PLUGIN_NETWORK) return number;
    if (m->id == PLUGIN_DISPLAY_NAME && m->typeMask == 2) return (int)(intptr_t)name.c_str();
    if (m->id == PLUGIN_NETWORK_STATUS) return PRESENT;
    return 0;
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
    if (network(number) || host.answerers.has(Address::network(number))) return nullptr;
    HostNetwork n;
    n.number = number;
    n.pluginId = FIRST_NETWORK_PLUGIN + (int)networks.size();
    n.name = name;
    networks.push_back(n);
    HostNetwork* added = &networks.back();
    Answerers::Answer answer = [added](HostMessage* m) { return added->answer(m); };
    host.answerers.set(Address::plugin(added->pluginId), answer);
    host.answerers.set(Address::network(number), answer);
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
    if (gender) host.setContact(c.row, COLUMN_GENDER, gender);
    host.setContact(c.row, COLUMN_STATUS, STATUS_OFFLINE);
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
    m.type = CHAT_MESSAGE;
    m.from = from.userId.c_str();
    m.body = texts.back().c_str();
    m.text18 = m.text26 = "";
    m.contact = -2;
    host.heldMessages.push_back({from.net, CHAT_MESSAGE, from.userId, body});
    host.send(HOST_MESSAGE_RECEIVED, (intptr_t)&m);
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
    deliverStatus(host, HOST_CONTACT_STATUS, c.row, status, description);
    // The table holds the new status once the plug-in has seen the change.
    if (status != STATUS_DESCRIPTION_ONLY) {
        c.status = status;
        host.setContact(c.row, COLUMN_STATUS, status);
    }
    c.description = description;
    notifyChanged();
}

void HostApp::networkStatus(HostNetwork& n, int status, const std::string& description) {
    deliverStatus(host, HOST_NETWORK_STATUS, n.pluginId, status, description);
    if (status != STATUS_DESCRIPTION_ONLY) n.status = status;
    n.description = description;
    notifyChanged();
}

void HostApp::openConversation(HostContact& c) {
    ActionNotice n = {};
    n.size = sizeof(n);
    n.action.actionId = REMOVE_CONTACT_ACTION;
    n.action.parentId = EVENTS_GROUP;
    n.action.contact = c.row;
    n.code = NOTICE_REFRESH;
    host.send(HOST_ACTION_EVENT, (intptr_t)&n, 0);
}

int HostApp::request(const PopupOrder& order) {
    texts.push_back(order.text);
    const char* text = texts.back().c_str();
    if (order.size == NOTIFY_REQUEST_OLD_SIZE) {
        PopupRequest44 r = {};
        r.size = NOTIFY_REQUEST_OLD_SIZE;
        r.id = NOTIFY_REQUEST;
        r.net = NOTIFY_NETWORK;
        r.typeMask = -1;
        r.text = text;
        // A host icon given by status: network and status of its identifier.
        r.iconSource = order.icon == NOTIFY_MESSAGE_ICON     ? NOTIFY_OLD_ICON_MESSAGE
                       : isStatusIcon((uint32_t)order.icon) ? NOTIFY_OLD_ICON_STATUS
                                                            : OLD_ICON_DEFAULT;
        r.network = ((uint32_t)order.icon >> 20) & 0xFF;
        r.status = ((uint32_t)order.icon >> 4) & 0xFFFF;
        return host.deliver((HostMessage*)&r);
    }
    PopupRequest r = popupRequest(text);
    r.size = order.size == NOTIFY_REQUEST_INFO_SIZE ? NOTIFY_REQUEST_INFO_SIZE : NOTIFY_REQUEST_SIZE;
    // Icon kinds from 2 on show none.
    r.iconFlags = NOTIFY_ICON_FLAGS(order.noIcon ? 2 : NOTIFY_ICON_HOST, order.defaultIcon);
    r.icon = (uint32_t)order.icon;
    r.displayTime = (int8_t)order.displayTime;
    r.clickable = order.clickable ? 1 : 0;
    if (order.clickable) {
        // An action of the requesting plug-in, one per request.
        r.originAction = FIRST_ORIGIN_ACTION + nextOrigin++;
        r.originParent = ORIGIN_PARENT;
    }
    if (r.size == NOTIFY_REQUEST_INFO_SIZE && !order.info.empty()) {
        texts.push_back(order.info);
        r.infoText = texts.back().c_str();
        r.infoKind = REQUEST_INFO_KIND;
    }
    return host.deliver((HostMessage*)&r);
}

void HostApp::closeNotification(int id) { host.send(NOTIFY_CLOSE, id, 0); }

void HostApp::setSetting(int column, const std::string& value) {
    bool text = false;
    for (const StandInHost::Column& c : host.columns)
        if (c.column == column && c.type == VALUE_TEXT) text = true;
    if (text)
        host.setConfig(column, value);
    else
        host.setConfig(column, atoi(value.c_str()));
    host.send(HOST_SETTINGS_CHANGED);
}

bool HostApp::loadPeer(const std::string& dllPath, std::string* error) {
    auto peer = std::make_unique<PeerPlugin>(host, FIRST_PEER_PLUGIN + (int)peers.size());
    if (!peer->load(dllPath.c_str())) {
        *error = "cannot load and start " + dllPath;
        return false;
    }
    if (!peer->reachedByNetwork()) {
        *error = dllPath + " answers network " + std::to_string(peer->net) + ", which is taken";
        return false;  // the peer's destructor stops and unloads it
    }
    peers.push_back(std::move(peer));
    return true;
}

int HostApp::sendToNetwork(int net, int id) { return ::sendToNetwork(host, net, id); }
