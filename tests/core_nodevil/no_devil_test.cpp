// notify.dll copied into a folder without DevIL, ILU and ILUT, with none of
// them (or only ILUT) missing from the search path as well: it loads, says in
// one error box which files are missing, and does not start. Every later
// message is answered as after a failed start, and shut-down and unloading
// are safe. The two cases run as two entries, each with its own search path.
#include <gtest/gtest.h>
#include <string>
#include "host/double/stand_in_host.h"
#include "support/child_process.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"

namespace {
bool classRegistered(HINSTANCE module) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    return GetClassInfoExA(module, NOTIFY_CLASS_NAME, &wc) != FALSE;
}

bool reachable(const char* library) {
    HMODULE module = LoadLibraryA(library);
    if (module) FreeLibrary(module);
    return module != nullptr;
}

void expectLoadedButStopped(const char* box) {
    TempDir folder;
    const std::string dll = folder.file("notify.dll");
    ASSERT_TRUE(CopyFileA(distProgram("notify.dll").c_str(), dll.c_str(), FALSE));

    MessageBoxCatcher boxes;
    {
        StandInHost vorlane;
        ASSERT_TRUE(vorlane.loadPlugin(dll.c_str())) << "the plug-in does not load without DevIL";
        const HINSTANCE module = vorlane.moduleHandle();
        EXPECT_EQ(vorlane.start(), 0);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, box);
        EXPECT_EQ(boxes.boxes[0].caption, "Zinglet");
        EXPECT_EQ(boxes.boxes[0].style & MB_ICONMASK, (UINT)MB_ICONERROR);
        EXPECT_EQ(boxes.boxes[0].owner, nullptr);
        EXPECT_FALSE(classRegistered(module));

        // The host goes on as usual; nothing makes a window or reads a skin.
        vorlane.setConfig(774110, std::string("smoke"));
        EXPECT_EQ(vorlane.declareColumns(), 1);
        EXPECT_EQ(vorlane.declareOptions(), 1);
        EXPECT_EQ(vorlane.createWindow(), 1);
        EXPECT_EQ(vorlane.send(21020), 0);
        PopupRequest request = popupRequest("Nikt tego nie zobaczy");
        EXPECT_EQ(vorlane.deliver((HostMessage*)&request), 0);
        ActionNotice preview = {sizeof(ActionNotice), {774116, 774000, -2}, 1, 0, 0, 0};
        EXPECT_EQ(vorlane.send(22200, (intptr_t)&preview), 0);
        EXPECT_EQ(findOwnWindow(NOTIFY_CLASS_NAME), nullptr);
        EXPECT_FALSE(classRegistered(module));
        EXPECT_NE(vorlane.send(30012), 0) << "identity answers still come";

        EXPECT_EQ(vorlane.destroyWindow(), 1);
        EXPECT_EQ(vorlane.stop(), 1);
        vorlane.unloadPlugin();
    }
    EXPECT_EQ(boxes.boxes.size(), 1u) << "a later message showed a box";
    EXPECT_EQ(GetModuleHandleA("notify.dll"), nullptr) << "the plug-in stayed loaded";
}
}  // namespace

TEST(NoImageLibrary, ThePluginLoadsNamesTheMissingFilesAndStaysStopped) {
    ASSERT_FALSE(reachable("DevIL.dll")) << "DevIL.dll is on the search path; this entry needs a path without it";
    ASSERT_FALSE(reachable("ILU.dll"));
    ASSERT_FALSE(reachable("ILUT.dll"));
    expectLoadedButStopped("Brak bibliotek DevIL.dll, ILU.dll, ILUT.dll - wtyczka nie zostanie uruchomiona");
}

TEST(OneImageLibraryMissing, ThePluginNamesThatFileAloneAndStaysStopped) {
    ASSERT_TRUE(reachable("DevIL.dll")) << "this entry needs a search path with DevIL and ILU but not ILUT";
    ASSERT_TRUE(reachable("ILU.dll"));
    ASSERT_FALSE(reachable("ILUT.dll"));
    expectLoadedButStopped("Brak biblioteki ILUT.dll - wtyczka nie zostanie uruchomiona");
}
