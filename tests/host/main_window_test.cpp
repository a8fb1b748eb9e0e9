// The host's main window: closing it ends the host's loop, which then shuts
// the plug-in down and unloads it.
#include <gtest/gtest.h>
#include <string>
#include "host/app/main_window.h"
#include "host/app/window_reader.h"
#include "support/win_helpers.h"

namespace {
std::string pluginBesideTests() {
    char exe[MAX_PATH];
    std::string dir(exe, GetModuleFileNameA(nullptr, exe, sizeof(exe)));
    return dir.substr(0, dir.find_last_of('\\') + 1) + "..\\dist\\notify.dll";
}
void press(HWND main, const char* button) {
    SendMessageA(FindWindowExA(main, nullptr, "Button", button), BM_CLICK, 0, 0);
}
// Whether the notification window comes to show that many lines soon.
bool showsSoon(int lines) {
    return pumpUntil(10000, [&] { return shownLines() == lines; });
}
}  // namespace

TEST(MainWindow, APersonsActionsReachThePlugin) {
    HostApp app;
    std::string why;
    ASSERT_TRUE(app.start(pluginBesideTests().c_str(), &why)) << why;
    MainWindow main(app);
    ASSERT_TRUE(main.create());
    app.networkStatus(*app.addNetwork(10, "Jabber"), 0x40, "");
    HostContact* ola = app.addContact(10, "ola", "Ola", 1);
    app.host.setConfig(774121, 1);  // received messages are notified
    HWND list = FindWindowExA(main.window(), nullptr, "SysListView32", nullptr);
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
    ASSERT_TRUE(showsSoon(1)) << shownLines();  // the network's own change

    press(main.window(), "Wyślij wiadomość");
    EXPECT_TRUE(showsSoon(2)) << shownLines();  // and "Wiadomość od Ola"
    press(main.window(), "Otwórz rozmowę");
    EXPECT_TRUE(showsSoon(1)) << shownLines();  // action 774120 closed the contact's notice

    HWND status = FindWindowExA(main.window(), nullptr, "ComboBox", nullptr);
    SendMessageA(status, CB_SETCURSEL, 1, 0);  // "zajęty"
    press(main.window(), "Status kontaktu");
    pumpUntil(10000, [&] { return app.host.contactIntValue(ola->row, 2) == 0x22; });
    EXPECT_EQ(app.host.contactIntValue(ola->row, 2), 0x22);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), 0);  // still chosen
    app.shutdown();
}

TEST(MainWindow, ClosingItShutsThePluginDownAndUnloadsIt) {
    HostApp app;
    std::string why;
    ASSERT_TRUE(app.start(pluginBesideTests().c_str(), &why)) << why;
    MainWindow main(app);
    ASSERT_TRUE(main.create());
    HostNetwork* jabber = app.addNetwork(10, "Jabber");
    app.networkStatus(*jabber, 0x40, "");
    ASSERT_TRUE(pumpUntil(10000, [] { return IsWindowVisible(notificationWindowOf()); }));
    ASSERT_NE(GetModuleHandleA("notify.dll"), nullptr);

    SendMessageA(main.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(main.isOpen());
    EXPECT_TRUE(app.running());  // not from inside whatever dispatched the close
    main.runUntilClosed();
    EXPECT_FALSE(app.running());
    EXPECT_EQ(notificationWindowOf(), nullptr);  // 22101 destroyed it
    EXPECT_EQ(GetModuleHandleA("notify.dll"), nullptr);
}
