// Status notifications through IMessageProc: contact changes (24011) and a
// network's own status (24012), seen in the real notification window's
// queue, in what the stand-in host recorded (log lines, icon questions)
// and in what a listener window received.
#include <time.h>
#include <map>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "core/network_states.h"
#include "plugin_fixture.h"
#include "support/guard_page.h"
#include "support/message_boxes.h"
#include "support/fake_clock.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "window/private_messages.h"
#include "support/network_plugin.h"
#include "support/copy_recorder.h"
#include "core/entry.h"

namespace {
const int NETWORK_PLUGIN = StandInNetwork::PLUGIN;
const int NET = StandInNetwork::NET;


class StatusNotices : public PluginTest {
protected:
    MessageBoxCatcher boxes;
    FakeClock clock{5000000, 1700000000};
    StandInNetwork network{vorlane};
    int row = 0;
    void SetUp() override {
        PluginTest::SetUp();
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_EVENTS_STATUS, 1);
        vorlane.setConfig(COL_STATUSDESCR, 1);
        ASSERT_EQ(vorlane.createWindow(), 1);
        ASSERT_TRUE(IsWindow(notificationWindow));
        row = vorlane.addContact(NET, "1234", "Ola");
        vorlane.setContact(row, 2, 0x00);
        vorlane.clearRecords();
    }
    void TearDown() override {
        vorlane.destroyWindow();
        vorlane.stop();
        EXPECT_TRUE(boxes.boxes.empty());
    }
    int deliverStatus(int id, int p1, int p2, const char* description) {
        HostMessageStatus m = {};
        m.size = sizeof(m);
        m.id = id;
        m.p1 = p1;
        m.p2 = p2;
        m.description = description;
        return deliver(m);
    }
    int networkReports(int status, const char* description = nullptr) {
        return deliverStatus(24012, NETWORK_PLUGIN, status, description);
    }
    int contactChanges(int status, const char* description = nullptr, int contact = 0) {
        return deliverStatus(24011, contact ? contact : row, status, description);
    }
    // The network reported long enough ago for contact changes to show.
    void networkSettled(int status = 0x40) {
        networkReports(status);
        clock.seconds += QUIET_SECONDS;
        clearShown();
    }
    void clearShown() {
        sendPrivateMessage(notificationWindow, MSG_HIDE_ALL, 0, 0);
        vorlane.clearRecords();
    }
    // The queue's lines, each ended by a line feed.
    std::string shown() const {
        std::string all;
        for (int r = 0; r < notificationQueue.count(); r++) all += notificationQueue.row(r).text + "\n";
        return all;
    }
    // Every 10133 question the host was asked, in order.
    std::vector<uint32_t> iconsAsked() const {
        std::vector<uint32_t> ids;
        for (const StandInHost::Sent& s : vorlane.sent)
            if (s.id == 10133) ids.push_back((uint32_t)s.p1);
        return ids;
    }
};
}  // namespace

TEST_F(StatusNotices, ContactChangesAreDroppedUntilTheNetworkHasReportedItself) {
    EXPECT_EQ(contactChanges(0x40), 0);
    ASSERT_EQ(vorlane.log.size(), 1u);
    EXPECT_EQ(vorlane.log[0], "Nie znalazłem informacji o statusie sieci - ignoruję nowy status kontaktu");
    EXPECT_TRUE(notificationQueue.empty());
    // Dropped before anyone else is asked.
    EXPECT_EQ(vorlane.countSent(30031), 0);
    EXPECT_EQ(vorlane.countSent(10133), 0);

    networkSettled();
    contactChanges(0x40);
    EXPECT_EQ(shown(), "<b>Ola<b> jest dostępna\n");

    // A new window after the tear-down forgets every network.
    vorlane.destroyWindow();
    vorlane.createWindow();
    vorlane.clearRecords();
    contactChanges(0x22);
    ASSERT_EQ(vorlane.log.size(), 1u);
    EXPECT_EQ(vorlane.log[0], "Nie znalazłem informacji o statusie sieci - ignoruję nowy status kontaktu");
    EXPECT_TRUE(notificationQueue.empty());
}

