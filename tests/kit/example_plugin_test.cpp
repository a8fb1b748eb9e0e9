// The example plug-in loaded by the stand-in host beside the notification
// plug-in: its requests travel through the host by network number, in the
// three ways of giving an icon, and one is closed again.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "support/child_process.h"
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "host/double/peer_plugin.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "support/copy_recorder.h"
#include "core/entry.h"

namespace {

TEST(ExamplePlugin, AsksThroughTheHostWithEachKindOfIconAndClosesOne) {
    StandInHost host;
    host.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    ASSERT_EQ(host.runStartup(), 1);
    host.setConfig(COL_FULLSCREEN, 0);
    host.setConfig(COL_USEVINDLE, 1);
    HWND listener = makeCopyRecorder();
    SendMessageA(notificationWindow, MSG_SUBSCRIBE, (WPARAM)listener, 0);
    const std::vector<RecordedCopy>& copies = recordedCopies[listener];

    PeerPlugin example(host, 78);
    ASSERT_TRUE(example.load(distProgram("example_plugin.dll").c_str()));
    EXPECT_EQ(example.net, 775);
    host.clearRecords();

    EXPECT_EQ(sendToNetwork(host, 775, 775001), 3);
    // Each request went through the host to the notification plug-in's network.
    std::vector<int> sizes;
    for (const StandInHost::Sent& s : host.sent) {
        if (s.id != NOTIFY_REQUEST) continue;
        EXPECT_EQ(s.net, NOTIFY_NETWORK);
        sizes.push_back(s.size);
    }
    EXPECT_EQ(sizes, (std::vector<int>{44, 52, 60}));

    ASSERT_EQ(notificationQueue.count(), 3);
    const NotificationEntry& own = notificationQueue.row(0);
    EXPECT_EQ(own.text, "Przykład: <b>własna ikona");
    EXPECT_TRUE(own.icon);
    EXPECT_FALSE(own.imageList);
    const NotificationEntry& message = notificationQueue.row(1);
    const int waiting = message.id;
    EXPECT_EQ(message.imageList, host.imageList());
    EXPECT_EQ(message.imageIndex, host.iconIndex(NOTIFY_MESSAGE_ICON));
    EXPECT_EQ(message.expiresAt, -1);
    EXPECT_EQ(message.clickable, 1);
    EXPECT_EQ(message.originAction, 775100);
    const NotificationEntry& warning = notificationQueue.row(2);
    EXPECT_EQ(warning.imageIndex, host.iconIndex(NOTIFY_ICON_WARNING));
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].kind, (ULONG_PTR)NOTIFY_INFO_STATUS);
    EXPECT_EQ(copies[0].text(), "\x1Aname=Przykład\x1Astatus=1");

    // The one that waits for a click is closed by its id.
    EXPECT_EQ(sendToNetwork(host, 775, 775002), 1);
    ASSERT_EQ(host.countSent(NOTIFY_CLOSE), 1);
    EXPECT_EQ(host.lastSent(NOTIFY_CLOSE)->p1, waiting);
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(notificationQueue.row(0).text, "Przykład: <b>własna ikona");
    EXPECT_EQ(notificationQueue.row(1).text, "Przykład: ikona domyślna");

    example.unload();
    EXPECT_FALSE(host.answerers.has(Address::network(775)));
    DestroyWindow(listener);
    host.runShutdown();
}

// A plug-in whose network another plug-in answers already is reached by
// its identifier only: it neither takes the network over nor, when it goes,
// takes the other's route with it.
TEST(ExamplePlugin, LeavesANetworkThatIsAnsweredAlreadyToItsPlugin) {
    StandInHost host;
    host.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    ASSERT_EQ(host.runStartup(), 1);
    host.answerers.set(Address::network(775), [](HostMessage* m) { return m->id == 775001 ? 42 : 0; });
    PeerPlugin example(host, 78);
    ASSERT_TRUE(example.load(distProgram("example_plugin.dll").c_str()));
    EXPECT_FALSE(example.reachedByNetwork());
    EXPECT_EQ(sendToNetwork(host, 775, 775001), 42);
    EXPECT_EQ(notificationQueue.count(), 0);
    HostMessage2 network = {};
    network.size = sizeof(network);
    network.id = PLUGIN_NETWORK;
    network.typeMask = -1;
    EXPECT_EQ(host.sendMessageTo(78, (HostMessage*)&network), 775);
    example.unload();
    EXPECT_EQ(sendToNetwork(host, 775, 775001), 42);
    EXPECT_EQ(host.lastError(), 0);
    host.runShutdown();
}
}  // namespace
