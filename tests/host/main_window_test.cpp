// The host's main window: closing it ends the host's loop, which then shuts
// the plug-in down and unloads it.
#include <gtest/gtest.h>
#include <string>
#include "host/main_window.h"
#include "host/shown_lines.h"
#include "support/win_helpers.h"

TEST(MainWindow, ClosingItShutsThePluginDownAndUnloadsIt) {
    char exe[MAX_PATH];
    std::string dir(exe, GetModuleFileNameA(nullptr, exe, sizeof(exe)));
    dir = dir.substr(0, dir.find_last_of('\\') + 1);
    HostApp app;
    std::string why;
    ASSERT_TRUE(app.start((dir + "..\\dist\\notify.dll").c_str(), &why)) << why;
    MainWindow main(app);
    ASSERT_TRUE(main.create());
    HostNetwork* jabber = app.addNetwork(10, "Jabber");
    app.networkStatus(*jabber, 0x40, "");
    pumpMessages(200);
    ASSERT_TRUE(IsWindowVisible(notificationWindowOf()));
    ASSERT_NE(GetModuleHandleA("notify.dll"), nullptr);

    SendMessageA(main.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(main.isOpen());
    EXPECT_TRUE(app.running());  // not from inside whatever dispatched the close
    main.runUntilClosed();
    EXPECT_FALSE(app.running());
    EXPECT_EQ(notificationWindowOf(), nullptr);  // 22101 destroyed it
    EXPECT_EQ(GetModuleHandleA("notify.dll"), nullptr);
}
