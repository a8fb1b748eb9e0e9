// The host's main window: the contact list with status and network, the
// user's own status per network, and what a person does with them: open the
// options or a contact's page, open a conversation, make a contact send a
// message, change a contact's status or description or the user's own
// status. Closing it shuts the plug-in down (22101, 20002) and unloads it.
#pragma once
#include <windows.h>
#include "host_app.h"

class MainWindow {
public:
    explicit MainWindow(HostApp& app);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    bool create();
    HWND window() const { return frame; }
    bool isOpen() const { return frame && IsWindow(frame); }
    void refresh();

private:
    HostApp& app;
    HWND frame = nullptr, contacts = nullptr, networks = nullptr, statusBox = nullptr, textBox = nullptr;
    HostContact* selectedContact();
    HostNetwork* selectedNetwork();
    int chosenStatus();
    std::string typedText();
    void onCommand(int id);
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
