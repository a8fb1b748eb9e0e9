// The plug-in's configuration columns (config table row 0, contact table per row).
#pragma once

enum ConfigColumn {
    COL_SKIN = 774110,                 // "Zinglet/cfg/skin" text
    COL_DIRECTORY = 774115,            // "Zinglet/cfg/directory" text
    COL_EVENTS_STATUS = 774120,        // "Zinglet/events/status"
    COL_EVENTS_MSG = 774121,           // "Zinglet/events/msg"
    COL_DELAY = 774122,                // "Zinglet/cfg/delay"
    COL_ANIMATION = 774123,            // "Zinglet/cfg/animation"
    COL_WAITFORCLICK = 774124,         // "Zinglet/cfg/waitforclick"
    COL_LIMIT = 774125,                // "Zinglet/cfg/limit"
    COL_MOUSECLOSE = 774126,           // "Zinglet/cfg/mouseclose"
    COL_FULLSCREEN = 774127,           // "Zinglet/cfg/fullscreen"
    COL_USEVINDLE = 774128,            // "Zinglet/cfg/useVindle"
    COL_STATUSDESCR = 774129,          // "Zinglet/cfg/statusDescr"
    COL_MSGBODY = 774130,              // "Zinglet/cfg/msgBody"
    COL_MSGBODYLEN = 774131,           // "Zinglet/cfg/msgBodyLen"
    COL_SELFSTATUS = 774132,           // "Zinglet/cfg/selfStatus"
    COL_STATUSDESCR_CONNECTED = 774133,  // "Zinglet/cfg/statusDescrOnConnected"
    COL_MSGSTATUSLEN = 774134,         // "Zinglet/cfg/msgStatusLen"
    COL_CNT_STATUS = 774135,           // "Zinglet/events/cnt/status" (contact)
    COL_CNT_STATUSDESCR = 774136,      // "Zinglet/cfg/cnt/statusDescr" (contact)
    COL_CNT_MSG = 774137,              // "Zinglet/events/cnt/msg" (contact)
    COL_CNT_MSGBODY = 774138,          // "Zinglet/cfg/cnt/msgBody" (contact)
};

// Columns of the host's contact table that the plug-in reads.
enum ContactColumn {
    COLUMN_USER_ID = 0,      // text: the contact's identifier on its network
    COLUMN_NETWORK = 1,
    COLUMN_STATUS = 2,       // the whole status value
    COLUMN_FIRST_NAME = 6,   // text
    COLUMN_NAME = 8,         // text: the name the user gave the contact
    COLUMN_OTHER_NAME = 17,  // text: read when the name is empty
    COLUMN_GENDER = 20,      // 1 female, 2 male, else not set
    COLUMN_ICON = 30,        // an icon identifier, used when above 0
};

// Sends the 21 column declarations (host message 1102) in their fixed order.
void registerColumns();
// Reads the delay; a stored 0 becomes 2000 and is written back.
int normalizedDelay();
