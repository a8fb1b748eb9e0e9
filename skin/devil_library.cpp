#include "devil_library.h"
#include <string.h>
#include <wchar.h>

DevilLibrary devil = {};

namespace {
// In the order they depend on each other: ILU imports DevIL, ILUT both.
const char* const FILES[] = {"DevIL.dll", "ILU.dll", "ILUT.dll"};
const wchar_t* const WIDE_FILES[] = {L"DevIL.dll", L"ILU.dll", L"ILUT.dll"};
const int FILE_COUNT = 3;
HMODULE loaded[FILE_COUNT] = {};

// `name` in the folder of `module`'s file; false when it does not fit. Wide,
// so a folder whose name the system's code page cannot write is found too.
bool besidePath(HMODULE module, const wchar_t* name, wchar_t (&path)[MAX_PATH]) {
    if (!module) return false;
    DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash) return false;
    const size_t folder = (size_t)(slash - path) + 1;
    const size_t length = wcslen(name);
    if (folder + length + 1 > MAX_PATH) return false;
    memcpy(path + folder, name, (length + 1) * sizeof(wchar_t));
    return true;
}

HMODULE findLibrary(HMODULE besideModule, const wchar_t* name) {
    wchar_t path[MAX_PATH];
    // Loaded by its full path, a DLL finds the DLLs it imports in its own
    // folder too; loaded once, a later load by name finds it in memory.
    if (besidePath(besideModule, name, path) && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        HMODULE h = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (h) return h;
    }
    return LoadLibraryW(name);
}

template <typename Fn> bool resolve(HMODULE module, const char* name, Fn* entry) {
    *entry = (Fn)(void*)GetProcAddress(module, name);
    return *entry != nullptr;
}

bool resolveAll() {
    const HMODULE il = loaded[0], ilu = loaded[1], ilut = loaded[2];
    return resolve(il, "ilGetInteger", &devil.ilGetInteger) && resolve(il, "ilInit", &devil.ilInit) &&
           resolve(il, "ilEnable", &devil.ilEnable) && resolve(il, "ilOriginFunc", &devil.ilOriginFunc) &&
           resolve(il, "ilGenImages", &devil.ilGenImages) && resolve(il, "ilBindImage", &devil.ilBindImage) &&
           resolve(il, "ilSetInteger", &devil.ilSetInteger) && resolve(il, "ilLoadL", &devil.ilLoadL) &&
           resolve(il, "ilConvertImage", &devil.ilConvertImage) && resolve(il, "ilGetData", &devil.ilGetData) &&
           resolve(il, "ilDeleteImages", &devil.ilDeleteImages) &&
           resolve(ilu, "iluGetInteger", &devil.iluGetInteger) && resolve(ilu, "iluInit", &devil.iluInit) &&
           resolve(ilut, "ilutGetInteger", &devil.ilutGetInteger) &&
           resolve(ilut, "ilutRenderer", &devil.ilutRenderer) &&
           resolve(ilut, "ilutConvertToHBitmap", &devil.ilutConvertToHBitmap);
}
}  // namespace

DevilLoad LoadDevil(HMODULE besideModule, std::string* missing) {
    UnloadDevil();
    if (missing) missing->clear();
    bool allFound = true;
    for (int i = 0; i < FILE_COUNT; i++) {
        loaded[i] = findLibrary(besideModule, WIDE_FILES[i]);
        if (loaded[i]) continue;
        allFound = false;
        if (missing) *missing += (missing->empty() ? "" : ", ") + std::string(FILES[i]);
    }
    const DevilLoad result = !allFound ? DEVIL_MISSING : resolveAll() ? DEVIL_LOADED : DEVIL_INCOMPLETE;
    if (result != DEVIL_LOADED) UnloadDevil();
    return result;
}

void UnloadDevil() {
    devil = DevilLibrary();
    for (int i = FILE_COUNT - 1; i >= 0; i--) {
        if (loaded[i]) FreeLibrary(loaded[i]);
        loaded[i] = nullptr;
    }
}