TEST_F(StatusNotices, ContactChangesWithinFiveSecondsOfTheNetworkReportAreDroppedWithItsTime) {
    const int32_t reportedAt = clock.seconds;
    networkReports(0x40);
    clearShown();
    clock.seconds = reportedAt + 3;
    contactChanges(0x40);
    EXPECT_TRUE(notificationQueue.empty());
    time_t at = reportedAt;
    const std::string when = asctime(localtime(&at));
    ASSERT_EQ(when.back(), '\n');
    ASSERT_EQ(vorlane.log.size(), 1u);
    EXPECT_EQ(vorlane.log[0], "zmiana statusu sieci 10 o " + when + ", czyli 3 sekund temu, ignoruję nowy status kontaktu");
    EXPECT_EQ(vorlane.countSent(30031), 0);

    clock.seconds = reportedAt + 4;
    contactChanges(0x40);
    EXPECT_TRUE(notificationQueue.empty());
    clock.seconds = reportedAt + 5;
    vorlane.log.clear();
    contactChanges(0x40);
    EXPECT_TRUE(vorlane.log.empty());
    EXPECT_EQ(shown(), "<b>Ola<b> jest dostępna\n");
    EXPECT_EQ(iconsAsked(), std::vector<uint32_t>{0x40A00400u});
}

TEST_F(StatusNotices, ConnectingThenAStatusOpensTheDescriptionHoldBack) {
    EXPECT_EQ(networkReports(0xF1, "w drodze"), 0);
    EXPECT_EQ(shown(), "Łączę z siecią \"<b>Gadu<b>\"\n\"w drodze\"\n");
    EXPECT_EQ(iconsAsked(), std::vector<uint32_t>{0x40A00F10u});
    // The name is asked of the network's plug-ins by type 2.
    const StandInHost::Sent* nameQuestion = vorlane.lastSent(30016);
    ASSERT_NE(nameQuestion, nullptr);
    EXPECT_EQ(nameQuestion->net, NET);
    EXPECT_EQ(nameQuestion->typeMask, 2);
    ASSERT_EQ(networkStates.count(NET), 1u);
    EXPECT_EQ(networkStates[NET].graceUntil, NO_GRACE);
    clearShown();

    clock.seconds += 1;
    networkReports(0x40);
    EXPECT_EQ(shown(), "Status na \"<b>Gadu<b>\" zmieniony na \"<b>dostępny<b>\"\n");
    EXPECT_EQ(networkStates[NET].lastStatus, 0x40);
    EXPECT_EQ(networkStates[NET].changedAt, clock.seconds);
    EXPECT_EQ(networkStates[NET].graceUntil, clock.tick + 3000);
    clearShown();

    // Past the quiet seconds but inside the hold-back: no description.
    clock.seconds += 5;
    clock.tick += 3000;
    contactChanges(0x40, "na plaży");
    EXPECT_EQ(shown(), "<b>Ola<b> jest dostępna\n");
    EXPECT_EQ(networkStates[NET].graceUntil, clock.tick);
    clearShown();
    // Descriptions while connecting allowed: shown at once.
    vorlane.setConfig(COL_STATUSDESCR_CONNECTED, 1);
    contactChanges(0x22, "na plaży");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęta\n\"na plaży\"\n");
    EXPECT_EQ(networkStates[NET].graceUntil, clock.tick);
    clearShown();
    // Once the period is over it ends for good.
    vorlane.setConfig(COL_STATUSDESCR_CONNECTED, 0);
    clock.tick += 1;
    contactChanges(0x22, "w pracy");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęta\n\"w pracy\"\n");
    EXPECT_EQ(networkStates[NET].graceUntil, NO_GRACE);
}

