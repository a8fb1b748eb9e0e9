// The options window: its frame and tree of pages, the events of its
// controls, and its answers to the plug-in's control messages. The page
// itself is laid out in options_page_layout.cpp.
#include "options_window.h"
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "contract/action_info.h"
#include "options_layout.h"

using namespace options_layout;

namespace {
const char FRAME_CLASS[] = "VorlaneHostOptions";
const char PANEL_CLASS[] = "VorlaneHostOptionsPage";
}  // namespace

OptionsWindow::OptionsWindow(StandInHost& h) : host(h) {}

OptionsWindow::~OptionsWindow() { close(); }

static void registerOptionsClasses(WNDPROC frame, WNDPROC panel) {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = frame;
    wc.lpszClassName = FRAME_CLASS;
    RegisterClassExA(&wc);
    wc.lpfnWndProc = panel;
    wc.lpszClassName = PANEL_CLASS;
    RegisterClassExA(&wc);
}

bool OptionsWindow::open(int row, const std::string& name) {
    registerOptionsClasses(frameProc, panelProc);
    host.declareOptions();
    declarations = host.declaredControls();
    if (declarations.empty()) return false;
    contactRow = row;
    contactName = name;
    if (!frame) {
        RECT r = {0, 0, TREE_WIDTH + PANEL_WIDTH + MARGIN * 2, PANEL_HEIGHT + MARGIN * 2};
        DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        AdjustWindowRect(&r, style, FALSE);
        frame = CreateWindowExA(0, FRAME_CLASS, "Vorlane - opcje", style, 16, 16, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
        if (!frame) return false;
        host.showControlsIn(this);
        tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                               WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_LINESATROOT | TVS_NOTOOLTIPS,
                               MARGIN, MARGIN, TREE_WIDTH - MARGIN, PANEL_HEIGHT, frame, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        SendMessageA(tree, WM_SETFONT, (WPARAM)guiFont(), 0);
        panel = CreateWindowExA(WS_EX_CONTROLPARENT, PANEL_CLASS, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                TREE_WIDTH + MARGIN, MARGIN, PANEL_WIDTH, PANEL_HEIGHT, frame, nullptr,
                                GetModuleHandleA(nullptr), this);
        tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                               frame, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (tips) SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 320);
    }
    buildTree();
    showPage(row >= 1 ? CONTACT_PAGE : OPTIONS_PAGE);
    if (shownNode) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)shownNode);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    return true;
}

void OptionsWindow::close() {
    if (!frame) return;
    clearPage();
    if (host.shownControls() == this) host.showControlsIn(nullptr);
    HWND f = frame;
    frame = tree = panel = tips = nullptr;
    DestroyWindow(f);
}

// The plug-in's pages (kind 0x10): the options page at the top, the contact
// page under the chosen contact.
void OptionsWindow::buildTree() {
    SendMessageA(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    HTREEITEM contactNode = nullptr;
    shownNode = nullptr;
    for (const ControlDeclaration& d : declarations) {
        if (d.kind != KIND_PAGE) continue;
        TVINSERTSTRUCTA insert = {};
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.lParam = d.actionId;
        if (d.actionId == CONTACT_PAGE) {
            if (contactRow < 1) continue;
            if (!contactNode) {
                TVINSERTSTRUCTA c = {};
                c.hParent = TVI_ROOT;
                c.hInsertAfter = TVI_LAST;
                c.item.mask = TVIF_TEXT | TVIF_PARAM;
                std::string title = "Kontakt: " + contactName;
                c.item.pszText = (char*)title.c_str();
                c.item.lParam = 0;
                contactNode = (HTREEITEM)SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&c);
            }
            insert.hParent = contactNode;
        } else {
            insert.hParent = TVI_ROOT;
        }
        insert.item.pszText = (char*)d.label.c_str();
        HTREEITEM node = (HTREEITEM)SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
        if (d.actionId == (contactRow >= 1 ? CONTACT_PAGE : OPTIONS_PAGE)) shownNode = node;
        if (contactNode) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)contactNode);
    }
}

HWND OptionsWindow::control(int column) const {
    for (const Item& item : items)
        if (item.declaration.bound() && item.declaration.column() == column) return item.control;
    return nullptr;
}

HWND OptionsWindow::button(int32_t actionId) const {
    for (const Item& item : items)
        if (item.declaration.kind == KIND_BUTTON && item.declaration.actionId == actionId) return item.control;
    return nullptr;
}

OptionsWindow::Item* OptionsWindow::itemOf(HWND control) {
    for (Item& item : items)
        if (item.control == control) return &item;
    return nullptr;
}

OptionsWindow::Item* OptionsWindow::itemOfAction(int32_t actionId) {
    for (Item& item : items) {
        if (!item.control) continue;
        const ControlDeclaration& d = item.declaration;
        int32_t id = d.bound() ? (int32_t)(BOUND_CONTROL | d.column()) : d.actionId;
        if (id == actionId && (d.bound() || d.actionId != 0)) return &item;
    }
    return nullptr;
}

void OptionsWindow::store(const Item& item, int value) {
    if (page == CONTACT_PAGE)
        host.setContact(contactRow, item.declaration.column(), value);
    else
        host.setConfig(item.declaration.column(), value);
    host.send(HOST_SETTINGS_CHANGED);  // the settings changed, as the host reports them
}

void OptionsWindow::store(const Item& item, const std::string& text) {
    if (page == CONTACT_PAGE)
        host.setContact(contactRow, item.declaration.column(), text);
    else
        host.setConfig(item.declaration.column(), text);
    host.send(HOST_SETTINGS_CHANGED);
}

