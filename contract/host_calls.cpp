// Wrappers over the host's control object. Every one answers 0 / null while
// no control object is held (before 20001, after 20002).
#include <stdarg.h>
#include <stdio.h>
#include "host_messages.h"
#include "plugin_state.h"

static int readInt(int table, int row, int column) {
    if (!host) return 0;
    HostValue v = {VALUE_INT, 0, 0};
    host->getValue(table, row, column, &v);
    return (int)v.value;
}

// With a null buffer the host leaves a pointer to its own text in `value`.
static const char* readText(int table, int row, int column, char* buffer, int capacity) {
    if (buffer && capacity > 0) buffer[0] = 0;
    if (!host) return buffer;
    // A negative capacity would read as a huge one to the host.
    HostValue v = {VALUE_TEXT, (intptr_t)buffer, buffer && capacity > 0 ? capacity : 0};
    host->getValue(table, row, column, &v);
    if (buffer && capacity > 0) buffer[capacity - 1] = 0;  // terminated whatever the host did
    return (const char*)v.value;
}

int configInt(int column) { return readInt(configTable, 0, column); }
int contactInt(int row, int column) { return readInt(contactTable, row, column); }

const char* configString(int column, char* buffer, int capacity) {
    return readText(configTable, 0, column, buffer, capacity);
}

const char* contactString(int row, int column, char* buffer, int capacity) {
    return readText(contactTable, row, column, buffer, capacity);
}

void setConfigString(int column, const char* text) {
    if (!host) return;
    HostValue v = {VALUE_TEXT, (intptr_t)(text ? text : ""), 0};
    host->setValue(configTable, 0, column, &v);
}

void setConfigInt(int column, int bits, int mask) {
    if (!host) return;
    int value = mask == -1 ? bits : (configInt(column) & ~mask) | bits;
    HostValue v = {VALUE_INT, value, 0};
    host->setValue(configTable, 0, column, &v);
}

int hostCallNet(int id, int net, int typeMask, intptr_t p1, intptr_t p2) {
    if (!host) return 0;
    HostMessage2 m = {};
    m.size = sizeof(m);
    m.id = id;
    m.net = net;
    m.typeMask = typeMask;
    m.p1 = p1;
    m.p2 = p2;
    return host->sendMessage((HostMessage*)&m);
}

int hostCall(int id, intptr_t p1, intptr_t p2) { return hostCallNet(id, 0, 0, p1, p2); }

int pluginCall(int id, int plugin, intptr_t p1, intptr_t p2) {
    if (!host) return 0;
    HostMessage2 m = {};
    m.size = sizeof(m);
    m.id = id;
    m.net = NOTIFY_NETWORK;
    m.typeMask = -1;
    m.p1 = p1;
    m.p2 = p2;
    return host->sendMessageTo(plugin ? plugin : host->pluginId(), (HostMessage*)&m);
}

void logLine(const char* format, ...) {
    if (!host || !format) return;
    char line[255];  // at most 254 characters and the terminator
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    if (n < 0) line[0] = 0;
    line[sizeof(line) - 1] = 0;
    hostCall(HOST_LOG_LINE, (intptr_t)line, 256);
}
