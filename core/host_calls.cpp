// PLACEHOLDER: owned by the core/host work; replace whole.
#include "host_api.h"
int configInt(int) { return 0; }
int contactInt(int, int) { return 0; }
const char* configString(int, char* buffer, int capacity) { if (buffer && capacity) buffer[0] = 0; return buffer; }
const char* contactString(int, int, char* buffer, int capacity) { if (buffer && capacity) buffer[0] = 0; return buffer; }
void setConfigString(int, const char*) {}
void setConfigInt(int, int, int) {}
int hostCall(int, intptr_t, intptr_t) { return 0; }
int hostCallNet(int, int, int, intptr_t, intptr_t) { return 0; }
int pluginCall(int, int, intptr_t, intptr_t) { return 0; }
void logLine(const char*, ...) {}
