// The options controls a plug-in declares with host message 10101, as the
// host keeps them: copied out of the plug-in's record at once, since the
// texts may live in the plug-in's stack buffers.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

enum ControlKind : int32_t {
    CONTROL_PAGE = 0x10,
    CONTROL_TARGET = 1,
    CONTROL_GROUP = 0xF0000,
    CONTROL_GROUP_END = 0x100000,
    CONTROL_COMMENT = 0x90000,
    CONTROL_VERSION = 0x90100,
    CONTROL_INFO = 0x80000,
    CONTROL_IMAGE = 0x110040,
    CONTROL_CHECK = 0x60000,
    CONTROL_NUMBER = 0xB0040,
    CONTROL_DIRECTORY = 0x8130000,
    CONTROL_CHOOSER = 0x116B040,
    CONTROL_BUTTON = 0xE0040,
};

struct ControlDeclaration {
    int32_t actionId = 0, parentId = 0, contact = -2;
    int32_t kind = 0;
    int32_t param = 0;      // column of a bound control
    int width = 0, height = 0;  // 0: the host's default
    std::string label;      // the text before the tooltip mark
    std::string tip;        // the text after code 26 and "tip=", or ""

    bool bound() const { return ((uint32_t)actionId >> 24) == 0x11; }
    int column() const { return bound() ? param : 0; }
};

// The declaration in a 10101 record of `size` bytes (74 or 78); false when
// the record is too short to hold one.
bool readDeclaration(const void* record, ControlDeclaration* out);

// A host label: the visible part, and the tooltip after code 26 "tip=".
void splitLabel(const std::string& text, std::string* label, std::string* tip);

// The declarations that belong to one page, in the order declared.
std::vector<ControlDeclaration> pageItems(const std::vector<ControlDeclaration>& all, int32_t page);
