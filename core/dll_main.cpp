// The library's load routine only reports success; start-up happens on
// host message 20001.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
