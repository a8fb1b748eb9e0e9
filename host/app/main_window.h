// The host's main window: the contact list with status and network, the
// user's own status per network, and what a person does with them: open the
// options or a contact's page, open a conversation, make a contact send a
// message, change a contact's status or description or the user's own
// status. Closing it ends the host: once its message loop is left, the
// plug-in is shut down (22101, 20002) and unloaded. Not earlier, since the
// close may come through a message loop of the plug-in's own (a message box
// it shows), which must not return into a library that is gone.
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
    // Dispatches messages until the window has been closed, then shuts the
    // plug-in down.
    void runUntilClosed();

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
