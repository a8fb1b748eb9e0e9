// Received messages (host message 20100) through the in-process plug-in and
// a real notification window: which messages give a notice, the lines that
// reach the window's queue, the host calls made in their order, and the
// sender's name copied to a subscribed listener window.
#include <string.h>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "contract/received_message.h"
#include "plugin_fixture.h"
#include "skin/paint.h"
#include "support/guard_page.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "window/private_messages.h"
#include "support/copy_recorder.h"

namespace {
const int NET = 10;
const uint32_t MESSAGE_ICON = 0x50000010;

// Stands between the plug-in and the stand-in host and writes down every
// read of a table and every message, in order.
class CallLog final : public HostControl {
public:
    explicit CallLog(StandInHost& h) : h(h) {}
    std::vector<std::string> calls;
    int reserved0() override { return 0; }
    int pluginId() override { return h.pluginId(); }
    int reserved2() override { return 0; }
    HINSTANCE moduleHandle() override { return h.moduleHandle(); }
    int lastError() override { return h.lastError(); }
    void setError(int code) override { h.setError(code); }
    int reserved6() override { return 0; }
    int sendMessage(HostMessage* m) override {
        calls.push_back("send " + std::to_string(m->id));
        return h.sendMessage(m);
    }
    int sendMessageTo(int plugin, HostMessage* m) override { return h.sendMessageTo(plugin, m); }
    int reserved9() override { return 0; }
    int reserved10() override { return 0; }
    int reserved11() override { return 0; }
    int reserved12() override { return 0; }
    int reserved13() override { return 0; }
    int reserved14() override { return 0; }
    int reserved15() override { return 0; }
    int isForeignThread(int zero) override { return h.isForeignThread(zero); }
    int recallOnMainThread(int zero, int one) override { return h.recallOnMainThread(zero, one); }
    int reserved18() override { return 0; }
    int reserved19() override { return 0; }
    int reserved20() override { return 0; }
    int getValue(int table, int row, int column, HostValue* value) override {
        calls.push_back((table == configTable ? "config " : "contact " + std::to_string(row) + " ") +
                        std::to_string(column));
        return h.getValue(table, row, column, value);
    }
    int setValue(int table, int row, int column, HostValue* value) override {
        return h.setValue(table, row, column, value);
    }

private:
    StandInHost& h;
};


class MessageNotices : public PluginTest {
protected:
    MessageBoxCatcher boxes;
    int ola = 0;
    HWND listener = nullptr;

    void SetUp() override {
        PluginTest::SetUp();
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_EVENTS_MSG, 1);
        vorlane.setConfig(COL_WAITFORCLICK, 1);
        vorlane.setConfig(COL_MSGBODY, 1);
        vorlane.setConfig(COL_MSGBODYLEN, 30);
        vorlane.setConfig(COL_USEVINDLE, 0);
        ASSERT_EQ(vorlane.createWindow(), 1);
        ASSERT_TRUE(IsWindow(notificationWindow));
        ola = vorlane.addContact(NET, "1234", "Ola");
        vorlane.setContact(ola, 2, 0x41);
        vorlane.clearRecords();
    }
    void TearDown() override {
        if (listener) {
            SendMessageA(notificationWindow, MSG_UNSUBSCRIBE, (WPARAM)listener, 0);
            DestroyWindow(listener);
        }
        vorlane.runShutdown();
        EXPECT_TRUE(boxes.boxes.empty());
    }