// The hold-back counts on the tick count across its wrap (every 49.7 days
// of uptime): one that ends past the wrap holds until it ends.
TEST_F(StatusNotices, TheDescriptionHoldBackSpansTheWrapOfTheTickCount) {
    clock.tick = 0xFFFFFA00u;
    networkReports(0xF1);
    clock.seconds += 1;
    networkReports(0x40);
    EXPECT_EQ(networkStates[NET].graceUntil, 0x5B8u);  // 0xFFFFFA00 + 3000, wrapped
    clearShown();
    clock.seconds += QUIET_SECONDS;
    clock.tick += 1000;  // before the wrap, inside the hold-back
    contactChanges(0x22, "na plaży");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęta\n");
    clearShown();
    clock.tick += 2001;  // past the wrap and the hold-back's end
    contactChanges(0x40, "w pracy");
    EXPECT_EQ(shown(), "<b>Ola<b> jest dostępna\n\"w pracy\"\n");
    EXPECT_EQ(networkStates[NET].graceUntil, NO_GRACE);
}

TEST_F(StatusNotices, NetworkReportsNameTheStatusOrTheFailureOrTheDescription) {
    // A first report of 0 shows nothing, but the network is known from now on.
    networkReports(0x00, "opis");
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(vorlane.countSent(30016), 0);
    EXPECT_EQ(networkStates.count(NET), 1u);
    // The icon was asked for before it was known that nothing shows.
    EXPECT_EQ(iconsAsked(), std::vector<uint32_t>{0x40A00000u});
    vorlane.clearRecords();
    // Connecting, then failing: no description on the failure.
    networkReports(0xF1);
    EXPECT_EQ(shown(), "Łączę z siecią \"<b>Gadu<b>\"\n");
    clearShown();
    networkReports(0x00, "bez sieci");
    EXPECT_EQ(shown(), "Nieudane łączenie z siecią \"<b>Gadu<b>\"\n");
    EXPECT_EQ(networkStates[NET].graceUntil, NO_GRACE);
    clearShown();
    // The same 0 again shows nothing, yet the report time moves on.
    clock.seconds += 100;
    networkReports(0x00);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(networkStates[NET].changedAt, clock.seconds);

    networkReports(0x142, "schowany");  // the code is the low 8 bits
    EXPECT_EQ(shown(), "Status na \"<b>Gadu<b>\" zmieniony na \"<b>ukryty<b>\"\n\"schowany\"\n");
    clearShown();
    networkReports(0x42, "znowu");
    EXPECT_EQ(shown(), "Opis na \"<b>Gadu<b>\" zmieniony\n\"znowu\"\n");
    clearShown();
    networkReports(0x99);
    EXPECT_EQ(shown(), "Status na \"<b>Gadu<b>\" zmieniony na \"<b>[0x99]<b>\"\n");
    clearShown();
    // A plug-in that gives no name.
    network.silence();
    networkReports(0x40);
    EXPECT_EQ(shown(), "Status na \"<b>\?\?\?<b>\" zmieniony na \"<b>dostępny<b>\"\n");
    // Shown for one delay, not clickable, with the host's list.
    ASSERT_EQ(notificationQueue.count(), 1);
    const NotificationEntry& e = notificationQueue.row(0);
    EXPECT_EQ(e.imageList, vorlane.imageList());
    EXPECT_EQ(e.imageIndex, vorlane.iconIndex(0x40A00400));
    EXPECT_EQ(e.clickable, 0);
    EXPECT_EQ(e.expiresAt, (int32_t)(clock.tick + 2000));
}

TEST_F(StatusNotices, DescriptionOnlyReportsKeepTheNetworksStatus) {
    networkReports(0xF1);
    clearShown();
    networkReports(-1, "prawie");
    EXPECT_EQ(shown(), "Opis na \"<b>Gadu<b>\" zmieniony\n\"prawie\"\n");
    EXPECT_EQ(networkStates[NET].lastStatus, 0xF1);
    clearShown();
    // The attempt still ends in a status and opens the hold-back.
    networkReports(0x40);
    EXPECT_EQ(shown(), "Status na \"<b>Gadu<b>\" zmieniony na \"<b>dostępny<b>\"\n");
    EXPECT_EQ(networkStates[NET].graceUntil, clock.tick + 3000);
}

