// Who answers, in the host's place, what a plug-in sends through the host:
// another plug-in by its identifier (sendMessageTo), the plug-in of a
// network by that network's number (a message sent with that `net`), or one
// of the host's own messages by its number, answered instead of the host
// (a test's stand-in for the closed host). One registry holds them all, so
// routing asks one place.
#pragma once
#include <functional>
#include <map>
#include "contract/host_api.h"

struct Address {
    enum Kind { PLUGIN, NETWORK, HOST_MESSAGE };
    Kind kind;
    int number;

    static Address plugin(int id) { return {PLUGIN, id}; }
    static Address network(int net) { return {NETWORK, net}; }
    static Address hostMessage(int id) { return {HOST_MESSAGE, id}; }
    bool operator<(const Address& other) const {
        return kind != other.kind ? kind < other.kind : number < other.number;
    }
};

class Answerers {
public:
    // The message as it was sent; the answer is the sender's result.
    typedef std::function<int(HostMessage* message)> Answer;

    // Replaces whatever answered at that address.
    void set(Address address, Answer answer);
    void remove(Address address);
    bool has(Address address) const;
    // Asks whoever answers at that address; false (and no result) when
    // nobody does.
    bool ask(Address address, HostMessage* message, int* result) const;

private:
    std::map<Address, Answer> answers;
};
