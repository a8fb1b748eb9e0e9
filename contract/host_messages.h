// The numbers of the host messages the plug-in sends and receives, and the
// protocol constants that go with them. Every place that sends or reads one
// uses its name here.
#pragma once
#include <stdint.h>
#include "vorlane_notify.h"

enum HostMessageId : int {
    // Sent to the host (hostCall / hostCallNet).
    HOST_LOG_LINE = 1,                // p1 the line, p2 its buffer size
    HOST_HELD_MESSAGE_COUNT = 103,    // p1 a held-message selection
    HOST_HELD_MESSAGE_READ = 106,     // p1 the selection, p2 a blank ReceivedMessage
    HOST_CONTACT_ROW = 200,           // p1 the network, p2 the user identifier
    HOST_REGISTER_COLUMN = 1102,      // the whole record is a ColumnRegistration
    HOST_DECLARE_ACTION = 10101,      // p1 an ActionInfo
    HOST_ACTION_NOTICE = 10103,       // p1 an ActionNotice: a click on a notification
    HOST_CONTROL_READ_VALUE = 10106,  // p1 an ActionInfo with the caller's buffer
    HOST_CONTROL_SET_TEXT = 10108,    // p1 an ActionInfo with the control's text
    HOST_CONTROL_SET_VALUE = 10110,   // p1 an ActionInfo with the control's value
    HOST_REGISTER_ICON = 10130,       // p1 an IconRegistration
    HOST_ICON_INDEX = 10133,          // p1 an icon identifier, p2 1: its index in the list
    HOST_ICON_LIST = 10134,           // p1 1: the host's icon image list
    HOST_NO_WINDOW_ENTRY = 13003,     // p1 a contact row: non-zero, no notification wanted

    // Received from the host (IMessageProc).
    HOST_START = 20001,               // p1 the HostControl
    HOST_STOP = 20002,
    HOST_QUERY_20020 = 20020,         // answered with a fixed constant
    HOST_QUERY_20021 = 20021,         // answered with a fixed constant
    HOST_MESSAGE_RECEIVED = 20100,    // p1 a ReceivedMessage
    HOST_DECLARE_COLUMNS = 21001,
    HOST_SETTINGS_CHANGED = 21020,
    HOST_BUILD_OPTIONS = 22000,
    HOST_WINDOW_CREATE = 22100,
    HOST_WINDOW_TEAR_DOWN = 22101,
    HOST_ACTION_EVENT = 22200,        // p1 an ActionNotice
    HOST_CONTACT_STATUS = 24011,      // a HostMessageStatus: row, status, description
    HOST_NETWORK_STATUS = 24012,      // a HostMessageStatus: plug-in, status, description

    // Asked of every plug-in, this one included (pluginCall / hostCallNet).
    PLUGIN_NETWORK = 30010,           // the plug-in's network number
    PLUGIN_TYPE = 30011,              // a fixed constant
    PLUGIN_VERSION = 30012,           // the version text
    PLUGIN_SHORT_NAME = 30013,
    PLUGIN_PLATFORM = 30014,          // a fixed constant text
    PLUGIN_QUERY_30015 = 30015,       // answered 0
    PLUGIN_DISPLAY_NAME = 30016,
    PLUGIN_QUERY_30017 = 30017,       // answered 0
    PLUGIN_NETWORK_STATUS = 30031,    // asked of a contact's network plug-in
};

// The constant answers of the identity questions.
const int PLUGIN_TYPE_ANSWER = 652;
const int QUERY_20020_ANSWER = 2;
const int QUERY_20021_ANSWER = 224;

// Received messages: the host's action a click on a message notification
// stands for (action, parent), with the sender's contact row.
const int32_t MESSAGE_ORIGIN_ACTION = 130;
const int32_t MESSAGE_ORIGIN_PARENT = 30;

// Action ids of the plug-in's options page and its events.
const int32_t OPTIONS_PAGE = 774000;
const int32_t CONTACT_PAGE = 774001;
const int32_t PREVIEW_BUTTON = 774116;
const int32_t SAMPLE_MARTA = 774117, SAMPLE_ERROR = 774118, SAMPLE_ASIA = 774119;
// Events on this action (the configuration column "Zinglet/events/status")
// ask for a contact's notifications to be dropped.
const int32_t REMOVE_CONTACT_ACTION = 774120;
// Controls bound to a configuration column are known to the host by this
// id OR the column, under the options page.
const int32_t BOUND_CONTROL = 0x11000000;

// Codes of an ActionNotice.
const int32_t NOTICE_CLICK = 1, NOTICE_REFRESH = 10, NOTICE_CHANGED = 100;
