#include "main_window.h"
#include <commctrl.h>
#include <stdio.h>

namespace {
const char CLASS_NAME[] = "VorlaneHostMain";
enum Command {
    ID_OPTIONS = 10, ID_CONTACT_PAGE, ID_CONVERSATION, ID_MESSAGE, ID_CONTACT_STATUS, ID_CONTACT_DESCRIPTION,
    ID_OWN_STATUS, ID_CONTACTS = 100, ID_NETWORKS, ID_STATUS, ID_TEXT,
};
struct StatusChoice {
    const char* label;
    int status;
};
const StatusChoice CHOICES[] = {
    {"dostępny", STATUS_AVAILABLE}, {"zajęty", STATUS_BUSY},      {"zaraz wracam", STATUS_AWAY},
    {"ukryty", STATUS_INVISIBLE},   {"niedostępny", STATUS_OFFLINE}, {"łączenie", STATUS_CONNECTING},
};

const char* statusLabel(int status) {
    for (const StatusChoice& c : CHOICES)
        if ((status & STATUS_CODE_MASK) == c.status) return c.label;
    return "inny";
}

HFONT guiFont() { return (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

HWND child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           DWORD exStyle = 0) {
    HWND c = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             (HMENU)(intptr_t)id, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(c, WM_SETFONT, (WPARAM)guiFont(), 0);
    return c;
}

void addColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = (char*)title;
    c.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, (LPARAM)&c);
}

void setCell(HWND list, int row, int column, const std::string& text, LPARAM data = 0, int image = -1) {
    LVITEMA item = {};
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = (char*)text.c_str();
    if (column == 0) {
        item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
        item.lParam = data;
        item.iImage = image;
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    } else {
        item.mask = LVIF_TEXT;
        SendMessageA(list, LVM_SETITEMTEXTA, row, (LPARAM)&item);
    }
}

// Selects the row holding `data`, as before a refresh.
void selectData(HWND list, LPARAM data) {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    int i = data ? (int)SendMessageA(list, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find) : -1;
    if (i < 0) return;
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, i, (LPARAM)&item);
}

LPARAM selectedData(HWND list) {
    int i = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (i < 0) return 0;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item);
    return item.lParam;
}
}  // namespace

MainWindow::MainWindow(HostApp& a) : app(a) {}

MainWindow::~MainWindow() {
    app.changed = nullptr;
    if (isOpen()) DestroyWindow(frame);
}

bool MainWindow::create() {
    static bool registered = false;
    if (!registered) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = CLASS_NAME;
        registered = RegisterClassExA(&wc) != 0;
    }
    RECT r = {0, 0, 600, 330};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&r, style, FALSE);
    frame = CreateWindowExA(0, CLASS_NAME, "Vorlane", style, 16, 400, r.right - r.left, r.bottom - r.top, nullptr,
                            nullptr, GetModuleHandleA(nullptr), this);
    if (!frame) return false;
    // The lists show the host's status icons; the image list stays the host's.
    DWORD listStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_TABSTOP;
    contacts = child(frame, WC_LISTVIEWA, "", listStyle, 8, 8, 584, 160, ID_CONTACTS, WS_EX_CLIENTEDGE);
    SendMessageA(contacts, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    addColumn(contacts, 0, "Kontakt", 130);
    addColumn(contacts, 1, "Sieć", 110);
    addColumn(contacts, 2, "Status", 100);
    addColumn(contacts, 3, "Opis", 220);
    networks = child(frame, WC_LISTVIEWA, "", listStyle, 8, 176, 250, 90, ID_NETWORKS, WS_EX_CLIENTEDGE);
    SendMessageA(networks, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    addColumn(networks, 0, "Sieć", 110);
    addColumn(networks, 1, "Mój status", 120);
    SendMessageA(contacts, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)app.host.imageList());
    SendMessageA(networks, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)app.host.imageList());
    child(frame, "STATIC", "Status:", SS_LEFT, 270, 180, 60, 16, 0);
    statusBox = child(frame, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 330, 176, 120, 200, ID_STATUS);
    for (const StatusChoice& c : CHOICES) SendMessageA(statusBox, CB_ADDSTRING, 0, (LPARAM)c.label);
    SendMessageA(statusBox, CB_SETCURSEL, 0, 0);
    child(frame, "STATIC", "Tekst:", SS_LEFT, 270, 208, 60, 16, 0);
    textBox = child(frame, "EDIT", "Cześć! Co słychać?", ES_AUTOHSCROLL | WS_TABSTOP, 330, 204, 262, 22, ID_TEXT,
                    WS_EX_CLIENTEDGE);
    child(frame, "BUTTON", "Status kontaktu", BS_PUSHBUTTON | WS_TABSTOP, 270, 236, 105, 26, ID_CONTACT_STATUS);
    child(frame, "BUTTON", "Opis kontaktu", BS_PUSHBUTTON | WS_TABSTOP, 380, 236, 100, 26, ID_CONTACT_DESCRIPTION);
    child(frame, "BUTTON", "Mój status", BS_PUSHBUTTON | WS_TABSTOP, 485, 236, 107, 26, ID_OWN_STATUS);
    child(frame, "BUTTON", "Opcje...", BS_PUSHBUTTON | WS_TABSTOP, 8, 292, 100, 28, ID_OPTIONS);
    child(frame, "BUTTON", "Strona kontaktu", BS_PUSHBUTTON | WS_TABSTOP, 116, 292, 130, 28, ID_CONTACT_PAGE);
    child(frame, "BUTTON", "Otwórz rozmowę", BS_PUSHBUTTON | WS_TABSTOP, 254, 292, 130, 28, ID_CONVERSATION);
    child(frame, "BUTTON", "Wyślij wiadomość", BS_PUSHBUTTON | WS_TABSTOP, 392, 292, 200, 28, ID_MESSAGE);
    app.changed = [this]() { refresh(); };
    refresh();
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    return true;
}

