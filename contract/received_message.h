// The host's record of one received message (p1 of host message 20100).
// A received message reads net, type, from, body and flags (up to byte 34);
// the window has the host fill the blank 58-byte form (window/listeners.cpp).
#pragma once
#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 1)
struct ReceivedMessage {
    uint16_t size;        // 58 in the blank form
    int32_t reserved2;
    int32_t net;
    int32_t type;         // only type 1 is notified
    const char* from;     // the sender's user identifier
    const char* text18;
    const char* body;     // zero-terminated message text
    const char* text26;
    int32_t flags;        // bit value 2: not notified
    int32_t reserved34;
    int32_t reserved38;
    int32_t contact;      // -2 none
    int32_t reserved46;
    int32_t reserved50;
    int32_t reserved54;
};
#pragma pack(pop)
static_assert(offsetof(ReceivedMessage, net) == 6, "");
static_assert(offsetof(ReceivedMessage, type) == 10, "");
static_assert(offsetof(ReceivedMessage, from) == 14, "");
static_assert(offsetof(ReceivedMessage, body) == 22, "");
static_assert(offsetof(ReceivedMessage, flags) == 30, "");
static_assert(offsetof(ReceivedMessage, text26) == 26, "");
static_assert(offsetof(ReceivedMessage, contact) == 42, "");
static_assert(offsetof(ReceivedMessage, reserved54) == 54, "");
static_assert(sizeof(ReceivedMessage) == 58, "the blank form is 58 bytes");
// A record must reach this far for the fields read to be there.
const uint16_t RECEIVED_MESSAGE_READ_SIZE = offsetof(ReceivedMessage, flags) + 4;
