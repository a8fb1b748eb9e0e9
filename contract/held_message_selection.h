// Which of the messages the host holds unread a call is about (p1 of host
// messages 103 and 106), byte-packed.
#pragma once
#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 1)
// All of them, newest last; `index` picks one for message 106.
struct HeldMessageSelection {
    uint16_t size;  // 30
    int32_t values[6];
    int32_t index;
};
#pragma pack(pop)
static_assert(sizeof(HeldMessageSelection) == 30, "");
static_assert(offsetof(HeldMessageSelection, values) == 2, "");
static_assert(offsetof(HeldMessageSelection, index) == 26, "");
