// With any one part of DevIL reporting version 166 the plug-in refuses to
// start: one error box, result 0, no window class. The test build of the
// bridge makes the parts named in NOTIFY_OLD_DEVIL_PARTS old.
#include <gtest/gtest.h>
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "support/message_boxes.h"
#include "core/entry.h"

namespace {
bool classRegistered() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    return GetClassInfoExA(GetModuleHandleA(nullptr), NOTIFY_WINDOW_CLASS, &wc) != FALSE;
}

struct OldParts {
    explicit OldParts(const char* parts) { SetEnvironmentVariableA("NOTIFY_OLD_DEVIL_PARTS", parts); }
    ~OldParts() { SetEnvironmentVariableA("NOTIFY_OLD_DEVIL_PARTS", nullptr); }
};
}  // namespace

TEST(OldImageLibrary, AnyOneOldPartStopsStartUpWithOneErrorBox) {
    for (const char* part : {"il", "ilu", "ilut"}) {
        SCOPED_TRACE(part);
        OldParts old(part);
        MessageBoxCatcher boxes;
        StandInHost vorlane;
        vorlane.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
        updateLayeredWindow = nullptr;  // start-up must not get as far as resolving it
        EXPECT_EQ(vorlane.start(), 0);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "DevIL version is different...exiting!");
        EXPECT_EQ(boxes.boxes[0].caption, "Zinglet");
        EXPECT_EQ(boxes.boxes[0].style & MB_ICONMASK, (UINT)MB_ICONERROR);
        EXPECT_EQ(boxes.boxes[0].owner, nullptr);
        EXPECT_FALSE(classRegistered());
        EXPECT_EQ(updateLayeredWindow, nullptr);
        // The pointer is kept: unlisted messages still report their error.
        EXPECT_EQ(host, (HostControl*)&vorlane);
        EXPECT_EQ(vorlane.send(20003), 0);
        EXPECT_EQ(vorlane.errors, std::vector<int>{1});
        vorlane.runShutdown();
        EXPECT_EQ(host, nullptr);
    }
}

TEST(OldImageLibrary, WithNoOldPartTheSameBuildStartsNormally) {
    // Proves the variable reaches the bridge: without an old part the
    // refusal above is not what happens.
    OldParts none("none");
    MessageBoxCatcher boxes;
    StandInHost vorlane;
    vorlane.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    EXPECT_EQ(vorlane.start(), 1);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(classRegistered());
    EXPECT_NE(updateLayeredWindow, nullptr);
    vorlane.stop();
    EXPECT_FALSE(classRegistered());
}
