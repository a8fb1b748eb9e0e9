// The stand-in host as an application: the plug-in loaded and started, the
// network plug-ins it plays, the contact list, the options window, and the
// events a person (or a scenario) makes happen. Texts are Windows-1250.
#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include "contract/host_status.h"
#include "host/double/peer_plugin.h"
#include "host/double/stand_in_host.h"
#include "options_window.h"

struct HostNetwork {
    int number;
    int pluginId;       // the network plug-in's identifier
    std::string name;   // its answer to 30016
    int status = 0;     // the user's own status on it
    std::string description;

    // What the network plug-in answers: its number (30010), its name
    // (30016 with type mask 2), and that its contacts are present (30031).
    int answer(HostMessage* message) const;
};

struct HostContact {
    int row;
    int net;
    std::string userId, name;
    int gender;         // 1 female, 2 male, 0 not set
    int status = 0;
    std::string description;
};

// A notification request of another plug-in, in one of its three sizes.
struct PopupOrder {
    int size = NOTIFY_REQUEST_SIZE;  // or NOTIFY_REQUEST_OLD_SIZE, NOTIFY_REQUEST_INFO_SIZE
    std::string text;
    int icon = 0;             // host icon identifier; 0 the plug-in's default
    int defaultIcon = NOTIFY_DEFAULT_INFORMATION;  // or _ERROR, _WARNING
    bool noIcon = false;
    int displayTime = 1;
    bool clickable = false;
    std::string info;         // 60-byte form: the info record for listeners
};

// The status named in a scenario or chosen in the main window ("available",
// "0x22", "64"); -1 when the name means nothing.
int statusByName(const std::string& name);
// The status as the host's lists show it.
const char* statusName(int status);

class HostApp {
public:
    HostApp();
    ~HostApp();
    StandInHost host;
    OptionsWindow options{host};
    std::deque<HostNetwork> networks;   // deque: the names handed out stay put
    std::deque<HostContact> contacts;
    std::function<void()> changed;      // the lists changed (the main window redraws)

    // Loads the plug-in from the path and runs its start-up; false with the reason.
    bool start(const char* dllPath, std::string* error);
    // 22101, 20002 and unloading, once.
    void shutdown();
    bool running() const { return started; }

    HostNetwork* addNetwork(int number, const std::string& name);
    HostNetwork* network(int number);
    HostContact* addContact(int net, const std::string& userId, const std::string& name, int gender);
    // By user identifier or by name.
    HostContact* contact(const std::string& key);
    HostContact* contactAtRow(int row);

    void receiveMessage(HostContact& from, const std::string& body);
    void contactStatus(HostContact& contact, int status, const std::string& description);
    void networkStatus(HostNetwork& network, int status, const std::string& description);
    // The person opened a conversation with the contact: action 774120, code 10.
    void openConversation(HostContact& contact);
    // The plug-in's answer: the notification's id, -1 refused, 0 nothing shown.
    int request(const PopupOrder& order);
    void closeNotification(int id);
    // A setting stored in its column, reported with 21020.
    void setSetting(int column, const std::string& value);
    // Another plug-in loaded beside the notification plug-in, reached by
    // its network number; false with the reason.
    bool loadPeer(const std::string& dllPath, std::string* error);
    // Host message `id` sent to whatever answers network `net`; its answer.
    int sendToNetwork(int net, int id);

private:
    bool started = false;
    int nextOrigin = 0;             // click targets of the requests, one each
    std::deque<std::string> texts;  // texts handed to the plug-in by pointer
    std::deque<std::unique_ptr<PeerPlugin>> peers;
    void notifyChanged() {
        if (changed) changed();
    }
};
