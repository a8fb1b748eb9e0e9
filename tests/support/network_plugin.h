// A network plug-in the stand-in host plays for the plug-in's status
// notices: plug-in identifier 50 on network 10, named "Gadu". It answers
// 30010 with its network, 30016 asked with type mask 2 with its name, and
// 30031 with `presence` (a status whose low 8 bits are 0 silences its
// contacts' notices).
#pragma once
#include "host/double/stand_in_host.h"

class StandInNetwork {
public:
    static const int PLUGIN = 50, NET = 10;
    static constexpr const char* NAME = "Gadu";

    // Answers on `host` from now on; `presence` may change meanwhile.
    explicit StandInNetwork(StandInHost& host, int presence = 0x40);
    // The network stops answering (its plug-in still tells its number).
    void silence();
    int presence;

private:
    StandInHost& host;
};
