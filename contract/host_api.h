// Layers: contract (here, the bottom) <- skin <- window <- core; this folder includes no other.
//
// Records exchanged with the Vorlane host and the control object it hands us.
// All records are little-endian and byte-packed unless noted; a receiver
// checks `size` before reading the fields of a longer form.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
// PopupRequest and the plug-in's numbers, shared with other plug-ins and programs.
#include "vorlane_notify.h"

#pragma pack(push, 1)

struct HostMessage {
    uint16_t size;
    int32_t id;
    int32_t reserved1;
    int32_t net;       // 0 the host, 774 this plug-in
    int32_t typeMask;  // 0 towards the host, -1 any
    int32_t reserved2;
};
static_assert(sizeof(HostMessage) == 22, "HostMessage is 22 bytes");
static_assert(offsetof(HostMessage, id) == 2, "");
static_assert(offsetof(HostMessage, reserved1) == 6, "");
static_assert(offsetof(HostMessage, net) == 10, "");
static_assert(offsetof(HostMessage, typeMask) == 14, "");
static_assert(offsetof(HostMessage, reserved2) == 18, "");

struct HostMessage2 {
    uint16_t size;
    int32_t id;
    int32_t reserved1;
    int32_t net;
    int32_t typeMask;
    int32_t reserved2;
    intptr_t p1;
    intptr_t p2;
};
static_assert(sizeof(HostMessage2) == 30, "HostMessage2 is 30 bytes");
static_assert(offsetof(HostMessage2, p1) == 22, "");
static_assert(offsetof(HostMessage2, p2) == 26, "");

// Status change records (24011, 24012) add the description pointer.
struct HostMessageStatus {
    uint16_t size;
    int32_t id;
    int32_t reserved1;
    int32_t net;
    int32_t typeMask;
    int32_t reserved2;
    intptr_t p1;
    intptr_t p2;
    const char* description;
};
static_assert(sizeof(HostMessageStatus) == 34, "");
static_assert(offsetof(HostMessageStatus, description) == 30, "");

enum HostValueType : int16_t { VALUE_INT = 0, VALUE_TEXT = 1 };

struct HostValue {
    int16_t type;      // 0 integer, 1 text
    intptr_t value;    // the integer, or a text pointer
    int32_t capacity;  // size of the caller's text buffer, else 0
};
static_assert(sizeof(HostValue) == 10, "HostValue is 10 bytes");
static_assert(offsetof(HostValue, value) == 2, "");
static_assert(offsetof(HostValue, capacity) == 6, "");

struct ActionRef {
    int32_t actionId;
    int32_t parentId;
    int32_t contact;  // contact row, -2 none
};
static_assert(sizeof(ActionRef) == 12, "");

struct ActionNotice {
    uint16_t size;  // 30
    ActionRef action;
    int32_t code;
    int32_t zero;
    int32_t value1;
    int32_t value2;
};
static_assert(sizeof(ActionNotice) == 30, "ActionNotice is 30 bytes");
static_assert(offsetof(ActionNotice, action) == 2, "");
static_assert(offsetof(ActionNotice, code) == 14, "");
static_assert(offsetof(ActionNotice, zero) == 18, "");
static_assert(offsetof(ActionNotice, value1) == 22, "");
static_assert(offsetof(ActionNotice, value2) == 26, "");

// Column declaration (host message 1102).
struct ColumnRegistration {
    uint16_t size;  // 39
    int32_t id;     // 1102
    int32_t reserved1;
    int32_t net;
    int32_t typeMask;
    int32_t reserved2;
    uint8_t table;  // 0 config, 1 contacts
    int32_t column;
    int32_t type;   // 0 integer, 1 text
    intptr_t defaultValue;
    const char* key;
};
static_assert(sizeof(ColumnRegistration) == 39, "ColumnRegistration is 39 bytes");
static_assert(offsetof(ColumnRegistration, table) == 22, "");
static_assert(offsetof(ColumnRegistration, column) == 23, "");
static_assert(offsetof(ColumnRegistration, type) == 27, "");
static_assert(offsetof(ColumnRegistration, defaultValue) == 31, "");
static_assert(offsetof(ColumnRegistration, key) == 35, "");

#pragma pack(pop)

enum HostTable { configTable = 0, contactTable = 1 };

// The host's control object. The slot order is the host's binary contract:
// a class with only virtual member functions (and no virtual destructor)
// gives the same table layout and thiscall convention as the host.
class HostControl {
public:
    virtual int reserved0() = 0;
    virtual int pluginId() = 0;                                   // 1
    virtual int reserved2() = 0;
    virtual HINSTANCE moduleHandle() = 0;                         // 3
    virtual int lastError() = 0;                                  // 4
    virtual void setError(int code) = 0;                          // 5
    virtual int reserved6() = 0;
    virtual int sendMessage(HostMessage* message) = 0;            // 7
    virtual int sendMessageTo(int plugin, HostMessage* message) = 0;  // 8
    virtual int reserved9() = 0;
    virtual int reserved10() = 0;
    virtual int reserved11() = 0;
    virtual int reserved12() = 0;
    virtual int reserved13() = 0;
    virtual int reserved14() = 0;
    virtual int reserved15() = 0;
    virtual int isForeignThread(int zero) = 0;                    // 16
    virtual int recallOnMainThread(int zero, int one) = 0;        // 17
    virtual int reserved18() = 0;
    virtual int reserved19() = 0;
    virtual int reserved20() = 0;
    virtual int getValue(int table, int row, int column, HostValue* value) = 0;  // 21
    virtual int setValue(int table, int row, int column, HostValue* value) = 0;  // 22
};

// Wrappers over HostControl used by every part of the plug-in. All of them
// are safe while no control object is held (they answer 0 / null).
int configInt(int column);
int contactInt(int row, int column);
const char* configString(int column, char* buffer, int capacity);
const char* contactString(int row, int column, char* buffer, int capacity);
void setConfigString(int column, const char* text);
void setConfigInt(int column, int bits, int mask);
int hostCall(int id, intptr_t p1, intptr_t p2);
int hostCallNet(int id, int net, int typeMask, intptr_t p1, intptr_t p2);
int pluginCall(int id, int plugin, intptr_t p1, intptr_t p2);
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
