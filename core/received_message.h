// The host's record of one received message (p1 of host message 20100).
// Only the fields below are read; the record is longer (58 bytes in the
// blank form the window has the host fill, window/listeners.cpp).
#pragma once
#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 1)
struct ReceivedMessage {
    uint16_t size;
    int32_t reserved2;
    int32_t net;
    int32_t type;         // only type 1 is notified
    const char* from;     // the sender's user identifier
    const char* text18;
    const char* body;     // zero-terminated message text
    const char* text26;
    int32_t flags;        // bit value 2: not notified
};
#pragma pack(pop)
static_assert(offsetof(ReceivedMessage, net) == 6, "");
static_assert(offsetof(ReceivedMessage, type) == 10, "");
static_assert(offsetof(ReceivedMessage, from) == 14, "");
static_assert(offsetof(ReceivedMessage, body) == 22, "");
static_assert(offsetof(ReceivedMessage, flags) == 30, "");
static_assert(sizeof(ReceivedMessage) == 34, "the fields read end at 34");
