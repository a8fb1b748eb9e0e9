// The host's options window: a tree of pages and, beside it, the page shown,
// drawn with real controls from the declarations the plug-in sends on host
// message 22000, in the order declared. Bound controls show and store their
// columns (a contact page's in that contact's row); a stored change is
// followed by host message 21020. While the window is open the host has it
// answer the control messages 10106, 10108 and 10110 for the controls it
// shows, and it reports the chooser being opened (code 10), the directory
// field changing (code 100) and the button (code 1) to the plug-in as 22200
// action notices.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "host/double/control_declarations.h"
#include "host/double/control_panel.h"
#include "host/double/stand_in_host.h"

class OptionsWindow final : public ControlPanel {
public:
    explicit OptionsWindow(StandInHost& host);
    ~OptionsWindow();
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    // Asks the plug-in for its declarations again (22000) and opens the
    // window on the plug-in's page, or on the page of the contact in
    // `contactRow` (>= 1) when one is given. False when nothing was declared.
    bool open(int contactRow = -2, const std::string& contactName = "");
    void close();
    HWND window() const { return frame; }
    bool isOpen() const { return frame != nullptr; }
    int32_t shownPage() const { return page; }

    // Controls of the page shown: the one bound to a column, a button by its
    // action id; null when the page has none.
    HWND control(int column) const;
    HWND button(int32_t actionId) const;

    // What the plug-in declared on the last 22000, in order.
    std::vector<ControlDeclaration> declarations;

private:
    struct Item {
        ControlDeclaration declaration;
        HWND control = nullptr;
        HICON icon = nullptr;
    };
    StandInHost& host;
    HWND frame = nullptr, tree = nullptr, panel = nullptr, tips = nullptr;
    int32_t page = 0;
    HTREEITEM shownNode = nullptr;  // the tree item of the page shown
    int contactRow = -2;
    std::string contactName;
    std::vector<Item> items;
    bool filling = false;  // the host itself is writing into a control

    void buildTree();
    void showPage(int32_t pageId);
    void clearPage();
    HWND createItem(Item& item, int x, int y, int width, int height);
    int itemHeight(const ControlDeclaration& d, int width) const;
    void bindValue(Item& item);
    Item* itemOf(HWND control);
    Item* itemOfAction(int32_t actionId);
    void onCommand(HWND control, int code);
    void store(const Item& item, int value);
    void store(const Item& item, const std::string& text);
    void notify(int32_t actionId, int code);
    // The control messages for the controls shown.
    bool readControl(int32_t action, std::string* value) override;
    bool setControlText(int32_t action, const std::string& text) override;
    bool setControlValue(int32_t action, const std::string& value) override;
    HICON loadImage(const std::string& address, int width, int height) const;

    static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
