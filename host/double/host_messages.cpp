// Host messages the stand-in host answers itself (net 0), as the plug-in
// relies on them: log, contact lookup, columns, icons, clicks and held
// messages, one answer each. The options controls' answers are in
// options_controls.cpp.
#include "stand_in_host.h"
#include <string.h>
#include "contract/action_info.h"
#include "contract/config_columns.h"
#include "contract/held_message_selection.h"
#include "contract/host_icons.h"
#include "contract/received_message.h"
#include "host_text.h"

namespace {
std::vector<uint8_t> bytesAt(const void* p, size_t n) {
    const uint8_t* b = (const uint8_t*)p;
    return std::vector<uint8_t>(b, b + n);
}

bool isControlMessage(int id) {
    return id == HOST_DECLARE_ACTION || id == HOST_CONTROL_READ_VALUE || id == HOST_CONTROL_SET_TEXT ||
           id == HOST_CONTROL_SET_VALUE;
}
}  // namespace

StandInHost::HostAnswer StandInHost::answerOf(int id) {
    static const struct {
        int id;
        HostAnswer answer;
    } ANSWERS[] = {
        {HOST_LOG_LINE, &StandInHost::answerLogLine},
        {HOST_HELD_MESSAGE_COUNT, &StandInHost::answerHeldCount},
        {HOST_HELD_MESSAGE_READ, &StandInHost::answerHeldMessage},
        {HOST_CONTACT_ROW, &StandInHost::answerContactRow},
        {HOST_REGISTER_COLUMN, &StandInHost::answerColumn},
        {HOST_DECLARE_ACTION, &StandInHost::answerDeclaration},
        {HOST_ACTION_NOTICE, &StandInHost::answerClick},
        {HOST_CONTROL_READ_VALUE, &StandInHost::answerReadControl},
        {HOST_CONTROL_SET_TEXT, &StandInHost::answerSetControlText},
        {HOST_CONTROL_SET_VALUE, &StandInHost::answerSetControlValue},
        {HOST_REGISTER_ICON, &StandInHost::answerIcon},
        {HOST_ICON_INDEX, &StandInHost::answerIconIndex},
        {HOST_ICON_LIST, &StandInHost::answerIconList},
        {HOST_NO_WINDOW_ENTRY, &StandInHost::answerNoWindowEntry},
    };
    for (const auto& a : ANSWERS)
        if (a.id == id) return a.answer;
    return nullptr;
}

// What the plug-in handed over by pointer, for the tests to read.
void StandInHost::recordPointers(HostMessage* message, intptr_t p1, Sent& record) const {
    const int id = message->id;
    if (id == HOST_REGISTER_COLUMN && message->size >= sizeof(ColumnRegistration))
        record.p1Text = hostText(((ColumnRegistration*)message)->key);
    if (!p1) return;
    if (id == HOST_LOG_LINE) record.p1Text = hostText((const char*)p1);
    if (id == HOST_ACTION_NOTICE) record.p1Bytes = bytesAt((void*)p1, sizeof(ActionNotice));
    if (id == HOST_HELD_MESSAGE_COUNT) record.p1Bytes = bytesAt((void*)p1, sizeof(HeldMessageSelection));
    if (id == HOST_REGISTER_ICON) record.p1Bytes = bytesAt((void*)p1, sizeof(IconRegistration));
    if (isControlMessage(id)) {
        uint16_t size;
        memcpy(&size, (void*)p1, 2);
        record.p1Bytes = bytesAt((void*)p1, size >= 2 && size <= ACTION_INFO_LONG ? size : ACTION_INFO_SHORT);
        if (id != HOST_CONTROL_READ_VALUE && record.p1Bytes.size() >= offsetof(ActionInfo, text) + 4) {
            const char* text;
            memcpy(&text, (uint8_t*)p1 + offsetof(ActionInfo, text), sizeof(text));
            record.p1Text = hostText(text);
        }
    }
}

int StandInHost::hostMessage(HostMessage* message, Sent& record) {
    const bool hasParams = message->size >= sizeof(HostMessage2);
    const intptr_t p1 = hasParams ? ((HostMessage2*)message)->p1 : 0;
    const intptr_t p2 = hasParams ? ((HostMessage2*)message)->p2 : 0;
    recordPointers(message, p1, record);

    lastErrorCode = 0;
    int result = 0;
    if (answerers.ask(Address::hostMessage(message->id), message, &result)) return result;
    HostAnswer answer = answerOf(message->id);
    if (!answer) {
        lastErrorCode = 1;  // nothing here handles it
        return 0;
    }
    return (this->*answer)(HostCall{message, p1, p2, record});
}