TEST_F(StatusNotices, SwitchesOffShowNothingAndLogNothing) {
    vorlane.setConfig(COL_SELFSTATUS, 0);
    networkReports(0x40);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_TRUE(networkStates.empty());
    EXPECT_EQ(vorlane.countSent(30010), 0);
    vorlane.setConfig(COL_SELFSTATUS, 1);
    networkSettled();

    vorlane.setConfig(COL_EVENTS_STATUS, 0);
    contactChanges(0x22);
    vorlane.setConfig(COL_EVENTS_STATUS, 1);
    vorlane.setContact(row, COL_CNT_STATUS, 0);
    contactChanges(0x22);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_TRUE(vorlane.log.empty());
    EXPECT_TRUE(vorlane.sent.empty());
    vorlane.setContact(row, COL_CNT_STATUS, 1);

    // The no-notice mark on the new or on the old status.
    contactChanges(0x440);
    vorlane.setContact(row, 2, 0x400);
    contactChanges(0x22);
    EXPECT_TRUE(notificationQueue.empty());
    vorlane.setContact(row, 2, 0);
    contactChanges(0x22);
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęta\n");
}

TEST_F(StatusNotices, TheContactsGenderChoosesTheForms) {
    networkSettled();
    vorlane.setContact(row, 20, 1);
    vorlane.setContact(row, 8, std::string("Janek"));
    contactChanges(0x22);
    EXPECT_EQ(shown(), "<b>Janek<b> jest zajęta\n");
    clearShown();

    // No gender: the first name's last letter decides, else the shown name's.
    struct Case {
        const char* firstName;
        const char* shownName;
        const char* text;
    } cases[] = {
        {"Anna", "Ania K.", "<b>Ania K.<b> jest nieosiągalna\n"},
        {"Jan", "Jasia", "<b>Jasia<b> jest nieosiągalny\n"},
        {"", "Ola", "<b>Ola<b> jest nieosiągalna\n"},
        {"", "Olek", "<b>Olek<b> jest nieosiągalny\n"},
    };
    for (const Case& c : cases) {
        int r = vorlane.addContact(NET, c.shownName, c.shownName);
        vorlane.setContact(r, 6, std::string(c.firstName));
        contactChanges(0x21, nullptr, r);
        EXPECT_EQ(shown(), c.text) << c.firstName << " / " << c.shownName;
        clearShown();
    }
    // Every code of the tables, male and female, and one they lack.
    const std::pair<int, const char*> male[] = {
        {0x00, "<b> jest niedostępny"}, {0x01, "<b> ignoruje Cię"}, {0x40, "<b> jest dostępny"},
        {0x41, "<b> zaraz wraca"}, {0x43, "<b> chce rozmawiać"}, {0x44, "<b> auto-away"},
        {0x42, "<b> [0x42]"}, {0x7, "<b> [0x7]"},
    };
    vorlane.setContact(row, 20, 2);
    for (const auto& m : male) {
        vorlane.setContact(row, 2, m.first == 0 ? 0x40 : 0);
        contactChanges(m.first);
        EXPECT_EQ(shown(), std::string("<b>Janek") + m.second + "\n");
        clearShown();
    }
    vorlane.setContact(row, 20, 1);
    vorlane.setContact(row, 2, 0x40);
    contactChanges(0x00);
    EXPECT_EQ(shown(), "<b>Janek<b> jest niedostępna\n");
}

