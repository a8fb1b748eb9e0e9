// The listener example as another program runs it: it finds the plug-in's
// window, subscribes, prints the records the plug-in copies to it, and
// unsubscribes when it ends.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "support/child_process.h"
#include "contract/config_columns.h"
#include "core/dispatch.h"
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/listeners.h"
#include "core/entry.h"

namespace {
// Whether `count` windows come to be subscribed, within 20 seconds.
bool waitFor(size_t count) {
    return pumpUntil(20000, [&] { return listeners.size() == count; });
}

// The listener's arguments, naming this program as the one whose
// notification window it listens to: other tests' windows may be open.
std::vector<std::string> listenHere(std::vector<std::string> arguments) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    arguments.insert(arguments.end(), {"--process", self});
    return arguments;
}

TEST(ListenerExample, PrintsEveryRecordAndUnsubscribesWhenItEnds) {
    StandInHost host;
    host.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    ASSERT_EQ(host.runStartup(), 1);
    host.setConfig(COL_USEVINDLE, 1);
    ASSERT_TRUE(notificationWindow);
    listeners.clear();

    Child listener(distProgram("listener.exe"), listenHere({"--count", "2", "--seconds", "60"}));
    ASSERT_TRUE(listener.started());
    ASSERT_TRUE(waitFor(1)) << "the listener never subscribed";

    // A status request of another plug-in carrying its record, then the
    // record of a received message.
    char status[] = "\x1Aname=Ola\x1Astatus=64";
    PopupRequest request = popupRequest("<b>Ola<b> jest dostępna");
    request.size = NOTIFY_REQUEST_INFO_SIZE;
    request.infoText = status;
    request.infoKind = NOTIFY_INFO_STATUS;
    host.deliver((HostMessage*)&request);
    sendToNotificationWindow(MSG_BROADCAST_TEXT, NOTIFY_INFO_MESSAGE, (LPARAM) "\x1Aname=Adam");

    ChildRun run = listener.finish(20000);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
    EXPECT_NE(run.output.find("kind 1: name=Ola status=64\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("kind 2: name=Adam\n"), std::string::npos) << run.output;
    EXPECT_TRUE(waitFor(0)) << "the listener did not unsubscribe";
    host.runShutdown();
}

// The runner gives up on a child that outlives its time: it ends it, reports
// no exit code and keeps what it printed, instead of hanging the suite.
TEST(ChildRunner, EndsAChildThatOutlivesItsTime) {
    StandInHost host;
    host.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    ASSERT_EQ(host.runStartup(), 1);
    listeners.clear();
    Child listener(distProgram("listener.exe"), listenHere({"--seconds", "120"}));
    ASSERT_TRUE(listener.started());
    ASSERT_TRUE(waitFor(1));
    sendToNotificationWindow(MSG_BROADCAST_TEXT, NOTIFY_INFO_MESSAGE, (LPARAM) "\x1Aname=Ewa");
    const DWORD start = GetTickCount();
    ChildRun run = listener.finish(1500);
    EXPECT_LT(GetTickCount() - start, 20000u);
    EXPECT_EQ(run.exitCode, 0xFFFFFFFFu);
    EXPECT_EQ(WaitForSingleObject(listener.process, 0), WAIT_OBJECT_0) << "the child still runs";
    EXPECT_NE(run.output.find("kind 2: name=Ewa"), std::string::npos) << run.output;
    host.runShutdown();
}

// Without the plug-in's window in this program there is nothing to
// subscribe to, whatever other programs run.
TEST(ListenerExample, ExitsWithOneWithoutTheNotificationWindow) {
    ASSERT_FALSE(findOwnWindow(NOTIFY_CLASS_NAME));
    EXPECT_EQ(runChild(distProgram("listener.exe"), listenHere({"--seconds", "1"})).exitCode, 1u);
}

// With several messengers running, the listener takes the window of the
// program it names, by its file name in any case, and no other.
TEST(ListenerExample, ListensOnlyToTheProgramItNames) {
    StandInHost host;
    host.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    ASSERT_EQ(host.runStartup(), 1);
    listeners.clear();
    ChildRun other = runChild(distProgram("listener.exe"), {"--seconds", "1", "--process", "Vorlane.exe"});
    EXPECT_EQ(other.exitCode, 1u) << other.output;
    EXPECT_TRUE(listeners.empty());
    Child byName(distProgram("listener.exe"), {"--seconds", "60", "--process", "TEST_KIT.EXE"});
    ASSERT_TRUE(byName.started());
    EXPECT_TRUE(waitFor(1)) << "the listener did not find this program's window by its name";
    byName.finish(1);
    host.runShutdown();
}
}  // namespace
