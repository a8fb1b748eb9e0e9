/* Shared by the three bridge DLLs (DevIL.dll, ILU.dll, ILUT.dll): Wine
 * builtin DLLs whose stdcall exports forward to the Linux DevIL libraries.
 *
 * This is Winelib code: it sees Wine's Win32 headers and Debian's Linux DevIL
 * headers, so the Linux functions are plain cdecl while every export here is
 * WINAPI. The export names come from the .spec files; the C functions carry
 * a bridge_ prefix so they never clash with the Linux symbols. */
#ifndef NOTIFY_BRIDGE_COMMON_H
#define NOTIFY_BRIDGE_COMMON_H

#include <stdarg.h>
#include <windef.h>
#include <winbase.h>
#include <string.h>

/* The Linux library is linked as a shared object, not imported from a DLL:
 * keep il.h from marking its declarations dllimport. */
#define IL_STATIC_LIB
#include <IL/il.h>

/* Exported by libIL but missing from its header. */
void ilSetError(ILenum error);

/* A test build of the bridge answers an older version number to the version
 * queries, so the plug-in's refusal of old DevIL can be tried for real. The
 * Win32 environment variable NOTIFY_OLD_DEVIL_PARTS names the parts that
 * answer it ("il", "ilu", "ilut", separated by spaces or commas; "none" for
 * none); unset, all three do. It is read at each query, so one test process
 * can make each part old in turn. */
#ifdef BRIDGE_REPORTED_VERSION
static inline int bridge_part_listed(const char* list, const char* part)
{
    size_t length = strlen(part);
    const char* p = list;
    while (*p) {
        size_t n = 0;
        while (*p == ' ' || *p == ',') p++;
        while (p[n] && p[n] != ' ' && p[n] != ',') n++;
        if (n == length && !strncmp(p, part, n)) return 1;
        p += n;
    }
    return 0;
}

static inline ILint bridge_version_answer(const char* part, ILenum mode, ILint real)
{
    char list[64];
    DWORD n;
    if (mode != IL_VERSION_NUM) return real;
    n = GetEnvironmentVariableA("NOTIFY_OLD_DEVIL_PARTS", list, sizeof(list));
    if (n == 0 || n >= sizeof(list)) return (ILint)BRIDGE_REPORTED_VERSION;
    return bridge_part_listed(list, part) ? (ILint)BRIDGE_REPORTED_VERSION : real;
}
#define BRIDGE_VERSION_ANSWER(part, mode, real) bridge_version_answer(part, mode, real)
#else
#define BRIDGE_VERSION_ANSWER(part, mode, real) (real)
#endif

#endif
