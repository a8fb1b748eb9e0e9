// Events of the options page (host message 22200): filling the skin
// chooser from the skins directory, the preview button with its sample
// notifications, clicks on those samples, and dropping a contact's
// notifications on the host's request.
#include <string.h>
#include <string>
#include "action_info.h"
#include "config_columns.h"
#include "dispatch.h"
#include "host_icons.h"
#include "host_messages.h"
#include "network_states.h"
#include "notify_window.h"
#include "plugin_state.h"
#include "wide_text.h"

namespace {
const char NO_SKIN[] = "[brak]";
const size_t PATH_CAPACITY = 260;

const ActionRef CHOOSER = {BOUND_CONTROL | COL_SKIN, OPTIONS_PAGE, -2};
const ActionRef DIRECTORY_FIELD = {BOUND_CONTROL | COL_DIRECTORY, OPTIONS_PAGE, -2};

// The text operations on a control take its record in the short form.
enum ControlOperation {
    READ_VALUE = HOST_CONTROL_READ_VALUE,
    SET_TEXT = HOST_CONTROL_SET_TEXT,
    SET_VALUE = HOST_CONTROL_SET_VALUE,
};

int controlText(ControlOperation operation, const ActionRef& control, char* text, int capacity) {
    ActionInfo record = {};
    record.size = ACTION_INFO_SHORT;
    record.action = control;
    record.mask = operation == SET_TEXT ? ACTION_MASK_TEXT : ACTION_MASK_VALUE;
    record.text = text;
    if (operation == READ_VALUE) record.capacity = capacity;
    return hostCall(operation, (intptr_t)&record, 0);
}

void setControlText(ControlOperation operation, const ActionRef& control, const char* text) {
    controlText(operation, control, (char*)text, 0);
}

// The control's current value, always terminated.
void readControlValue(const ActionRef& control, char (&buffer)[PATH_CAPACITY]) {
    buffer[0] = 0;
    controlText(READ_VALUE, control, buffer, (int)sizeof(buffer));
    buffer[sizeof(buffer) - 1] = 0;
}

// The search pattern for the directory's definition files, or false when
// the directory is missing or too long to hold the pattern.
bool skinPattern(const char* directory, char (&pattern)[PATH_CAPACITY]) {
    if (!directory[0] || !PathExists1250(directory)) return false;
    const size_t length = strlen(directory);
    const bool ends = directory[length - 1] == '\\';
    // The backslash, "*.ini" and the terminator must fit.
    if (length + (ends ? 0 : 1) + 5 + 1 > sizeof(pattern)) return false;
    memcpy(pattern, directory, length + 1);
    if (!AddBackslash1250(pattern, sizeof(pattern))) return false;
    const size_t base = strlen(pattern);
    memcpy(pattern + base, "*.ini", 6);
    return true;
}

// The names of the definition files, each without ".ini" and followed by a
// line feed, in the order the file system gives them. The search is made by
// the wide name; the names go to the host in 1250, and a file whose name has
// no 1250 form is left out, since the host could not name it.
// A directory search, closed however the walk over it ends (the list's
// growth can throw).
class ScopedFind {
public:
    ScopedFind(const wchar_t* pattern, WIN32_FIND_DATAW* found) : search(FindFirstFileW(pattern, found)) {}
    ~ScopedFind() {
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;
    explicit operator bool() const { return search != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW* found) { return FindNextFileW(search, found) != FALSE; }

private:
    const HANDLE search;
};

void appendSkinNames(const char* pattern, std::string* list) {
    WIN32_FIND_DATAW found;
    WideText widePattern(pattern);
    ScopedFind search(widePattern.c_str(), &found);
    if (!search) return;
    std::string name;
    do {
        found.cFileName[MAX_PATH - 1] = 0;
        if (!NarrowTo1250(found.cFileName, &name)) continue;
        list->append(name, 0, name.size() >= 4 ? name.size() - 4 : 0);
        *list += "\n";
    } while (search.next(&found));
}

void refreshSkinList(const ActionRef& chooser) {
    char directory[PATH_CAPACITY];
    readControlValue(DIRECTORY_FIELD, directory);
    setConfigString(COL_DIRECTORY, directory);

    char pattern[PATH_CAPACITY];
    if (!skinPattern(directory, pattern)) {
        setControlText(SET_TEXT, chooser, "[brak]\n");
        setControlText(SET_VALUE, chooser, NO_SKIN);
        return;
    }
    std::string list = std::string(NO_SKIN) + "\n";
    appendSkinNames(pattern, &list);
    setControlText(SET_TEXT, chooser, list.c_str());

    char skin[PATH_CAPACITY];
    configString(COL_SKIN, skin, sizeof(skin));
    setControlText(SET_VALUE, chooser, skin);
}

struct Sample {
    const char* text;
    uint32_t icon;
    uint8_t iconFlags;
    int8_t displayTime;
    uint8_t clickable;
    int32_t origin[3];
};
const Sample SAMPLES[] = {
    {"<b>Kasia<b> jest dostępna", 0x40A00400, 0, 1, 0, {0, 0, -2}},
    {"Wiadomość od <b>Marta\r\n\"Cześć! Co słychać?\"", MESSAGE_ICON_ID, 0, 20, 1, {SAMPLE_MARTA, 1, -2}},
    {"<b>Łukasz<b> jest niedostępny", 0x40A00000, 0, 1, 0, {0, 0, -2}},
    {"<b>Marcin<b> zaraz wraca", 0x40A00410, 0, 3, 0, {0, 0, -2}},
    {"<b>Ola<b> zaraz wraca", 0x40A00410, 0, 3, 0, {0, 0, -2}},
    {"BŁĄD 404\r\nInfo błędu\r\nCoś o błędzie :)", 0, 0x10, -1, 1, {SAMPLE_ERROR, 1, -2}},
    {"Wiadomość od <b>Asia", MESSAGE_ICON_ID, 0, 20, 1, {SAMPLE_ASIA, 1, -2}},
    {"Wiadomość od <b>Adam", MESSAGE_ICON_ID, 0, 20, 1, {SAMPLE_ASIA, 1, -2}},
};

void showPreview() {
    char skin[PATH_CAPACITY];
    readControlValue(CHOOSER, skin);
    setConfigString(COL_SKIN, skin);
    rebuildNotificationWindow();
    if (!host) return;
    // Each sample takes the path of other plug-ins' requests, one after another.
    for (const Sample& s : SAMPLES) {
        PopupRequest r = {};
        r.size = NOTIFY_REQUEST_SIZE;
        r.id = NOTIFY_REQUEST;
        r.net = NOTIFY_NETWORK;
        r.typeMask = -1;
        r.text = s.text;
        r.iconFlags = s.iconFlags;
        r.displayTime = s.displayTime;
        r.clickable = s.clickable;
        r.icon = s.icon;
        r.originAction = s.origin[0];
        r.originParent = s.origin[1];
        r.originContact = s.origin[2];
        host->sendMessageTo(host->pluginId(), (HostMessage*)&r);
    }
}

void showSampleClicked(const char* sample) {
    std::string text = std::string("Kliknięto na okno Zinglet\n\n") + sample;
    ShowMessageBox(text.c_str(), MB_ICONINFORMATION);
}
}  // namespace

int onActionNotice(intptr_t p1) {
    const ActionNotice* notice = (const ActionNotice*)p1;
    if (!notice || notice->size < sizeof(ActionNotice)) return 0;
    const int32_t action = notice->action.actionId;
    const int32_t code = notice->code;
    if (((uint32_t)action >> 24) == 0x11) {
        const int32_t column = action & 0xEEFFFFFF;
        if (column == COL_SKIN && code == NOTICE_REFRESH)
            refreshSkinList(notice->action);
        else if (column == COL_DIRECTORY && code == NOTICE_CHANGED)
            refreshSkinList(CHOOSER);
        return 0;
    }
    if (action == PREVIEW_BUTTON && code == NOTICE_CLICK) {
        showPreview();
    } else if (code == NOTICE_CLICK && action == SAMPLE_MARTA) {
        showSampleClicked("Wiadomość od Marta");
    } else if (code == NOTICE_CLICK && action == SAMPLE_ERROR) {
        showSampleClicked("Informacje o błędzie");
    } else if (code == NOTICE_CLICK && action == SAMPLE_ASIA) {
        showSampleClicked("Wiadomość od Asia");
    } else if (action == REMOVE_CONTACT_ACTION && code == NOTICE_REFRESH) {
        sendToNotificationWindow(MSG_REMOVE_CONTACT, (WPARAM)notice->action.contact, 0);
    }
    return 0;
}
