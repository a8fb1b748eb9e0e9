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

/* The Linux library is linked as a shared object, not imported from a DLL:
 * keep il.h from marking its declarations dllimport. */
#define IL_STATIC_LIB
#include <IL/il.h>

/* Exported by libIL but missing from its header. */
void ilSetError(ILenum error);

/* A test build of the bridge answers an older version number to the version
 * queries, so the plug-in's refusal of old DevIL can be tried for real. */
#ifdef BRIDGE_REPORTED_VERSION
#define BRIDGE_VERSION_ANSWER(mode, real) \
    ((mode) == IL_VERSION_NUM ? (ILint)BRIDGE_REPORTED_VERSION : (real))
#else
#define BRIDGE_VERSION_ANSWER(mode, real) (real)
#endif

#endif
