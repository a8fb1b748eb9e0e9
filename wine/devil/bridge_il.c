/* DevIL.dll: the core image library. Everything forwards to the Linux libIL
 * except ilLoadImage and ilSaveImage, which receive a Windows path and must
 * hand the Linux library the Unix path of the same file. ilLoadL and ilSaveL
 * take the file's bytes in memory, so they forward as they are. */
#include "bridge_common.h"
#include <winnls.h>

ILint WINAPI bridge_ilGetInteger(ILenum mode)
{
    return BRIDGE_VERSION_ANSWER("il", mode, ilGetInteger(mode));
}

void WINAPI bridge_ilInit(void) { ilInit(); }
void WINAPI bridge_ilShutDown(void) { ilShutDown(); }
ILenum WINAPI bridge_ilGetError(void) { return ilGetError(); }
ILboolean WINAPI bridge_ilEnable(ILenum mode) { return ilEnable(mode); }
ILboolean WINAPI bridge_ilDisable(ILenum mode) { return ilDisable(mode); }
ILboolean WINAPI bridge_ilIsEnabled(ILenum mode) { return ilIsEnabled(mode); }
ILboolean WINAPI bridge_ilOriginFunc(ILenum mode) { return ilOriginFunc(mode); }
void WINAPI bridge_ilSetInteger(ILenum mode, ILint param) { ilSetInteger(mode, param); }
ILboolean WINAPI bridge_ilConvertImage(ILenum format, ILenum type) { return ilConvertImage(format, type); }
ILubyte* WINAPI bridge_ilGetData(void) { return ilGetData(); }
void WINAPI bridge_ilBindImage(ILuint image) { ilBindImage(image); }

void WINAPI bridge_ilGenImages(ILsizei count, ILuint* images)
{
    if (!images) {
        ilSetError(IL_INVALID_PARAM);
        return;
    }
    ilGenImages(count, images);
}

void WINAPI bridge_ilDeleteImages(ILsizei count, const ILuint* images)
{
    if (!images) {
        ilSetError(IL_INVALID_PARAM);
        return;
    }
    ilDeleteImages(count, images);
}

ILboolean WINAPI bridge_ilTexImage(ILuint width, ILuint height, ILuint depth, ILubyte bpp,
                                   ILenum format, ILenum type, void* data)
{
    return ilTexImage(width, height, depth, bpp, format, type, data);
}

ILuint WINAPI bridge_ilCopyPixels(ILuint x, ILuint y, ILuint z, ILuint width, ILuint height,
                                  ILuint depth, ILenum format, ILenum type, void* data)
{
    if (!data) {
        ilSetError(IL_INVALID_PARAM);
        return 0;
    }
    return ilCopyPixels(x, y, z, width, height, depth, format, type, data);
}

ILboolean WINAPI bridge_ilLoadL(ILenum type, const void* lump, ILuint size)
{
    if (!lump || !size) {
        ilSetError(IL_INVALID_PARAM);
        return IL_FALSE;
    }
    return ilLoadL(type, lump, size);
}

/* With no buffer (and size 0) the size the image would take. */
ILuint WINAPI bridge_ilSaveL(ILenum type, void* lump, ILuint size)
{
    return ilSaveL(type, lump, size);
}

/* The Windows path, made absolute against the current directory and turned
 * into the Unix name of the same file; null when it cannot be. Free the
 * result with HeapFree on the process heap. */
static char* unixPathOf(const char* path)
{
    DWORD fullLength, wideLength;
    char* full;
    WCHAR* wide;
    char* result = NULL;

    fullLength = GetFullPathNameA(path, 0, NULL, NULL);
    if (!fullLength) return NULL;
    full = HeapAlloc(GetProcessHeap(), 0, fullLength);
    if (!full) return NULL;
    if (GetFullPathNameA(path, fullLength, full, NULL) < fullLength) {
        wideLength = MultiByteToWideChar(CP_ACP, 0, full, -1, NULL, 0);
        wide = wideLength ? HeapAlloc(GetProcessHeap(), 0, wideLength * sizeof(WCHAR)) : NULL;
        if (wide) {
            if (MultiByteToWideChar(CP_ACP, 0, full, -1, wide, wideLength))
                result = wine_get_unix_file_name(wide);
            HeapFree(GetProcessHeap(), 0, wide);
        }
    }
    HeapFree(GetProcessHeap(), 0, full);
    return result;
}

/* Calls the Linux library's loader or saver with the Unix name of the file
 * a Windows path names; refuses an empty path or one with no Unix name. */
static ILboolean withUnixPath(const char* path, ILboolean (*call)(ILconst_string))
{
    char* unixPath;
    ILboolean done;

    if (!path || !path[0]) {
        ilSetError(IL_INVALID_PARAM);
        return IL_FALSE;
    }
    unixPath = unixPathOf(path);
    if (!unixPath) {
        ilSetError(IL_COULD_NOT_OPEN_FILE);
        return IL_FALSE;
    }
    done = call(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return done;
}

ILboolean WINAPI bridge_ilLoadImage(const char* path) { return withUnixPath(path, ilLoadImage); }

ILboolean WINAPI bridge_ilSaveImage(const char* path) { return withUnixPath(path, ilSaveImage); }
