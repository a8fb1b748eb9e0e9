// Status notifications: a contact's status or description changed (24011),
// or a network plug-in's own status changed (24012). Contact changes on a
// network are ignored until it has reported its own status, and for a few
// seconds after each such report, when the host replays the contact list.
#include <stdio.h>
#include <time.h>
#include <string>
#include "clock.h"
#include "config_columns.h"
#include "dispatch.h"
#include "host_icons.h"
#include "host_messages.h"
#include "info_record.h"
#include "network_states.h"
#include "notify_window.h"
#include "plugin_state.h"
#include "notification_queue.h"
#include "quoted_start.h"

namespace {
const int GENDER_FEMALE = 1, GENDER_MALE = 2;

struct StatusText {
    int code;
    const char* female;
    const char* male;
};
const StatusText CONTACT_TEXTS[] = {
    {0x00, "<b> jest niedostępna", "<b> jest niedostępny"},
    {0x01, "<b> ignoruje Cię", "<b> ignoruje Cię"},
    {0x21, "<b> jest nieosiągalna", "<b> jest nieosiągalny"},
    {0x22, "<b> jest zajęta", "<b> jest zajęty"},
    {0x40, "<b> jest dostępna", "<b> jest dostępny"},
    {0x41, "<b> zaraz wraca", "<b> zaraz wraca"},
    {0x43, "<b> chce rozmawiać", "<b> chce rozmawiać"},
    {0x44, "<b> auto-away", "<b> auto-away"},
};

struct OwnStatusName {
    int code;
    const char* name;
};
const OwnStatusName OWN_STATUS_NAMES[] = {
    {0x00, "niedostępny"}, {0x01, "blokujący"}, {0x21, "nieosiągalny"},
    {0x22, "nie przeszkadzać"}, {0x40, "dostępny"}, {0x41, "zaraz wracam"},
    {0x42, "ukryty"}, {0x43, "pogadam"}, {0x44, "auto-away"},
};

const char FAILED_OPENING[] = "Nieudane łączenie z siecią \"<b>";
const char CONNECTING_OPENING[] = "Łączę z siecią \"<b>";
const char STATUS_OPENING[] = "Status na \"<b>";
const char STATUS_MIDDLE[] = "<b>\" zmieniony na \"<b>";
const char DESCRIPTION_OPENING[] = "Opis na \"<b>";
const char DESCRIPTION_CLOSE[] = "<b>\" zmieniony";
const char NAME_CLOSE[] = "<b>\"";

std::string hexCode(const char* format, int code) {
    char text[32];
    snprintf(text, sizeof(text), format, code);
    return text;
}

std::string contactStatusText(int code, int gender) {
    for (const StatusText& t : CONTACT_TEXTS)
        if (t.code == code) return gender == GENDER_FEMALE ? t.female : t.male;
    return hexCode("<b> [0x%x]", code);
}

std::string ownStatusName(int code) {
    for (const OwnStatusName& n : OWN_STATUS_NAMES)
        if (n.code == code) return n.name;
    return hexCode("[0x%x]", code);
}

bool hasText(const char* text) { return text && text[0]; }

// Shown for one delay, not clickable, with an icon of the host's list.
void showStatusNotice(const std::string& text, const HostIcon& icon) {
    NotificationRequest n = {};
    n.text = text.c_str();
    n.imageList = icon.list;
    n.imageIndex = icon.index;
    n.displayTime = 1;
    sendToNotificationWindow(MSG_ADD_NOTIFICATION, 0, (LPARAM)&n);
}

// The contact's gender, guessed from the name's last letter when unset.
int contactGender(int row, const std::string& shownText) {
    int g = contactInt(row, COLUMN_GENDER);
    if (g == GENDER_FEMALE || g == GENDER_MALE) return g;
    char firstName[260];
    contactString(row, COLUMN_FIRST_NAME, firstName, sizeof(firstName));
    std::string name = firstName[0] ? std::string(firstName) : shownText;
    return !name.empty() && name.back() == 'a' ? GENDER_FEMALE : GENDER_MALE;
}

// Whether this contact change falls in a quiet period of its network;
// writes the log line that says why it is dropped.
bool droppedForNetwork(int net, const NetworkState& state) {
    const int32_t now = calendarNow();
    const int32_t ago = now - state.changedAt;
    if (ago >= QUIET_SECONDS) return false;
    time_t at = (time_t)state.changedAt;
    const struct tm* local = localtime(&at);
    const char* when = local ? asctime(local) : nullptr;
    logLine("zmiana statusu sieci %d o %s, czyli %d sekund temu, ignoruję nowy status kontaktu", net,
            when ? when : "?\n", ago);
    return true;
}
}  // namespace