    ReceivedMessage message(const char* from, const char* body) {
        ReceivedMessage m = {};
        m.size = 58;
        m.net = NET;
        m.type = 1;
        m.from = from;
        m.body = body;
        return m;
    }
    int receive(const ReceivedMessage* m, uint16_t size = 30) {
        HostMessage2 h = {};
        h.size = size;
        h.id = 20100;
        h.net = 0;
        h.p1 = (intptr_t)m;
        return deliver(h);
    }
    // The texts of the window's rows, oldest first.
    std::vector<std::string> rows() const {
        std::vector<std::string> t;
        for (int r = 0; r < notificationQueue.count(); r++) t.push_back(notificationQueue.row(r).text);
        return t;
    }
    void hideAll() { sendPrivateMessage(notificationWindow, MSG_HIDE_ALL, 0, 0); }
    std::vector<std::string> shown(const char* body) {
        hideAll();
        ReceivedMessage m = message("1234", body);
        EXPECT_EQ(receive(&m), 0);
        return rows();
    }
    void subscribe() {
        listener = makeCopyRecorder();
        ASSERT_TRUE(listener != nullptr);
        SendMessageA(notificationWindow, MSG_SUBSCRIBE, (WPARAM)listener, 0);
        recordedCopies.clear();
    }
    std::vector<int> sentIds() const {
        std::vector<int> ids;
        for (const StandInHost::Sent& s : vorlane.sent) ids.push_back(s.id);
        return ids;
    }
};
}  // namespace

TEST_F(MessageNotices, WithTheSwitchOffOnlyTheSwitchIsRead) {
    vorlane.setConfig(COL_EVENTS_MSG, 0);
    CallLog calls(vorlane);
    HostControl* held = host;
    host = &calls;
    ReceivedMessage m = message("1234", "Cześć");
    EXPECT_EQ(receive(&m), 0);
    host = held;
    EXPECT_EQ(calls.calls, std::vector<std::string>{"config 774121"});
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_FALSE(IsWindowVisible(notificationWindow));
}

TEST_F(MessageNotices, OtherNetworksTypesFlagsAndBrokenRecordsGiveNothing) {
    ReceivedMessage m = message("1234", "Cześć");
    m.net = 14;
    EXPECT_EQ(receive(&m), 0);
    m = message("1234", "Cześć");
    m.type = 2;
    EXPECT_EQ(receive(&m), 0);
    m = message("1234", "Cześć");
    m.flags = 2 | 1;
    EXPECT_EQ(receive(&m), 0);
    EXPECT_EQ(receive(nullptr), 0);
    // A record too short for its flags is refused without being read past its end.
    GuardPage guard;
    ASSERT_TRUE(guard.ready());
    m = message("1234", "Cześć");
    m.size = 30;
    EXPECT_EQ(receive(guard.place(m, 30)), 0);
    EXPECT_EQ(vorlane.countSent(200), 0);
    EXPECT_TRUE(notificationQueue.empty());
    // Other flag bits do not matter.
    m = message("1234", "Cześć");
    m.flags = 1 | 4;
    receive(&m);
    EXPECT_EQ(notificationQueue.count(), 2);
}

TEST_F(MessageNotices, TheContactSwitchAndTheNoNoticeStatusStopIt) {
    vorlane.setContact(ola, COL_CNT_MSG, 0);
    ReceivedMessage m = message("1234", "Cześć");
    receive(&m);
    EXPECT_EQ(sentIds(), std::vector<int>{200});
    EXPECT_TRUE(notificationQueue.empty());

    vorlane.setContact(ola, COL_CNT_MSG, 1);
    vorlane.setContact(ola, 2, 0x441);
    vorlane.clearRecords();
    receive(&m);
    EXPECT_EQ(sentIds(), std::vector<int>{200});
    EXPECT_TRUE(notificationQueue.empty());

    // With the contact's switch on the global one decides.
    vorlane.setContact(ola, 2, 0x41);
    vorlane.setConfig(COL_EVENTS_MSG, 0);
    receive(&m);
    EXPECT_TRUE(notificationQueue.empty());
    vorlane.setConfig(COL_EVENTS_MSG, 1);
    receive(&m);
    EXPECT_FALSE(notificationQueue.empty());
}