int StandInHost::answerLogLine(const HostCall& call) {
    log.push_back(call.record.p1Text);
    return 1;
}

int StandInHost::answerHeldCount(const HostCall& call) {
    const HeldMessageSelection* selection = (const HeldMessageSelection*)call.p1;
    if (!selection || selection->size != sizeof(HeldMessageSelection)) return 0;
    return (int)heldMessages.size();
}

// Fills the caller's blank record with the held message the selection
// picks; the texts stay the host's.
int StandInHost::answerHeldMessage(const HostCall& call) {
    const HeldMessageSelection* selection = (const HeldMessageSelection*)call.p1;
    ReceivedMessage* blank = (ReceivedMessage*)call.p2;
    if (!selection || !blank || selection->size < sizeof(HeldMessageSelection) ||
        blank->size < sizeof(ReceivedMessage))
        return 0;
    int i = selection->index;
    if (i < 0 || i >= (int)heldMessages.size()) return 0;
    const HeldMessage& h = heldMessages[i];
    blank->net = h.net;
    blank->type = h.type;
    blank->from = h.from.c_str();
    blank->body = h.body.c_str();
    return 1;
}

int StandInHost::answerContactRow(const HostCall& call) {
    if (!call.p2) return -1;
    std::string user = hostText((const char*)call.p2);
    for (int row = 1; row <= contactRows; row++)
        if (contactIntValue(row, COLUMN_NETWORK) == (int)call.p1 && contactTextValue(row, COLUMN_USER_ID) == user)
            return row;
    return -1;
}

int StandInHost::answerColumn(const HostCall& call) {
    if (call.message->size < sizeof(ColumnRegistration)) {
        lastErrorCode = 1;
        return 0;
    }
    const ColumnRegistration* r = (const ColumnRegistration*)call.message;
    Column c;
    c.table = r->table;
    c.column = r->column;
    c.type = r->type;
    c.defaultInt = r->type == VALUE_TEXT ? 0 : (int32_t)r->defaultValue;
    if (r->type == VALUE_TEXT) c.defaultText = hostText((const char*)r->defaultValue);
    c.key = hostText(r->key);
    columns.push_back(c);
    // A configuration value stored before the declaration is kept.
    if (c.table == configTable && !configCells.count(c.column)) {
        if (c.type == VALUE_TEXT)
            setConfig(c.column, c.defaultText);
        else
            setConfig(c.column, c.defaultInt);
    }
    return 1;
}

// A click on a notification. A click on a preview sample comes back to the
// plug-in as an action event, as the real host does.
int StandInHost::answerClick(const HostCall& call) {
    if (!call.p1) return 0;
    ActionNotice notice;
    memcpy(&notice, (void*)call.p1, sizeof(notice));
    int action = notice.action.actionId;
    if (echoSampleClicks && action >= SAMPLE_MARTA && action <= SAMPLE_ASIA) {
        ActionNotice echo = notice;
        echo.size = sizeof(echo);
        send(HOST_ACTION_EVENT, (intptr_t)&echo, 0);
    }
    return 1;
}

int StandInHost::answerIcon(const HostCall& call) {
    if (!call.p1) return 0;
    IconRegistration r;
    memcpy(&r, (void*)call.p1, sizeof(r));
    registeredIcons[r.number] = r.resource;
    imageList();
    HICON icon = (HICON)LoadImageA(r.module, MAKEINTRESOURCEA(r.resource), IMAGE_ICON, 16, 16, 0);
    if (icon && icons) {
        // Declared again (the options are asked for again): the same slot.
        auto known = iconIndices.find(r.number);
        int index = known != iconIndices.end() ? ImageList_ReplaceIcon(icons, known->second, icon)
                                              : ImageList_AddIcon(icons, icon);
        if (index >= 0) iconIndices[r.number] = index;
    }
    if (icon) DestroyIcon(icon);
    return 1;
}

int StandInHost::answerIconIndex(const HostCall& call) { return iconIndex((int)call.p1); }

int StandInHost::answerIconList(const HostCall&) { return (int)(intptr_t)imageList(); }

int StandInHost::answerNoWindowEntry(const HostCall&) { return answer13003; }
