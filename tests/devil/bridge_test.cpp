// Which bridge build the process runs with. The devil166 CTest entry runs
// this group against the test build (NOTIFY_DEVIL_DIR), the plain entry
// against dist/.
#include <stdlib.h>
#include <string.h>
#include <string>
#include "devil_fixture.h"

static int expectedVersion() {
    char value[16] = "";
    DWORD n = GetEnvironmentVariableA("NOTIFY_EXPECTED_DEVIL_VERSION", value, sizeof(value));
    return n > 0 && n < sizeof(value) ? atoi(value) : 178;
}

TEST(Bridge, AllThreeLibrariesAnswerTheBuildsVersion) {
    int version = expectedVersion();
    EXPECT_EQ(ilGetInteger(IL_VERSION_NUM), version);
    EXPECT_EQ(iluGetInteger(IL_VERSION_NUM), version);
    EXPECT_EQ(ilutGetInteger(IL_VERSION_NUM), version);
    // Other queries still reach the Linux library, whatever the build.
    ilInit();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    EXPECT_EQ(ilGetInteger(IL_CUR_IMAGE), (ILint)name);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 1);  // a fresh image is 1 x 1
    ilDeleteImages(1, &name);
}

TEST(Bridge, Win32RendererIsAcceptedAndUnknownOnesRefused) {
    ilInit();
    iluInit();
    EXPECT_EQ(ilutRenderer(ILUT_WIN32), IL_TRUE);
    EXPECT_EQ(ilutRenderer(77), IL_FALSE);
}

// The runner puts the chosen folder on PATH; the PE stubs found there are
// what make Wine take the builtin .so files of the same build.
static std::string folderOf(HMODULE module) {
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(module, path, sizeof(path));
    if (n == 0 || n >= sizeof(path)) return "";
    char* slash = strrchr(path, '\\');
    if (slash) *slash = 0;
    return path;
}

static std::string normalised(const std::string& path) {
    char full[MAX_PATH] = "";
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (n == 0 || n >= sizeof(full)) return "";
    CharLowerA(full);
    return full;
}

TEST(Bridge, DllsComeFromTheFolderTheRunnerNames) {
    std::string expected;
    char value[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("NOTIFY_DEVIL_DIR", value, sizeof(value));
    if (n > 0 && n < sizeof(value)) {
        expected = std::string("Z:") + value;
        for (char& c : expected)
            if (c == '/') c = '\\';
    } else {
        expected = folderOf(GetModuleHandleA(nullptr)) + "\\..\\dist";  // bin and dist are siblings
    }
    for (const char* dll : {"DevIL.dll", "ILU.dll", "ILUT.dll"}) {
        HMODULE module = GetModuleHandleA(dll);
        ASSERT_NE(module, nullptr) << dll;
        EXPECT_EQ(normalised(folderOf(module)), normalised(expected)) << dll;
    }
}