TEST_F(MessageNotices, ANoticeIsAClickableLineTiedToTheSenderAskedInOrder) {
    vorlane.setConfig(COL_MSGBODY, 0);
    CallLog calls(vorlane);
    HostControl* held = host;
    host = &calls;
    ReceivedMessage m = message("1234", "Cześć");
    EXPECT_EQ(receive(&m), 0);
    host = held;
    pumpMessages();

    ASSERT_EQ(notificationQueue.count(), 1);
    const NotificationEntry& e = notificationQueue.row(0);
    EXPECT_EQ(e.text, "Wiadomość od <b>Ola");
    EXPECT_EQ(e.text[7], '\x9C');  // "ś" in Windows-1250
    EXPECT_EQ(e.clickable, 1);
    EXPECT_EQ(e.originAction, 130);
    EXPECT_EQ(e.originParent, 30);
    EXPECT_EQ(e.originContact, ola);
    EXPECT_EQ(e.clickValue, 0);
    EXPECT_EQ(e.expiresAt, -1);
    EXPECT_EQ(e.icon, nullptr);
    EXPECT_EQ(e.imageList, vorlane.imageList());
    EXPECT_EQ(e.imageIndex, vorlane.iconIndex(MESSAGE_ICON));
    EXPECT_TRUE(IsWindowVisible(notificationWindow));
    // The composed picture shows the host's message icon (a filled square of its colour).
    int width = 0, height = 0;
    std::vector<uint32_t> px = readPixels(composedBitmap, &width, &height);
    ASSERT_GT(width, 16);
    size_t iconPixels = 0;
    for (uint32_t p : px)
        if ((p & 0xFFFFFF) == rgbOf(StandInHost::iconColour(MESSAGE_ICON))) iconPixels++;
    EXPECT_EQ(iconPixels, 16u * 16u);

    const std::vector<std::string> expected = {
        "config 774121", "send 200",          "contact " + std::to_string(ola) + " 774137",
        "contact " + std::to_string(ola) + " 2", "send 13003", "contact " + std::to_string(ola) + " 8",
        "config 774131", "config 774130",     "send 10134", "send 10133"};
    ASSERT_GE(calls.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.calls.begin(), calls.calls.begin() + expected.size()), expected);
    EXPECT_EQ(calls.calls.back(), "config 774128");  // the listener switch, after the window

    const StandInHost::Sent* lookup = vorlane.lastSent(200);
    ASSERT_NE(lookup, nullptr);
    EXPECT_EQ(lookup->p1, NET);
    EXPECT_EQ(lookup->p2, (intptr_t)m.from);
    EXPECT_EQ(vorlane.lastSent(13003)->p1, ola);
    EXPECT_EQ(vorlane.lastSent(13003)->p2, 0);
    EXPECT_EQ(vorlane.lastSent(10134)->p1, 1);
    EXPECT_EQ(vorlane.lastSent(10134)->p2, 0);
    EXPECT_EQ((uint32_t)vorlane.lastSent(10133)->p1, MESSAGE_ICON);
    EXPECT_EQ(vorlane.lastSent(10133)->p2, 1);
}

