// The record of the host's options controls (p1 of host messages 10101,
// 10106, 10108 and 10110), byte-packed. Fields without a name carry no
// value the plug-in relies on; they are written as the host expects.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "host_api.h"
#include "host_messages.h"

#pragma pack(push, 1)
struct ActionInfo {
    uint16_t size;       // 74; 78 for the long form
    ActionRef action;    // contact -2 when declaring
    int32_t field14;     // -1 when declaring, 0 in the text operations
    int32_t field18;
    int32_t field22;     // 0 in the text operations
    int32_t field26;
    int32_t mask;        // which fields the host takes
    int32_t kind;        // control kind and style bits
    int32_t field38;     // -1 when declaring
    int32_t field42;
    int32_t field46;     // 0 when declaring
    const char* text;    // label, value or list; or the caller's buffer
    int32_t capacity;    // size of that buffer when text is read
    int32_t field58;     // 0 when declaring
    int32_t param;       // column of a bound control, icon of a page, else 0
    int32_t field66;     // 0 when declaring
    uint16_t width;      // pixels, 0 host default
    uint16_t height;
    int16_t adjustX;     // long form only
    int16_t adjustY;
};
#pragma pack(pop)
static_assert(offsetof(ActionInfo, action) == 2, "");
static_assert(offsetof(ActionInfo, field14) == 14, "");
static_assert(offsetof(ActionInfo, field18) == 18, "");
static_assert(offsetof(ActionInfo, field22) == 22, "");
static_assert(offsetof(ActionInfo, field26) == 26, "");
static_assert(offsetof(ActionInfo, mask) == 30, "");
static_assert(offsetof(ActionInfo, kind) == 34, "");
static_assert(offsetof(ActionInfo, field38) == 38, "");
static_assert(offsetof(ActionInfo, field42) == 42, "");
static_assert(offsetof(ActionInfo, field46) == 46, "");
static_assert(offsetof(ActionInfo, text) == 50, "");
static_assert(offsetof(ActionInfo, capacity) == 54, "");
static_assert(offsetof(ActionInfo, field58) == 58, "");
static_assert(offsetof(ActionInfo, param) == 62, "");
static_assert(offsetof(ActionInfo, field66) == 66, "");
static_assert(offsetof(ActionInfo, width) == 70, "");
static_assert(offsetof(ActionInfo, height) == 72, "");
static_assert(offsetof(ActionInfo, adjustX) == 74, "");
static_assert(offsetof(ActionInfo, adjustY) == 76, "");
static_assert(sizeof(ActionInfo) == 78, "the long form is 78 bytes");

const uint16_t ACTION_INFO_SHORT = 74;
const uint16_t ACTION_INFO_LONG = 78;
const int32_t ACTION_MASK_DECLARE = 863;  // 0x35F
const int32_t ACTION_MASK_TEXT = 0x40;
const int32_t ACTION_MASK_VALUE = 0x10040;

// Control kinds and style bits of a declared action.
enum ActionKind : int32_t {
    KIND_PAGE = 0x10,
    KIND_TARGET = 1,
    KIND_GROUP = 0xF0000,
    KIND_GROUP_END = 0x100000,
    KIND_COMMENT = 0x90000,
    KIND_VERSION = 0x90100,
    KIND_INFO = 0x80000,
    KIND_IMAGE = 0x110040,
    KIND_CHECK = 0x60000,
    KIND_NUMBER = 0xB0040,
    KIND_DIRECTORY = 0x8130000,
    KIND_CHOOSER = 0x116B040,
    KIND_BUTTON = 0xE0040,
    KIND_EVENTS = 0x1000001,
};

// The groups declared actions belong to (parentId).
const int PAGE_GROUP = 46;
const int CONTACT_GROUP = 71;
const int TARGET_GROUP = 1;
const int EVENTS_GROUP = 200;
