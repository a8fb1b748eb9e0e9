// The options controls a plug-in declares with host message 10101, as the
// host keeps them: copied out of the plug-in's record at once, since the
// texts may live in the plug-in's stack buffers.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>
#include "contract/action_info.h"

// Whether a control's action id is BOUND_CONTROL with a column.
inline bool isBoundControl(int32_t actionId) { return ((uint32_t)actionId & 0xFF000000u) == (uint32_t)BOUND_CONTROL; }
// The column a bound control's action id carries.
inline int boundColumnOf(int32_t actionId) { return actionId & 0x00FFFFFF; }

struct ControlDeclaration {
    int32_t actionId = 0, parentId = 0, contact = -2;
    int32_t kind = 0;       // an ActionKind with its style bits
    int32_t param = 0;      // column of a bound control
    int width = 0, height = 0;  // 0: the host's default
    std::string label;      // the text before the tooltip mark
    std::string tip;        // the text after code 26 and "tip=", or ""

    bool bound() const { return isBoundControl(actionId); }
    int column() const { return bound() ? param : 0; }
};

// The declaration in a 10101 record of `size` bytes (74 or 78); false when
// the record is too short to hold one.
bool readDeclaration(const void* record, ControlDeclaration* out);

// A host label: the visible part, and the tooltip after code 26 "tip=".
void splitLabel(const std::string& text, std::string* label, std::string* tip);

// The declarations that belong to one page, in the order declared.
std::vector<ControlDeclaration> pageItems(const std::vector<ControlDeclaration>& all, int32_t page);
