// Events of the options page (22200) through IMessageProc: the skin chooser
// filled from the "*.ini" files of a real directory, the preview replacing
// the real notification window and showing its samples, clicks on those
// samples answered with a message box, and a contact's notices dropped.
#include <string.h>
#include <set>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "plugin_fixture.h"
#include "skin/paint.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "support/recorded_request.h"
#include "core/entry.h"

namespace {
const int32_t CHOOSER = 0x110BCFDE, DIRECTORY_FIELD = 0x110BCFE3;


class OptionsEvents : public PluginTest {
protected:
    MessageBoxCatcher boxes;
    TempDir skins;
    void SetUp() override {
        PluginTest::SetUp();
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_DIRECTORY, skins.path);
        ASSERT_EQ(vorlane.createWindow(), 1);
        vorlane.clearRecords();
    }
    void TearDown() override {
        vorlane.destroyWindow();
        vorlane.stop();
    }
    int notice(int32_t action, int32_t code, int32_t parent = 774000, int32_t contact = -2, uint16_t size = 30) {
        ActionNotice n = {};
        n.size = size;
        n.action = {action, parent, contact};
        n.code = code;
        return vorlane.send(22200, (intptr_t)&n, 0);
    }
    std::string chooserList() { return vorlane.controlTexts[CHOOSER]; }
    // The value last given to the chooser (10110).
    std::string chooserValue() const {
        for (auto s = vorlane.sent.rbegin(); s != vorlane.sent.rend(); ++s)
            if (s->id == 10110 && int32At(s->p1Bytes, 2) == CHOOSER) return s->p1Text;
        return "<none>";
    }
    // Names of the directory's definition files as the system lists them.
    std::string listedNames() const {
        std::string names;
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA((skins.path + "\\*.ini").c_str(), &f);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            std::string n = f.cFileName;
            names += n.substr(0, n.size() - 4) + "\n";
        } while (FindNextFileA(h, &f));
        FindClose(h);
        return names;
    }
    std::vector<std::string> queueTexts() const {
        std::vector<std::string> texts;
        for (int r = 0; r < notificationQueue.count(); r++) texts.push_back(notificationQueue.row(r).text);
        return texts;
    }
    // A click at the middle of queue row r, checked to hit that row.
    void clickRow(int r) {
        LPARAM at = MAKELPARAM(6, 2 + rowHeight * r + rowHeight / 2);
        ASSERT_EQ(hitTestRow(at), r);
        SendMessageA(notificationWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
        pumpMessages();
    }
};
}  // namespace

TEST_F(OptionsEvents, TheChooserListsTheDefinitionFilesInEnumerationOrder) {
    skins.write("blue.ini", "[skin]\n");
    skins.write("green.ini", "[skin]\n");
    skins.write("notes.txt", "x");
    vorlane.setConfig(COL_SKIN, std::string("gone"));
    EXPECT_EQ(notice(DIRECTORY_FIELD, 100), 0);
    const std::string names = listedNames();
    EXPECT_EQ(std::set<std::string>({"blue\ngreen\n", "green\nblue\n"}).count(names), 1u) << names;
    EXPECT_EQ(chooserList(), "[brak]\n" + names);
    // The configured skin is the chooser's value even when it is gone.
    EXPECT_EQ(chooserValue(), "gone");
    EXPECT_EQ(vorlane.configTextValue(COL_SKIN), "gone");
    EXPECT_EQ(vorlane.configTextValue(COL_DIRECTORY), skins.path);

    // The directory was read from its field, then the list and value were set.
    std::vector<int> ids;
    for (const StandInHost::Sent& s : vorlane.sent) ids.push_back(s.id);
    EXPECT_EQ(ids, (std::vector<int>{10106, 10108, 10110}));
    const StandInHost::Sent& read = vorlane.sent[0];
    ASSERT_EQ(read.p1Bytes.size(), 74u);
    EXPECT_EQ(int32At(read.p1Bytes, 2), DIRECTORY_FIELD);
    EXPECT_EQ(int32At(read.p1Bytes, 6), 774000);
    EXPECT_EQ(int32At(read.p1Bytes, 10), -2);
    EXPECT_EQ(int32At(read.p1Bytes, 30), 0x10040);
    EXPECT_EQ(int32At(read.p1Bytes, 54), 260);
    EXPECT_EQ(int32At(vorlane.sent[1].p1Bytes, 30), 0x40);
    EXPECT_EQ(int32At(vorlane.sent[2].p1Bytes, 30), 0x10040);

    // A directory given with its backslash lists the same.
    vorlane.setConfig(COL_DIRECTORY, skins.path + "\\");
    notice(DIRECTORY_FIELD, 100);
    EXPECT_EQ(chooserList(), "[brak]\n" + names);

    // A file named just ".ini" gives an empty name; the chooser's own
    // refresh answers the notice's own control.
    skins.write(".ini", "");
    vorlane.clearRecords();
    EXPECT_EQ(notice(CHOOSER, 10, 774000, 5), 0);
    EXPECT_EQ(vorlane.countSent(10108), 1);
    EXPECT_EQ(int32At(vorlane.lastSent(10108)->p1Bytes, 10), 5);
    const std::string list = vorlane.lastSent(10108)->p1Text;
    EXPECT_EQ(list.substr(0, 7), "[brak]\n");
    EXPECT_NE(("\n" + list).find("\n\n"), std::string::npos) << list;
    EXPECT_EQ(list.size(), std::string("[brak]\nblue\ngreen\n\n").size());
}