void MainWindow::refresh() {
    if (!isOpen()) return;
    LPARAM chosenContact = selectedData(contacts), chosenNetwork = selectedData(networks);
    SendMessageA(contacts, LVM_DELETEALLITEMS, 0, 0);
    int i = 0;
    for (HostContact& c : app.contacts) {
        HostNetwork* n = app.network(c.net);
        setCell(contacts, i, 0, c.name, c.row, app.host.iconIndex((int)statusIcon(c.net, c.status)));
        setCell(contacts, i, 1, n ? n->name : std::to_string(c.net));
        setCell(contacts, i, 2, statusLabel(c.status));
        setCell(contacts, i, 3, c.description);
        i++;
    }
    SendMessageA(networks, LVM_DELETEALLITEMS, 0, 0);
    i = 0;
    for (HostNetwork& n : app.networks) {
        setCell(networks, i, 0, n.name, n.number, app.host.iconIndex((int)statusIcon(n.number, n.status)));
        setCell(networks, i, 1, statusLabel(n.status));
        i++;
    }
    selectData(contacts, chosenContact);
    selectData(networks, chosenNetwork);
}

void MainWindow::runUntilClosed() {
    MSG m;
    while (isOpen() && GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    // The loop's end is taken: nothing else of this host waits for it.
    PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    // As the host closes: the plug-in's window goes, then the plug-in.
    app.shutdown();
}

HostContact* MainWindow::selectedContact() { return app.contactAtRow((int)selectedData(contacts)); }
HostNetwork* MainWindow::selectedNetwork() { return app.network((int)selectedData(networks)); }

int MainWindow::chosenStatus() {
    int i = (int)SendMessageA(statusBox, CB_GETCURSEL, 0, 0);
    return i >= 0 && i < (int)(sizeof(CHOICES) / sizeof(CHOICES[0])) ? CHOICES[i].status : STATUS_AVAILABLE;
}

std::string MainWindow::typedText() {
    char text[1024] = "";
    GetWindowTextA(textBox, text, sizeof(text));
    return text;
}

void MainWindow::onCommand(int id) {
    if (!app.running()) return;
    HostContact* c = selectedContact();
    switch (id) {
    case ID_OPTIONS: app.options.open(); break;
    case ID_CONTACT_PAGE:
        if (c) app.options.open(c->row, c->name);
        break;
    case ID_CONVERSATION:
        if (c) app.openConversation(*c);
        break;
    case ID_MESSAGE:
        if (c) app.receiveMessage(*c, typedText());
        break;
    case ID_CONTACT_STATUS:
        if (c) app.contactStatus(*c, chosenStatus(), c->description);
        break;
    case ID_CONTACT_DESCRIPTION:
        if (c) app.contactStatus(*c, STATUS_DESCRIPTION_ONLY, typedText());
        break;
    case ID_OWN_STATUS:
        if (HostNetwork* n = selectedNetwork()) app.networkStatus(*n, chosenStatus(), "");
        break;
    default: break;
    }
}

LRESULT CALLBACK MainWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    MainWindow* self = (MainWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_COMMAND:
        if (self && HIWORD(wParam) == BN_CLICKED) self->onCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (self) {
            self->app.changed = nullptr;
            self->frame = nullptr;
        }
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
