// DevIL, ILU and ILUT, loaded when the plug-in starts rather than imported,
// so the plug-in loads (and can say what is missing) without them. Each is
// looked for beside the plug-in's own file first, then where Windows looks
// for a DLL by name.
#pragma once
#include <windows.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <string>

// The entry points the plug-in calls, by the names the DevIL DLLs export.
struct DevilLibrary {
    ILint(ILAPIENTRY* ilGetInteger)(ILenum);
    void(ILAPIENTRY* ilInit)(void);
    ILboolean(ILAPIENTRY* ilEnable)(ILenum);
    ILboolean(ILAPIENTRY* ilOriginFunc)(ILenum);
    void(ILAPIENTRY* ilGenImages)(ILsizei, ILuint*);
    void(ILAPIENTRY* ilBindImage)(ILuint);
    void(ILAPIENTRY* ilSetInteger)(ILenum, ILint);
    // Images are handed over as bytes: the names DevIL takes are ANSI or
    // UTF-16 depending on its build, and ANSI names lose letters.
    ILboolean(ILAPIENTRY* ilLoadL)(ILenum, const void*, ILuint);
    ILboolean(ILAPIENTRY* ilConvertImage)(ILenum, ILenum);
    ILubyte*(ILAPIENTRY* ilGetData)(void);
    void(ILAPIENTRY* ilDeleteImages)(ILsizei, const ILuint*);
    ILint(ILAPIENTRY* iluGetInteger)(ILenum);
    void(ILAPIENTRY* iluInit)(void);
    ILint(ILAPIENTRY* ilutGetInteger)(ILenum);
    ILboolean(ILAPIENTRY* ilutRenderer)(ILenum);
    HBITMAP(ILAPIENTRY* ilutConvertToHBitmap)(HDC);
};

// Null entry points until LoadDevil succeeds, and again after UnloadDevil.
extern DevilLibrary devil;

enum DevilLoad {
    DEVIL_LOADED,      // all three DLLs and every entry point are there
    DEVIL_MISSING,     // a DLL was not found; `missing` names them
    DEVIL_INCOMPLETE,  // a DLL lacks an entry point: not the DevIL the plug-in needs
};

// Loads the three DLLs, looking beside `besideModule`'s file first, and
// resolves every entry point. `missing` lists the files not found, joined
// by ", ". Whatever was loaded stays loaded only on success.
DevilLoad LoadDevil(HMODULE besideModule, std::string* missing);
// Lets go of the DLLs and clears the entry points.
void UnloadDevil();
