#include "control_declarations.h"
#include <string.h>

namespace {
const size_t MAX_LABEL = 4096;
}

bool readDeclaration(const void* record, ControlDeclaration* out) {
    if (!record || !out) return false;
    ActionInfo a = {};
    uint16_t size = 0;
    memcpy(&size, record, 2);
    if (size < ACTION_INFO_SHORT) return false;
    memcpy(&a, record, size >= ACTION_INFO_LONG ? ACTION_INFO_LONG : ACTION_INFO_SHORT);
    out->actionId = a.action.actionId;
    out->parentId = a.action.parentId;
    out->contact = a.action.contact;
    out->kind = a.kind;
    out->param = a.param;
    out->width = a.width;
    out->height = a.height;
    std::string text;
    if (a.text) text.assign(a.text, strnlen(a.text, MAX_LABEL));
    splitLabel(text, &out->label, &out->tip);
    return true;
}

void splitLabel(const std::string& text, std::string* label, std::string* tip) {
    size_t mark = text.find('\x1A');
    *label = text.substr(0, mark);
    tip->clear();
    if (mark == std::string::npos) return;
    std::string rest = text.substr(mark + 1);
    *tip = rest.compare(0, 4, "tip=") == 0 ? rest.substr(4) : rest;
}

std::vector<ControlDeclaration> pageItems(const std::vector<ControlDeclaration>& all, int32_t page) {
    std::vector<ControlDeclaration> items;
    for (const ControlDeclaration& d : all)
        if (d.parentId == page && d.kind != KIND_PAGE) items.push_back(d);
    return items;
}
