// Host messages the stand-in host answers itself (net 0), as the plug-in
// relies on them: log, contact lookup, columns, icons, clicks, held messages
// and the options controls.
#include "stand_in_host.h"
#include <stdlib.h>
#include <string.h>

namespace {
const size_t MAX_TEXT = 65536;

std::string textAt(const char* p) {
    if (!p) return std::string();
    size_t n = 0;
    while (n < MAX_TEXT && p[n]) n++;
    return std::string(p, n);
}

int32_t int32At(const void* record, size_t offset) {
    int32_t v;
    memcpy(&v, (const uint8_t*)record + offset, 4);
    return v;
}

void putInt32(void* record, size_t offset, int32_t v) { memcpy((uint8_t*)record + offset, &v, 4); }

std::vector<uint8_t> bytesAt(const void* p, size_t n) {
    const uint8_t* b = (const uint8_t*)p;
    return std::vector<uint8_t>(b, b + n);
}

bool isOptionsMessage(int id) { return id == 10101 || id == 10106 || id == 10108 || id == 10110; }

// Options controls bound to a column carry it in their action id.
bool boundColumn(int32_t actionId, int* column) {
    if ((actionId & 0xFF000000) != 0x11000000) return false;
    *column = actionId & 0x00FFFFFF;
    return true;
}
}  // namespace

int StandInHost::hostMessage(HostMessage* message, Sent& record) {
    const int id = message->id;
    const bool hasParams = message->size >= sizeof(HostMessage2);
    const intptr_t p1 = hasParams ? ((HostMessage2*)message)->p1 : 0;
    const intptr_t p2 = hasParams ? ((HostMessage2*)message)->p2 : 0;

    // What the plug-in handed over by pointer, for the tests to read.
    if (p1) {
        if (id == 1) record.p1Text = textAt((const char*)p1);
        if (id == 10103 || id == 103) record.p1Bytes = bytesAt((void*)p1, sizeof(ActionNotice));
        if (id == 10130) record.p1Bytes = bytesAt((void*)p1, 36);
        if (isOptionsMessage(id)) {
            uint16_t size;
            memcpy(&size, (void*)p1, 2);
            record.p1Bytes = bytesAt((void*)p1, size >= 2 && size <= 78 ? size : 74);
            if (id != 10106 && record.p1Bytes.size() >= 54) {
                const char* text;
                memcpy(&text, (uint8_t*)p1 + 50, 4);
                record.p1Text = textAt(text);
            }
        }
    }
    if (id == 1102 && message->size >= sizeof(ColumnRegistration))
        record.p1Text = textAt(((ColumnRegistration*)message)->key);

    if (isOptionsMessage(id) && p1 && optionsControls) {
        int answer = 0;
        lastErrorCode = 0;
        if (optionsControls(id, p1, &answer)) return answer;
    }

    auto extra = handlers.find(id);
    if (extra != handlers.end() && extra->second) {
        lastErrorCode = 0;
        return extra->second(message);
    }

    lastErrorCode = 0;
    switch (id) {
    case 1:
        log.push_back(record.p1Text);
        return 1;
    case 200: {
        if (!p2) return -1;
        std::string user = textAt((const char*)p2);
        for (int row = 1; row <= contactRows; row++)
            if (contactIntValue(row, 1) == (int)p1 && contactTextValue(row, 0) == user) return row;
        return -1;
    }
    case 1102: {
        if (message->size < sizeof(ColumnRegistration)) {
            lastErrorCode = 1;
            return 0;
        }
        const ColumnRegistration* r = (const ColumnRegistration*)message;
        Column c;
        c.table = r->table;
        c.column = r->column;
        c.type = r->type;
        c.defaultInt = r->type == VALUE_TEXT ? 0 : (int32_t)r->defaultValue;
        if (r->type == VALUE_TEXT) c.defaultText = textAt((const char*)r->defaultValue);
        c.key = textAt(r->key);
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
    case 10130: {
        if (!p1) return 0;
        int number = int32At((void*)p1, 4);
        HINSTANCE owner = (HINSTANCE)(intptr_t)int32At((void*)p1, 20);
        int resource = int32At((void*)p1, 24);
        registeredIcons[number] = resource;
        imageList();
        HICON icon = (HICON)LoadImageA(owner, MAKEINTRESOURCEA(resource), IMAGE_ICON, 16, 16, 0);
        if (icon && icons) {
            // Declared again (the options are asked for again): the same slot.
            auto known = iconIndices.find(number);
            int index = known != iconIndices.end() ? ImageList_ReplaceIcon(icons, known->second, icon)
                                                  : ImageList_AddIcon(icons, icon);
            if (index >= 0) iconIndices[number] = index;
        }
        if (icon) DestroyIcon(icon);
        return 1;
    }
    case 10133:
        return iconIndex((int)p1);
    case 10134:
        return (int)(intptr_t)imageList();
    case 10103: {
        if (!p1) return 0;
        ActionNotice notice;
        memcpy(&notice, (void*)p1, sizeof(notice));
        int action = notice.action.actionId;
        if (echoSampleClicks && action >= 774117 && action <= 774119) {
            ActionNotice echo = notice;
            echo.size = sizeof(echo);
            send(22200, (intptr_t)&echo, 0);
        }
        return 1;
    }
    case 13003:
        return answer13003;
    case 103:
        if (!p1 || *(const uint16_t*)p1 != 30) return 0;
        return (int)heldMessages.size();
    case 106: {
        if (!p1 || !p2 || *(const uint16_t*)p1 < 30 || *(const uint16_t*)p2 < 58) return 0;
        int i = int32At((void*)p1, 26);
        if (i < 0 || i >= (int)heldMessages.size()) return 0;
        const HeldMessage& h = heldMessages[i];
        putInt32((void*)p2, 6, h.net);
        putInt32((void*)p2, 10, h.type);
        putInt32((void*)p2, 14, (int32_t)(intptr_t)h.from.c_str());
        putInt32((void*)p2, 22, (int32_t)(intptr_t)h.body.c_str());
        return 1;
    }
    case 10101:
        return 1;
    case 10106:
    case 10108:
    case 10110: {
        if (!p1 || record.p1Bytes.size() < 58) return 0;
        int32_t action = int32At((void*)p1, 2);
        char* text;
        memcpy(&text, (uint8_t*)p1 + 50, 4);
        int32_t capacity = int32At((void*)p1, 54);
        int column = 0;
        bool bound = boundColumn(action, &column);
        if (id == 10108) {
            controlTexts[action] = record.p1Text;
        } else if (id == 10110) {
            if (!bound) {
                controlTexts[action] = record.p1Text;
            } else {
                const Column* c = findColumn(configTable, column);
                if (c && c->type == VALUE_INT)
                    setConfig(column, atoi(record.p1Text.c_str()));
                else
                    setConfig(column, record.p1Text);
            }
        } else {
            if (!text || capacity <= 0) return 0;
            std::string value = bound ? configTextValue(column) : controlTexts[action];
            lstrcpynA(text, value.c_str(), capacity);
        }
        return 1;
    }
    default:
        lastErrorCode = 1;  // nothing here handles it
        return 0;
    }
}