TEST_F(MessageNotices, TheBodyIsQuotedAndShortenedToItsLimit) {
    EXPECT_EQ(shown("Cześć"), (std::vector<std::string>{"Wiadomość od <b>Ola", "\"Cześć\""}));
    std::string forty(40, 'x');
    EXPECT_EQ(shown(forty.c_str())[1], "\"" + std::string(30, 'x') + "...\"");

    vorlane.setConfig(COL_MSGBODYLEN, 5);
    EXPECT_EQ(shown("abcde")[1], "\"abcde\"");
    EXPECT_EQ(shown("abcdef")[1], "\"abcde...\"");
    EXPECT_EQ(shown("")[1], "\"\"");
    // Line breaks stay: the window makes each its own line.
    EXPECT_EQ(shown("a\nb"), (std::vector<std::string>{"Wiadomość od <b>Ola", "\"a", "b\""}));
    // Only the limit and one byte more are read of a longer body.
    GuardPage guard;
    ASSERT_TRUE(guard.ready());
    const char* edge = (const char*)guard.place("abcdefgh", 6);  // no terminator
    EXPECT_EQ(shown(edge)[1], "\"abcde...\"");

    vorlane.setConfig(COL_MSGBODYLEN, 0);
    EXPECT_EQ(shown("Cześć").size(), 1u);
    vorlane.setConfig(COL_MSGBODYLEN, -3);
    EXPECT_EQ(shown("Cześć").size(), 1u);
    vorlane.setConfig(COL_MSGBODYLEN, 30);
    vorlane.setContact(ola, COL_CNT_MSGBODY, 0);
    EXPECT_EQ(shown("Cześć").size(), 1u);
    vorlane.setContact(ola, COL_CNT_MSGBODY, 1);
    vorlane.setConfig(COL_MSGBODY, 0);
    EXPECT_EQ(shown("Cześć").size(), 1u);
    // A missing body is shown as an empty one.
    vorlane.setConfig(COL_MSGBODY, 1);
    EXPECT_EQ(shown(nullptr), (std::vector<std::string>{"Wiadomość od <b>Ola", "\"\""}));
}

TEST_F(MessageNotices, TheShownNameFallsBackThroughTheContactColumns) {
    int row = vorlane.addContact(NET, "5555");
    vorlane.setContact(row, 6, std::string("Ala"));
    vorlane.setConfig(COL_MSGBODY, 0);
    ReceivedMessage m = message("5555", "x");
    receive(&m);
    EXPECT_EQ(rows(), std::vector<std::string>{"Wiadomość od <b>Ala"});
    hideAll();
    vorlane.setContact(row, 17, std::string("Alicja"));
    receive(&m);
    EXPECT_EQ(rows(), std::vector<std::string>{"Wiadomość od <b>Alicja"});
    hideAll();
    vorlane.setContact(row, 6, std::string(""));
    vorlane.setContact(row, 17, std::string(""));
    receive(&m);
    EXPECT_EQ(rows(), std::vector<std::string>{"Wiadomość od <b>5555"});
}

TEST_F(MessageNotices, ListenersGetTheNameAlsoWhenTheHostKeepsTheMessageFromTheWindow) {
    subscribe();
    vorlane.setConfig(COL_USEVINDLE, 1);
    vorlane.answer13003 = 1;
    ReceivedMessage m = message("1234", "Cześć");
    EXPECT_EQ(receive(&m), 0);
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_EQ(sentIds(), (std::vector<int>{200, 13003, 10134, 10133}));
    const std::vector<RecordedCopy>& copies = recordedCopies[listener];
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].kind, 2u);
    EXPECT_EQ(copies[0].text(), "\x1A" "name=Ola");

    vorlane.answer13003 = 0;
    receive(&m);
    EXPECT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(copies.size(), 2u);
    // Switched off, nothing is copied.
    hideAll();
    vorlane.setConfig(COL_USEVINDLE, 0);
    receive(&m);
    EXPECT_EQ(copies.size(), 2u);
    EXPECT_EQ(notificationQueue.count(), 2);
}

TEST_F(MessageNotices, ASecondMessageOfTheSameSenderWhileShownIsOneNotice) {
    vorlane.setConfig(COL_MSGBODY, 0);
    ReceivedMessage m = message("1234", "pierwsza");
    receive(&m);
    receive(&m);
    EXPECT_EQ(notificationQueue.count(), 1);
    EXPECT_EQ(vorlane.countSent(10133), 2);  // both were asked of the host
    int other = vorlane.addContact(NET, "777", "Ala");
    ReceivedMessage n = message("777", "druga");
    receive(&n);
    ASSERT_EQ(notificationQueue.count(), 2);
    EXPECT_EQ(notificationQueue.row(1).originContact, other);
}