TEST_F(OptionsEvents, AMissingOrOverlongDirectoryListsOnlyTheDefaultLook) {
    vorlane.setConfig(COL_SKIN, std::string("blue"));
    vorlane.setConfig(COL_DIRECTORY, skins.path + "\\nowhere");
    notice(DIRECTORY_FIELD, 100);
    EXPECT_EQ(chooserList(), "[brak]\n");
    EXPECT_EQ(chooserValue(), "[brak]");
    // The chooser is bound to the skin column; the host stores what it shows,
    // the plug-in itself writes nothing else there.
    EXPECT_EQ(vorlane.countSent(10110), 1);

    // A path too long for the pattern, even one the host cut at 259.
    skins.write("blue.ini", "");
    std::string longPath = skins.path + "\\" + std::string(300, 'x');
    vorlane.setConfig(COL_DIRECTORY, longPath);
    vorlane.clearRecords();
    notice(CHOOSER, 10);
    EXPECT_EQ(chooserList(), "[brak]\n");
    EXPECT_EQ(chooserValue(), "[brak]");
    EXPECT_EQ(vorlane.configTextValue(COL_DIRECTORY), longPath.substr(0, 259));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(OptionsEvents, OtherControlsCodesAndShortNoticesDoNothing) {
    skins.write("blue.ini", "");
    notice(DIRECTORY_FIELD, 10);
    notice(CHOOSER, 100);
    notice(0x110BCFDF, 10);
    notice(774116, 2);
    notice(774117, 10);
    notice(774120, 1);
    notice(CHOOSER, 10, 774000, -2, 29);
    EXPECT_EQ(vorlane.send(22200, 0, 0), 0);
    for (const StandInHost::Sent& s : vorlane.sent) EXPECT_EQ(s.id, 22200) << "sent " << s.id;
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(OptionsEvents, ThePreviewReplacesTheWindowAndShowsSevenOfItsEightSamples) {
    HWND before = notificationWindow;
    vorlane.setConfig(COL_SKIN, std::string("[brak]"));
    EXPECT_EQ(notice(774116, 1), 0);
    EXPECT_FALSE(IsWindow(before));
    ASSERT_TRUE(IsWindow(notificationWindow));
    EXPECT_TRUE(IsWindowVisible(notificationWindow));
    EXPECT_EQ(vorlane.configTextValue(COL_SKIN), "[brak]");

    // Each sample went to the plug-in itself; the second Adam/Asia sample is a duplicate.
    std::vector<int> results;
    std::vector<uint32_t> icons;
    for (const StandInHost::Sent& s : vorlane.sent) {
        if (s.id == 774201) {
            EXPECT_EQ(s.plugin, vorlane.pluginId());
            EXPECT_EQ(s.size, 52);
            results.push_back(s.result);
        }
        if (s.id == 10133) icons.push_back((uint32_t)s.p1);
    }
    // Ids run on from whatever was shown before.
    ASSERT_EQ(results.size(), 8u);
    ASSERT_GT(results[0], 0);
    for (int i = 1; i < 7; i++) EXPECT_EQ(results[i], results[0] + i);
    EXPECT_EQ(results[7], -1);
    EXPECT_EQ(icons, (std::vector<uint32_t>{0x40A00400, 0x50000010, 0x40A00000, 0x40A00410, 0x40A00410, 774003,
                                            0x50000010, 0x50000010}));
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{
                                "<b>Kasia<b> jest dostępna", "Wiadomość od <b>Marta", "\"Cześć! Co słychać?\"",
                                "<b>Łukasz<b> jest niedostępny", "<b>Marcin<b> zaraz wraca", "<b>Ola<b> zaraz wraca",
                                "BŁĄD 404", "Info błędu", "Coś o błędzie :)", "Wiadomość od <b>Asia"}));
    ASSERT_EQ(notificationQueue.count(), 10);
    EXPECT_EQ(notificationQueue.row(1).clickable, 1);
    EXPECT_EQ(notificationQueue.row(1).originAction, 774117);
    EXPECT_EQ(notificationQueue.row(1).originParent, 1);
    EXPECT_EQ(notificationQueue.row(6).originAction, 774118);
    EXPECT_EQ(notificationQueue.row(6).expiresAt, -1);
    EXPECT_EQ(notificationQueue.row(0).clickable, 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(OptionsEvents, APreviewOfASkinThatCannotLoadStillShowsTheSamples) {
    skins.write("broken.ini", "nothing useful");
    vorlane.setConfig(COL_SKIN, std::string("broken"));
    notice(774116, 1);
    ASSERT_TRUE(IsWindow(notificationWindow));
    EXPECT_EQ(notificationQueue.count(), 10);
    // The loader said why, and the samples came in the default look.
    ASSERT_FALSE(boxes.boxes.empty());
    for (const CapturedBox& b : boxes.boxes) EXPECT_EQ(b.caption, "Zinglet");
    EXPECT_EQ(notificationQueue.row(0).text, "<b>Kasia<b> jest dostępna");
    boxes.boxes.clear();
}

TEST_F(OptionsEvents, ClickingAClickableSampleRemovesItAndShowsWhichOne) {
    vorlane.setConfig(COL_MOUSECLOSE, 1);
    notice(774116, 1);
    ASSERT_EQ(notificationQueue.count(), 10);
    vorlane.clearRecords();
    clickRow(2);  // the second line of the Marta sample
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Kliknięto na okno Zinglet\n\nWiadomość od Marta");
    EXPECT_EQ(boxes.boxes[0].caption, "Zinglet");
    EXPECT_EQ(boxes.boxes[0].style & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(boxes.boxes[0].owner, nullptr);
    EXPECT_EQ(vorlane.countSent(10103), 1);
    EXPECT_EQ(notificationQueue.count(), 8);
    EXPECT_EQ(notificationQueue.row(1).text, "<b>Łukasz<b> jest niedostępny");

    // A sample that is not clickable: no box, and the whole window hides.
    boxes.boxes.clear();
    clickRow(0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(notificationQueue.empty());
    EXPECT_FALSE(IsWindowVisible(notificationWindow));

    // The other samples' texts, as the host reports their clicks.
    notice(774118, 1, 1);
    notice(774119, 1, 1);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, "Kliknięto na okno Zinglet\n\nInformacje o błędzie");
    EXPECT_EQ(boxes.boxes[1].text, "Kliknięto na okno Zinglet\n\nWiadomość od Asia");
    boxes.boxes.clear();
}

TEST_F(OptionsEvents, TheContactActionDropsThatContactsMessageNotices) {
    auto message = [this](const char* text, int32_t contact) {
        PopupRequest r = popupRequest(text);
        r.clickable = 1;
        r.icon = 0x50000010;
        r.originAction = 130;
        r.originParent = 30;
        r.originContact = contact;
        return deliver(r);
    };
    ASSERT_GT(message("Wiadomość od <b>Ola", 9), 0);
    ASSERT_GT(message("Wiadomość od <b>Jan", 4), 0);
    notice(774120, 1, 200, 9);  // not the code for it
    EXPECT_EQ(notificationQueue.count(), 2);
    notice(774120, 10, 200, 9);
    EXPECT_EQ(queueTexts(), std::vector<std::string>{"Wiadomość od <b>Jan"});
}