TEST_F(StatusNotices, DescriptionChangesAndTheirLength) {
    networkSettled();
    vorlane.setContact(row, 2, 0x40);
    contactChanges(-1, "idę spać");
    EXPECT_EQ(shown(), "<b>Ola<b> zmieniła opis\n\"idę spać\"\n");
    clearShown();
    // The same code as before is a description change too.
    vorlane.setContact(row, 20, 2);
    contactChanges(0x140, "wstałem");
    EXPECT_EQ(shown(), "<b>Ola<b> zmienił opis\n\"wstałem\"\n");
    clearShown();
    // Without descriptions a description change shows nothing, a status shows no line.
    vorlane.setContact(row, COL_CNT_STATUSDESCR, 0);
    contactChanges(-1, "idę spać");
    EXPECT_TRUE(notificationQueue.empty());
    contactChanges(0x22, "idę spać");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n");
    clearShown();
    vorlane.setContact(row, COL_CNT_STATUSDESCR, 1);
    vorlane.setConfig(COL_STATUSDESCR, 0);
    contactChanges(-1, "idę spać");
    EXPECT_TRUE(notificationQueue.empty());
    vorlane.setConfig(COL_STATUSDESCR, 1);

    vorlane.setConfig(COL_MSGSTATUSLEN, 10);
    contactChanges(0x22, "123456789012");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n\"1234567890...\"\n");
    clearShown();
    contactChanges(0x22, "1234567890");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n\"1234567890\"\n");
    clearShown();
    vorlane.setConfig(COL_MSGSTATUSLEN, 0);
    contactChanges(0x22, "123456789012");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n\"123456789012\"\n");
    clearShown();
    contactChanges(0x22, "");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n");
    clearShown();
    vorlane.setConfig(COL_MSGSTATUSLEN, -3);
    contactChanges(0x22, "123456789012");
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n\"123456789012\"\n");
    clearShown();
    // Of a longer description only the limit and one byte more are read.
    vorlane.setConfig(COL_MSGSTATUSLEN, 5);
    GuardPage guard;
    ASSERT_TRUE(guard.ready());
    contactChanges(0x22, (const char*)guard.place("abcdefgh", 6));  // no terminator
    EXPECT_EQ(shown(), "<b>Ola<b> jest zajęty\n\"abcde...\"\n");
    clearShown();
    // The limit is the contacts': a network's own description shows whole.
    networkReports(0x40, "123456789012");
    EXPECT_EQ(shown(), "Opis na \"<b>Gadu<b>\" zmieniony\n\"123456789012\"\n");
}

TEST_F(StatusNotices, TheNetworkPluginsAnswerAndTheContactsOwnIcon) {
    networkSettled();
    network.presence = 0x100;  // low 8 bits 0: nothing of this network is shown
    contactChanges(0x40);
    EXPECT_TRUE(notificationQueue.empty());
    const StandInHost::Sent* asked = vorlane.lastSent(30031);
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->net, NET);
    EXPECT_EQ(asked->typeMask, -1);
    EXPECT_EQ(vorlane.countSent(10133), 0);
    // No plug-in answers at all: shown.
    network.silence();
    contactChanges(0x40);
    EXPECT_EQ(shown(), "<b>Ola<b> jest dostępna\n");
    EXPECT_EQ(iconsAsked(), std::vector<uint32_t>{0x40A00400u});
    clearShown();

    vorlane.setContact(row, 30, 0x50000010);
    contactChanges(0x22);
    EXPECT_EQ(iconsAsked(), std::vector<uint32_t>{0x50000010u});
    ASSERT_EQ(notificationQueue.count(), 1);
    EXPECT_EQ(notificationQueue.row(0).imageIndex, vorlane.iconIndex(0x50000010));
    clearShown();
    vorlane.setContact(row, 30, -5);
    contactChanges(0x41);
    EXPECT_EQ(iconsAsked(), std::vector<uint32_t>{0x40A00410u});
}

TEST_F(StatusNotices, ListenersReceiveTheStatusAndNameOfContactChanges) {
    HWND listener = makeCopyRecorder();
    ASSERT_TRUE(listener != nullptr);
    SendMessageA(notificationWindow, MSG_SUBSCRIBE, (WPARAM)listener, 0);
    recordedCopies.clear();
    std::vector<RecordedCopy>& copies = recordedCopies[listener];

    networkSettled();
    // Network reports carry no record.
    networkReports(0x22);
    EXPECT_TRUE(copies.empty());
    clock.seconds += 5;
    contactChanges(0x122, "opis");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].kind, 1u);
    EXPECT_EQ(copies[0].text(), "\x1Astatus=34\x1Aname=Ola");

    vorlane.setConfig(COL_USEVINDLE, 0);
    contactChanges(0x40);
    EXPECT_EQ(copies.size(), 1u);
    SendMessageA(notificationWindow, MSG_UNSUBSCRIBE, (WPARAM)listener, 0);
    DestroyWindow(listener);
}