int onContactStatusChanged(intptr_t rowValue, intptr_t statusValue, const char* description) {
    if (!configInt(COL_EVENTS_STATUS)) return 0;
    const int row = (int)rowValue;
    const int status = (int)statusValue;
    if (!contactInt(row, COL_CNT_STATUS)) return 0;
    bool showDescription = configInt(COL_STATUSDESCR) != 0;
    if (!contactInt(row, COL_CNT_STATUSDESCR)) showDescription = false;

    const int net = contactInt(row, COLUMN_NETWORK);
    const NetworkState* state = networkState(net);
    if (!state) {
        logLine("Nie znalazłem informacji o statusie sieci - ignoruję nowy status kontaktu");
        return 0;
    }
    if (droppedForNetwork(net, *state)) return 0;
    if (!configInt(COL_STATUSDESCR_CONNECTED) && descriptionsHeldBack(net, currentTick())) showDescription = false;

    const int answer = hostCallNet(PLUGIN_NETWORK_STATUS, contactInt(row, COLUMN_NETWORK), -1, 0, 0);
    if (host && host->lastError() == 0 && (answer & STATUS_CODE_MASK) == 0) return 0;

    // A description-only change (-1) has every bit set; only a real status
    // can carry the no-notice mark.
    if (status != STATUS_DESCRIPTION_ONLY && (status & STATUS_SILENT)) return 0;
    const int old = contactInt(row, COLUMN_STATUS);
    if (old & STATUS_SILENT) return 0;
    const bool onlyDescription =
        status == STATUS_DESCRIPTION_ONLY || (old & STATUS_CODE_MASK) == (status & STATUS_CODE_MASK);
    if (onlyDescription && !showDescription) return 0;

    int iconId = contactInt(row, COLUMN_ICON);
    if (iconId <= 0) iconId = (int)statusIconId(contactInt(row, COLUMN_NETWORK), status);
    const HostIcon icon = hostIcon((uint32_t)iconId);

    const std::string name = contactDisplayName(row);
    std::string text = "<b>" + name;
    const int gender = contactGender(row, text);
    if (onlyDescription)
        text += gender == GENDER_FEMALE ? "<b> zmieniła opis" : "<b> zmienił opis";
    else
        text += contactStatusText(status & STATUS_CODE_MASK, gender);

    // A limit of 0 or less shows the whole description.
    if (hasText(description) && showDescription)
        appendQuotedStart(text, description, configInt(COL_MSGSTATUSLEN));
    showStatusNotice(text, icon);

    if (configInt(COL_USEVINDLE)) {
        std::string record = setInfoField(std::string(), "status", std::to_string(status & STATUS_CODE_MASK));
        record = setInfoField(record, "name", name);
        sendToNotificationWindow(MSG_BROADCAST_TEXT, NOTIFY_INFO_STATUS, (LPARAM)record.c_str());
    }
    return 0;
}

int onNetworkStatusChanged(intptr_t plugin, intptr_t statusValue, const char* description) {
    if (!configInt(COL_SELFSTATUS)) return 0;
    const int status = (int)statusValue;
    const int net = pluginCall(PLUGIN_NETWORK, (int)plugin, 0, 0);
    // The network's state changes before anything is shown.
    const int previous = recordNetworkStatus(net, status, calendarNow(), currentTick());

    const HostIcon icon = hostIcon(statusIconId(net, status));
    const int code = status & STATUS_CODE_MASK;
    const bool onlyDescription = status == STATUS_DESCRIPTION_ONLY || (previous & STATUS_CODE_MASK) == code;
    if (onlyDescription && status == 0) return 0;

    // The host's text is copied at once.
    const char* answered = (const char*)(intptr_t)hostCallNet(PLUGIN_DISPLAY_NAME, net, 2, 0, 0);
    const std::string netName = answered ? std::string(answered) : std::string("???");

    // A network's own description is shown whole.
    std::string descriptionPart;
    if (hasText(description)) appendQuotedStart(descriptionPart, description, 0);

    std::string text;
    if ((previous & STATUS_CODE_MASK) == STATUS_CONNECTING && code == 0)
        text = FAILED_OPENING + netName + NAME_CLOSE;
    else if (onlyDescription)
        text = DESCRIPTION_OPENING + netName + DESCRIPTION_CLOSE + descriptionPart;
    else if (code == STATUS_CONNECTING)
        text = CONNECTING_OPENING + netName + NAME_CLOSE + descriptionPart;
    else
        text = STATUS_OPENING + netName + STATUS_MIDDLE + ownStatusName(code) + NAME_CLOSE + descriptionPart;

    showStatusNotice(text, icon);
    return 0;
}
