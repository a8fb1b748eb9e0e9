// The options controls' messages, answered in one place: 10101 declares a
// control (kept while the plug-in answers 22000), 10106 reads one, 10108
// sets its text and 10110 its value. The options window showing a control
// answers for it; otherwise the host keeps the text itself, and a control
// bound to a configuration column reads and writes that column.
#include "stand_in_host.h"
#include <stdlib.h>
#include <string.h>
#include "contract/action_info.h"
#include "host_text.h"

namespace {
// The record p1 points to, as far as it goes: false when it does not reach
// the caller's buffer size, the last field these messages read.
bool controlRecord(intptr_t p1, ActionInfo* out) {
    if (!p1) return false;
    uint16_t size;
    memcpy(&size, (const void*)p1, 2);
    if (size < offsetof(ActionInfo, capacity) + sizeof(out->capacity)) return false;
    *out = ActionInfo{};
    memcpy(out, (const void*)p1, size < sizeof(ActionInfo) ? size : sizeof(ActionInfo));
    return true;
}
}  // namespace

int StandInHost::answerDeclaration(const HostCall& call) {
    ControlDeclaration d;
    if (collectingControls && call.p1 && readDeclaration((const void*)call.p1, &d)) declared.push_back(d);
    return 1;
}

int StandInHost::answerReadControl(const HostCall& call) {
    ActionInfo a;
    if (!controlRecord(call.p1, &a)) return 0;
    char* buffer = (char*)a.text;
    if (!buffer || a.capacity <= 0) return 0;
    const int32_t action = a.action.actionId;
    std::string value;
    if (!controlPanel || !controlPanel->readControl(action, &value))
        value = isBoundControl(action) ? configTextValue(boundColumnOf(action)) : controlTexts[action];
    lstrcpynA(buffer, value.c_str(), a.capacity);
    return 1;
}

int StandInHost::answerSetControlText(const HostCall& call) {
    ActionInfo a;
    if (!controlRecord(call.p1, &a)) return 0;
    const int32_t action = a.action.actionId;
    std::string text = hostText(a.text);
    if (!controlPanel || !controlPanel->setControlText(action, text)) controlTexts[action] = text;
    return 1;
}

int StandInHost::answerSetControlValue(const HostCall& call) {
    ActionInfo a;
    if (!controlRecord(call.p1, &a)) return 0;
    const int32_t action = a.action.actionId;
    std::string value = hostText(a.text);
    if (controlPanel && controlPanel->setControlValue(action, value)) return 1;
    if (!isBoundControl(action)) {
        controlTexts[action] = value;
        return 1;
    }
    // The value of a bound control is stored in its column, as a number
    // where the column holds numbers.
    const int column = boundColumnOf(action);
    const Column* c = findColumn(configTable, column);
    if (c && c->type == VALUE_INT)
        setConfig(column, atoi(value.c_str()));
    else
        setConfig(column, value);
    return 1;
}
