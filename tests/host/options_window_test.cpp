// The host's options window, built from what the plug-in declares on 22000
// and driven through its real controls.
#include <set>
#include <string>
#include "contract/config_columns.h"
#include "core/plugin_fixture.h"
#include "host/app/options_window.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"

namespace {
std::string classOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof(name));
    return name;
}
std::string textOf(HWND w) {
    char text[512] = "";
    GetWindowTextA(w, text, sizeof(text));
    return text;
}
bool checked(HWND w) { return SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }
std::vector<std::string> chooserItems(HWND combo) {
    std::vector<std::string> items;
    int n = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        char name[MAX_PATH] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)name);
        items.push_back(name);
    }
    return items;
}

class OptionsWindowTest : public PluginTest {
protected:
    MessageBoxCatcher boxes;
    TempDir skins;
    OptionsWindow options{vorlane};
    void SetUp() override {
        PluginTest::SetUp();
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_DIRECTORY, skins.path);
        ASSERT_EQ(vorlane.createWindow(), 1);
    }
    void TearDown() override {
        options.close();
        vorlane.destroyWindow();
        vorlane.stop();
    }
    // A notice on screen, so a rebuild of the window shows as an empty queue.
    void showOneNotice() {
        PopupRequest r = popupRequest("<b>ping");
        r.displayTime = 20;
        ASSERT_GT(vorlane.deliver((HostMessage*)&r), 0);
        ASSERT_EQ(notificationQueue.count(), 1);
    }
};
}  // namespace

TEST_F(OptionsWindowTest, ControlsAreTheDeclaredOnesBoundToTheirColumnsWithTheirValues) {
    vorlane.setConfig(COL_DELAY, 1234);
    vorlane.setConfig(COL_ANIMATION, 1);
    vorlane.setConfig(COL_MOUSECLOSE, 0);
    ASSERT_TRUE(options.open());
    EXPECT_EQ(options.shownPage(), 774000);
    EXPECT_EQ(classOf(options.control(COL_DELAY)), "Edit");
    EXPECT_EQ(textOf(options.control(COL_DELAY)), "1234");
    EXPECT_EQ(textOf(options.control(COL_MSGBODYLEN)), "30");
    EXPECT_EQ(textOf(options.control(COL_DIRECTORY)), skins.path);
    EXPECT_EQ(classOf(options.control(COL_ANIMATION)), "Button");
    EXPECT_EQ(textOf(options.control(COL_ANIMATION)), "Animacja okna");
    EXPECT_TRUE(checked(options.control(COL_ANIMATION)));
    EXPECT_FALSE(checked(options.control(COL_MOUSECLOSE)));
    EXPECT_TRUE(checked(options.control(COL_WAITFORCLICK)));  // the column's default
    EXPECT_EQ(classOf(options.control(COL_SKIN)), "ComboBox");
    EXPECT_EQ(textOf(options.control(COL_SKIN)), "[brak]");
    EXPECT_EQ(textOf(options.button(774116)), "Podgląd");
    // Every column bound on the plug-in's page has its control, and no other.
    int bound = 0;
    for (const ControlDeclaration& d : options.declarations)
        if (d.parentId == 774000 && d.bound()) {
            bound++;
            EXPECT_TRUE(IsWindow(options.control(d.column()))) << d.column();
        }
    EXPECT_EQ(bound, 17);
    EXPECT_EQ(options.control(COL_CNT_MSG), nullptr);

    // Tooltips: the text after code 26 "tip=", for the four controls that have one.
    HWND tips = nullptr;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == options.window()) tips = w;
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 4);
    char tip[256] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;  // the form every comctl32 takes
    ti.hwnd = GetParent(options.control(COL_DELAY));
    ti.uId = (UINT_PTR)options.control(COL_DELAY);
    ti.lpszText = tip;
    SendMessageA(tips, TTM_GETTEXTA, sizeof(tip), (LPARAM)&ti);
    EXPECT_STREQ(tip, "Czas przez jaki wyświetlana jest jedna wiadomość");

    // A contact's page shows that contact's switches.
    int ola = vorlane.addContact(10, "1234", "Ola");
    vorlane.setContact(ola, COL_CNT_MSG, 0);
    ASSERT_TRUE(options.open(ola, "Ola"));
    EXPECT_EQ(options.shownPage(), 774001);
    EXPECT_FALSE(checked(options.control(COL_CNT_MSG)));
    EXPECT_TRUE(checked(options.control(COL_CNT_STATUS)));
    EXPECT_EQ(options.control(COL_DELAY), nullptr);
}

TEST_F(OptionsWindowTest, ThePreviewButtonShowsTheSevenSamples) {
    ASSERT_TRUE(options.open());
    SendMessageA(options.button(774116), BM_CLICK, 0, 0);
    pumpMessages();
    ASSERT_EQ(notificationQueue.count(), 10);  // seven samples, two of several lines
    EXPECT_EQ(notificationQueue.row(0).text, "<b>Kasia<b> jest dostępna");
    EXPECT_EQ(notificationQueue.row(9).text, "Wiadomość od <b>Asia");
    EXPECT_TRUE(IsWindowVisible(notificationWindow));
}

TEST_F(OptionsWindowTest, ADirectoryChangeRefreshesTheChooserFromThatDirectory) {
    TempDir other;
    other.write("blue.ini", "");
    other.write("green.ini", "");
    ASSERT_TRUE(options.open());
    HWND chooser = options.control(COL_SKIN);
    SetWindowTextA(options.control(COL_DIRECTORY), other.path.c_str());
    pumpMessages();
    std::vector<std::string> items = chooserItems(chooser);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "[brak]");
    EXPECT_EQ(std::set<std::string>(items.begin() + 1, items.end()), (std::set<std::string>{"blue", "green"}));
    EXPECT_EQ(textOf(chooser), "[brak]");
    EXPECT_EQ(vorlane.configTextValue(COL_DIRECTORY), other.path);  // stored by the plug-in

    // Gone: the list is the tooltip look alone.
    SetWindowTextA(options.control(COL_DIRECTORY), (other.path + "\\missing").c_str());
    EXPECT_EQ(chooserItems(chooser), std::vector<std::string>{"[brak]"});
}

TEST_F(OptionsWindowTest, TogglingACheckBoxStoresItsColumnAndReportsTheChange) {
    ASSERT_TRUE(options.open());
    showOneNotice();
    HWND before = notificationWindow;
    SendMessageA(options.control(COL_ANIMATION), BM_CLICK, 0, 0);
    EXPECT_EQ(vorlane.configIntValue(COL_ANIMATION), 1);
    // 21020 rebuilt the notification window: the notice is gone.
    EXPECT_EQ(notificationQueue.count(), 0);
    EXPECT_TRUE(IsWindow(notificationWindow));
    EXPECT_FALSE(IsWindow(before));

    int ola = vorlane.addContact(10, "1234", "Ola");
    ASSERT_TRUE(options.open(ola, "Ola"));
    showOneNotice();
    SendMessageA(options.control(COL_CNT_MSG), BM_CLICK, 0, 0);
    EXPECT_EQ(vorlane.contactIntValue(ola, COL_CNT_MSG), 0);
    EXPECT_EQ(vorlane.contactIntValue(ola + 1, COL_CNT_MSG), 1);  // no other row
    EXPECT_EQ(notificationQueue.count(), 0);
}