void OptionsWindow::notify(int32_t actionId, int code) {
    ActionNotice n = {};
    n.size = sizeof(n);
    n.action.actionId = actionId;
    n.action.parentId = OPTIONS_PAGE;
    n.action.contact = -2;
    n.code = code;
    host.send(HOST_ACTION_EVENT, (intptr_t)&n, 0);
}

void OptionsWindow::onCommand(HWND control, int code) {
    Item* item = itemOf(control);
    if (!item || filling) return;
    const ControlDeclaration d = item->declaration;  // the page may be rebuilt below
    const int32_t boundId = (int32_t)(BOUND_CONTROL | d.column());
    switch (d.kind) {
    case KIND_CHECK:
        if (code == BN_CLICKED) store(*item, SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        break;
    case KIND_BUTTON:
        if (code == BN_CLICKED) notify(d.actionId, NOTICE_CLICK);
        break;
    case KIND_CHOOSER:
        if (code == CBN_DROPDOWN) {
            notify(boundId, NOTICE_REFRESH);
        } else if (code == CBN_SELCHANGE) {
            int i = (int)SendMessageA(control, CB_GETCURSEL, 0, 0);
            int n = i >= 0 ? (int)SendMessageA(control, CB_GETLBTEXTLEN, i, 0) : -1;
            if (n < 0) break;
            std::string text((size_t)n + 1, '\0');
            SendMessageA(control, CB_GETLBTEXT, i, (LPARAM)&text[0]);
            text.resize(strlen(text.c_str()));
            store(*item, text);
        }
        break;
    case KIND_DIRECTORY:
    case KIND_NUMBER:
        if (code == EN_CHANGE && d.kind == KIND_DIRECTORY) {
            notify(boundId, NOTICE_CHANGED);
        } else if (code == EN_KILLFOCUS && SendMessageA(control, EM_GETMODIFY, 0, 0)) {
            SendMessageA(control, EM_SETMODIFY, FALSE, 0);
            char text[1024];
            GetWindowTextA(control, text, sizeof(text));
            if (d.kind == KIND_NUMBER)
                store(*item, atoi(text));
            else
                store(*item, std::string(text));
        }
        break;
    default: break;
    }
}

// The control messages for the controls shown. The host answers for a
// control that is not shown.
bool OptionsWindow::readControl(int32_t action, std::string* value) {
    Item* item = itemOfAction(action);
    if (!item) return false;
    HWND c = item->control;
    const int32_t kind = item->declaration.kind;
    value->clear();
    if (kind == KIND_CHECK) {
        *value = SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    } else if (kind == KIND_CHOOSER) {
        int i = (int)SendMessageA(c, CB_GETCURSEL, 0, 0);
        int n = i >= 0 ? (int)SendMessageA(c, CB_GETLBTEXTLEN, i, 0) : -1;
        if (n > 0) {
            value->assign((size_t)n + 1, '\0');
            SendMessageA(c, CB_GETLBTEXT, i, (LPARAM)&(*value)[0]);
            value->resize(strlen(value->c_str()));
        }
    } else {
        int n = GetWindowTextLengthA(c);
        value->assign((size_t)n + 1, '\0');
        GetWindowTextA(c, &(*value)[0], n + 1);
        value->resize(strlen(value->c_str()));
    }
    return true;
}

bool OptionsWindow::setControlText(int32_t action, const std::string& text) {
    Item* item = itemOfAction(action);
    if (!item) return false;
    HWND c = item->control;
    filling = true;
    if (item->declaration.kind == KIND_CHOOSER) {
        // One name per line, each followed by a line feed.
        SendMessageA(c, CB_RESETCONTENT, 0, 0);
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)text.substr(start, end - start).c_str());
        if (start < text.size()) SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)text.substr(start).c_str());
    } else {
        SetWindowTextA(c, text.c_str());
    }
    filling = false;
    return true;
}

bool OptionsWindow::setControlValue(int32_t action, const std::string& value) {
    Item* item = itemOfAction(action);
    if (!item) return false;
    HWND c = item->control;
    const int32_t kind = item->declaration.kind;
    filling = true;
    if (kind == KIND_CHOOSER) {
        // A value missing from the list is still shown: it joins the list.
        int count = (int)SendMessageA(c, CB_GETCOUNT, 0, 0), found = -1;
        for (int i = 0; i < count && found < 0; i++) {
            char name[MAX_PATH] = "";
            if (SendMessageA(c, CB_GETLBTEXTLEN, i, 0) < (LRESULT)sizeof(name))
                SendMessageA(c, CB_GETLBTEXT, i, (LPARAM)name);
            if (value == name) found = i;
        }
        if (found < 0) found = (int)SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)value.c_str());
        SendMessageA(c, CB_SETCURSEL, found, 0);
    } else if (kind == KIND_CHECK) {
        SendMessageA(c, BM_SETCHECK, atoi(value.c_str()) ? BST_CHECKED : BST_UNCHECKED, 0);
    } else {
        SetWindowTextA(c, value.c_str());
    }
    filling = false;
    return true;
}

LRESULT CALLBACK OptionsWindow::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    OptionsWindow* self = (OptionsWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_NOTIFY: {
        NMHDR* h = (NMHDR*)lParam;
        if (self && h && h->hwndFrom == self->tree && h->code == TVN_SELCHANGEDA) {
            int32_t id = (int32_t)((NMTREEVIEWA*)lParam)->itemNew.lParam;
            if (id && id != self->page) self->showPage(id);
        }
        return 0;
    }
    case WM_CLOSE:
        if (self) self->close();
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK OptionsWindow::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    OptionsWindow* self = (OptionsWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
    if (message == WM_COMMAND && self && lParam) {
        self->onCommand((HWND)lParam, HIWORD(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
