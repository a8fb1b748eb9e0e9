// The plug-in reads the time in one place: a fake clock put in place moves
// both the expiry of notifications (ticks) and the networks' report times
// (calendar seconds), and once it is gone both follow the system again.
#include <time.h>
#include "contract/config_columns.h"
#include "core/network_states.h"
#include "plugin_fixture.h"
#include "support/fake_clock.h"
#include "support/network_plugin.h"
#include "window/notification_queue.h"

namespace {
class OneClock : public PluginTest {
protected:
    StandInNetwork network{vorlane};
    void SetUp() override {
        PluginTest::SetUp();
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_DELAY, 2000);
        vorlane.setConfig(COL_FULLSCREEN, 0);
        ASSERT_EQ(vorlane.createWindow(), 1);
    }
    void TearDown() override {
        vorlane.runShutdown();
        networkStates.clear();
    }
    // A request shown for one delay; its line's expiry.
    int32_t expiryOfANewLine() {
        PopupRequest r = popupRequest("Zegar");
        r.displayTime = 1;
        vorlane.deliver((HostMessage*)&r);
        return notificationQueue.empty() ? 0 : notificationQueue.row(notificationQueue.count() - 1).expiresAt;
    }
    int32_t reportTime() {
        HostMessageStatus m = {};
        m.size = sizeof(m);
        m.id = 24012;
        m.p1 = StandInNetwork::PLUGIN;
        m.p2 = 0x40;
        vorlane.deliver((HostMessage*)&m);
        return networkStates[StandInNetwork::NET].changedAt;
    }
};
}  // namespace

TEST_F(OneClock, AFakeClockDrivesTicksAndCalendarAndTheSystemsComesBack) {
    {
        FakeClock clock(123456, 1500000000);
        EXPECT_EQ(expiryOfANewLine(), 123456 + 2000);
        EXPECT_EQ(reportTime(), 1500000000);
        clock.advance(1000);
        clock.seconds += 7;
        EXPECT_EQ(expiryOfANewLine(), 124456 + 2000);
        EXPECT_EQ(reportTime(), 1500000007);
    }
    const DWORD tick = GetTickCount();
    const int32_t expiry = expiryOfANewLine();
    EXPECT_LE((int32_t)(expiry - (int32_t)(tick + 2000)), 1000) << "expiry does not follow GetTickCount again";
    EXPECT_GE((int32_t)(expiry - (int32_t)(tick + 2000)), 0);
    const int32_t now = (int32_t)time(nullptr);
    EXPECT_LE(reportTime() - now, 2) << "report times do not follow time() again";
}
