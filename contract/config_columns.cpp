// The plug-in's columns in the host's tables, declared once on host message
// 21001 in this fixed order.
#include "config_columns.h"
#include "host_messages.h"
#include "plugin_state.h"

namespace {
struct ColumnDeclaration {
    const char* key;
    int column;
    uint8_t table;
    int type;
    intptr_t defaultValue;
};

const ColumnDeclaration declarations[] = {
    {"Zinglet/cfg/skin", COL_SKIN, configTable, VALUE_TEXT, (intptr_t) "[brak]"},
    {"Zinglet/cfg/directory", COL_DIRECTORY, configTable, VALUE_TEXT, (intptr_t) "zinglet"},
    {"Zinglet/events/status", COL_EVENTS_STATUS, configTable, VALUE_INT, 0},
    {"Zinglet/events/msg", COL_EVENTS_MSG, configTable, VALUE_INT, 0},
    {"Zinglet/cfg/delay", COL_DELAY, configTable, VALUE_INT, 2000},
    {"Zinglet/cfg/animation", COL_ANIMATION, configTable, VALUE_INT, 0},
    {"Zinglet/cfg/waitforclick", COL_WAITFORCLICK, configTable, VALUE_INT, 1},
    {"Zinglet/cfg/limit", COL_LIMIT, configTable, VALUE_INT, 20},
    {"Zinglet/cfg/mouseclose", COL_MOUSECLOSE, configTable, VALUE_INT, 1},
    {"Zinglet/cfg/fullscreen", COL_FULLSCREEN, configTable, VALUE_INT, 1},
    {"Zinglet/cfg/useVindle", COL_USEVINDLE, configTable, VALUE_INT, 1},
    {"Zinglet/cfg/statusDescr", COL_STATUSDESCR, configTable, VALUE_INT, 0},
    {"Zinglet/cfg/statusDescrOnConnected", COL_STATUSDESCR_CONNECTED, configTable, VALUE_INT, 0},
    {"Zinglet/cfg/msgBody", COL_MSGBODY, configTable, VALUE_INT, 0},
    {"Zinglet/cfg/msgBodyLen", COL_MSGBODYLEN, configTable, VALUE_INT, 30},
    {"Zinglet/cfg/selfStatus", COL_SELFSTATUS, configTable, VALUE_INT, 1},
    {"Zinglet/cfg/msgStatusLen", COL_MSGSTATUSLEN, configTable, VALUE_INT, 30},
    {"Zinglet/events/cnt/status", COL_CNT_STATUS, contactTable, VALUE_INT, 1},
    {"Zinglet/cfg/cnt/statusDescr", COL_CNT_STATUSDESCR, contactTable, VALUE_INT, 1},
    {"Zinglet/events/cnt/msg", COL_CNT_MSG, contactTable, VALUE_INT, 1},
    {"Zinglet/cfg/cnt/msgBody", COL_CNT_MSGBODY, contactTable, VALUE_INT, 1},
};
static_assert(sizeof(declarations) / sizeof(declarations[0]) == 21, "21 columns");
}  // namespace

void registerColumns() {
    if (!host) return;
    for (const ColumnDeclaration& d : declarations) {
        ColumnRegistration r = {};
        r.size = sizeof(r);
        r.id = HOST_REGISTER_COLUMN;
        r.table = d.table;
        r.column = d.column;
        r.type = d.type;
        r.defaultValue = d.defaultValue;
        r.key = d.key;
        host->sendMessage((HostMessage*)&r);  // results are not used
    }
}

int normalizedDelay() {
    int delay = configInt(COL_DELAY);
    if (delay == 0) {
        delay = 2000;
        setConfigInt(COL_DELAY, delay, -1);
    }
    return delay;
}
