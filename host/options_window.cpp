#include "options_window.h"
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "../core/action_info.h"

namespace {
const char FRAME_CLASS[] = "VorlaneHostOptions";
const char PANEL_CLASS[] = "VorlaneHostOptionsPage";
const int32_t PLUGIN_PAGE = 774000, CONTACT_PAGE_ID = 774001;
const int CODE_CLICK = 1, CODE_OPENED = 10, CODE_CHANGED = 100;

// Layout of a page: two columns of groups, each group a box of items.
const int TREE_WIDTH = 170, COLUMN_WIDTH = 340, COLUMN_GAP = 12, MARGIN = 8;
const int PANEL_WIDTH = MARGIN * 2 + COLUMN_WIDTH * 2 + COLUMN_GAP, PANEL_HEIGHT = 540;
const int GROUP_TITLE = 18, GROUP_PADDING = 10, ITEM_GAP = 4, GROUP_GAP = 8;
const int FIRST_ITEM_ID = 100;

HFONT guiFont() { return (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

bool isText(int32_t kind) { return kind == CONTROL_COMMENT || kind == CONTROL_VERSION || kind == CONTROL_INFO; }

// A field or an image followed by a text shares its row with that text.
bool leadsRow(int32_t kind) { return kind == CONTROL_IMAGE || kind == CONTROL_NUMBER; }
}  // namespace

OptionsWindow::OptionsWindow(StandInHost& h) : host(h) {
    host.optionsControls = [this](int id, intptr_t p1, int* result) { return answer(id, p1, result); };
}

OptionsWindow::~OptionsWindow() {
    close();
    host.optionsControls = nullptr;
}

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
    declarations.clear();
    collecting = true;
    host.declareOptions();
    collecting = false;
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
        tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                               WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_LINESATROOT,
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
    showPage(row >= 1 ? CONTACT_PAGE_ID : PLUGIN_PAGE);
    if (shownNode) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)shownNode);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    return true;
}

void OptionsWindow::close() {
    if (!frame) return;
    clearPage();
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
        if (d.kind != CONTROL_PAGE) continue;
        TVINSERTSTRUCTA insert = {};
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.lParam = d.actionId;
        if (d.actionId == CONTACT_PAGE_ID) {
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
        if (d.actionId == (contactRow >= 1 ? CONTACT_PAGE_ID : PLUGIN_PAGE)) shownNode = node;
        if (contactNode) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)contactNode);
    }
}

void OptionsWindow::clearPage() {
    for (Item& item : items) {
        if (tips && item.control) {
            TOOLINFOA ti = {};
            ti.cbSize = sizeof(ti);
            ti.hwnd = panel;
            ti.uId = (UINT_PTR)item.control;
            SendMessageA(tips, TTM_DELTOOLA, 0, (LPARAM)&ti);
        }
        if (item.control) DestroyWindow(item.control);
        if (item.icon) DestroyIcon(item.icon);
    }
    items.clear();
    page = 0;
}

int OptionsWindow::itemHeight(const ControlDeclaration& d, int width) const {
    if (d.height > 0) return d.height;
    switch (d.kind) {
    case CONTROL_IMAGE: return 16;
    case CONTROL_NUMBER:
    case CONTROL_DIRECTORY:
    case CONTROL_CHOOSER: return 21;
    case CONTROL_BUTTON: return 24;
    default: break;
    }
    // Texts and check boxes: as many lines as the words need.
    HDC dc = GetDC(panel);
    HGDIOBJ old = SelectObject(dc, guiFont());
    RECT r = {0, 0, d.kind == CONTROL_CHECK ? width - 20 : width, 0};
    DrawTextA(dc, d.label.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(panel, dc);
    int h = r.bottom - r.top;
    if (d.kind == CONTROL_CHECK) h += 4;
    return h < 16 ? 16 : h;
}

// Page layout: groups stack in the first column and continue in the second
// when one no longer fits; inside a group, items stack in declaration order.
void OptionsWindow::showPage(int32_t pageId) {
    clearPage();
    page = pageId;
    std::vector<ControlDeclaration> declared = pageItems(declarations, pageId);
    int column = 0, y = MARGIN;
    const int inner = COLUMN_WIDTH - GROUP_PADDING * 2;
    size_t i = 0;
    int nextId = FIRST_ITEM_ID;
    while (i < declared.size()) {
        // One group (or a loose item) at a time, measured before it is placed.
        struct Placed {
            size_t index;
            int x, y, width, height;
        };
        std::vector<Placed> placed;
        std::string title;
        bool grouped = declared[i].kind == CONTROL_GROUP;
        if (grouped) title = declared[i++].label;
        int top = grouped ? GROUP_TITLE : 0;
        int cursor = top;
        while (i < declared.size()) {
            const ControlDeclaration& d = declared[i];
            if (d.kind == CONTROL_GROUP_END) {
                i++;
                break;
            }
            if (d.kind == CONTROL_GROUP) break;
            int width = d.width > 0 && d.width < inner ? d.width : inner;
            if (d.kind == CONTROL_IMAGE && d.width <= 0) width = 16;
            if (d.kind == CONTROL_BUTTON && d.width <= 0) width = 80;
            int height = itemHeight(d, width);
            placed.push_back({i, 0, cursor, width, height});
            int rowHeight = height;
            if (leadsRow(d.kind) && i + 1 < declared.size() && isText(declared[i + 1].kind)) {
                const ControlDeclaration& t = declared[i + 1];
                int x = width + 8;
                int textWidth = inner - x;
                int textHeight = itemHeight(t, textWidth);
                placed.push_back({i + 1, x, cursor + (t.kind == CONTROL_INFO ? 0 : 3), textWidth, textHeight});
                if (textHeight > rowHeight) rowHeight = textHeight;
                i++;
            }
            cursor += rowHeight + ITEM_GAP;
            i++;
            if (!grouped) break;
        }
        int height = cursor + (grouped ? GROUP_PADDING - ITEM_GAP : 0);
        if (y + height > PANEL_HEIGHT - MARGIN && y > MARGIN && column == 0) {
            column = 1;
            y = MARGIN;
        }
        int x0 = MARGIN + column * (COLUMN_WIDTH + COLUMN_GAP);
        if (grouped) {
            Item box;
            box.declaration.kind = CONTROL_GROUP;
            box.declaration.label = title;
            box.control = CreateWindowExA(0, "BUTTON", title.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, x0, y,
                                          COLUMN_WIDTH, height, panel, nullptr, GetModuleHandleA(nullptr), nullptr);
            SendMessageA(box.control, WM_SETFONT, (WPARAM)guiFont(), 0);
            items.push_back(box);
        }
        int ix = x0 + (grouped ? GROUP_PADDING : 0);
        for (const Placed& p : placed) {
            Item item;
            item.declaration = declared[p.index];
            HWND control = createItem(item, ix + p.x, y + p.y, p.width, p.height);
            if (control) SetWindowLongPtrA(control, GWLP_ID, nextId++);
            items.push_back(item);
        }
        y += height + GROUP_GAP;
    }
    for (Item& item : items) bindValue(item);
    InvalidateRect(panel, nullptr, TRUE);
}

HWND OptionsWindow::createItem(Item& item, int x, int y, int width, int height) {
    const ControlDeclaration& d = item.declaration;
    HINSTANCE self = GetModuleHandleA(nullptr);
    const char* cls = "STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int h = height;
    std::string text = d.label;
    switch (d.kind) {
    case CONTROL_COMMENT:
    case CONTROL_VERSION:
    case CONTROL_INFO: style |= SS_LEFT | SS_NOPREFIX; break;
    case CONTROL_IMAGE:
        style |= SS_ICON | SS_REALSIZEIMAGE;
        item.icon = loadImage(d.label, d.width > 0 ? d.width : 16, d.height > 0 ? d.height : 16);
        text.clear();
        break;
    case CONTROL_CHECK:
        cls = "BUTTON";
        style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
        break;
    case CONTROL_NUMBER:
    case CONTROL_DIRECTORY:
        cls = "EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        text.clear();
        break;
    case CONTROL_CHOOSER:
        cls = "COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        h = 200;  // with the list dropped
        text.clear();
        break;
    case CONTROL_BUTTON:
        cls = "BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    default:
        return nullptr;  // targets, events and anything unknown have no control
    }
    item.control = CreateWindowExA(exStyle, cls, text.c_str(), style, x, y, width, h, panel, nullptr, self, nullptr);
    if (!item.control) return nullptr;
    SendMessageA(item.control, WM_SETFONT, (WPARAM)guiFont(), 0);
    if (item.icon) SendMessageA(item.control, STM_SETICON, (WPARAM)item.icon, 0);
    if (tips && !d.tip.empty()) {
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = panel;
        ti.uId = (UINT_PTR)item.control;
        ti.lpszText = (char*)d.tip.c_str();  // the tooltip keeps its own copy
        SendMessageA(tips, TTM_ADDTOOLA, 0, (LPARAM)&ti);
    }
    return item.control;
}

// "res://dll/N.ico" names the plug-in's own icon resource N, and
// "res://<module>/N.ico" that of the module with that decimal handle.
HICON OptionsWindow::loadImage(const std::string& address, int width, int height) const {
    const char prefix[] = "res://";
    if (address.compare(0, sizeof(prefix) - 1, prefix) != 0) return nullptr;
    std::string rest = address.substr(sizeof(prefix) - 1);
    size_t slash = rest.find('/');
    if (slash == std::string::npos) return nullptr;
    std::string module = rest.substr(0, slash), file = rest.substr(slash + 1);
    HMODULE owner = nullptr;
    if (module == "dll") {
        owner = host.moduleHandle();
    } else {
        char* end = nullptr;
        unsigned long value = strtoul(module.c_str(), &end, 10);
        if (module.empty() || *end) return nullptr;
        owner = (HMODULE)(uintptr_t)value;
        char name[MAX_PATH];
        if (!GetModuleFileNameA(owner, name, sizeof(name))) return nullptr;  // no such module
    }
    char* end = nullptr;
    unsigned long number = strtoul(file.c_str(), &end, 10);
    if (end == file.c_str() || strcmp(end, ".ico") != 0 || number == 0 || number > 0xFFFF) return nullptr;
    return (HICON)LoadImageA(owner, MAKEINTRESOURCEA(number), IMAGE_ICON, width, height, 0);
}

void OptionsWindow::bindValue(Item& item) {
    const ControlDeclaration& d = item.declaration;
    if (!d.bound() || !item.control) return;
    const bool contact = page == CONTACT_PAGE_ID;
    filling = true;
    switch (d.kind) {
    case CONTROL_CHECK: {
        int value = contact ? host.contactIntValue(contactRow, d.column()) : host.configIntValue(d.column());
        SendMessageA(item.control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    }
    case CONTROL_NUMBER:
    case CONTROL_DIRECTORY: {
        std::string value = contact ? host.contactTextValue(contactRow, d.column()) : host.configTextValue(d.column());
        SetWindowTextA(item.control, value.c_str());
        SendMessageA(item.control, EM_SETMODIFY, FALSE, 0);
        break;
    }
    case CONTROL_CHOOSER: {
        // The list comes from the plug-in when the chooser is opened.
        std::string value = host.configTextValue(d.column());
        SendMessageA(item.control, CB_RESETCONTENT, 0, 0);
        SendMessageA(item.control, CB_ADDSTRING, 0, (LPARAM)value.c_str());
        SendMessageA(item.control, CB_SETCURSEL, 0, 0);
        break;
    }
    default: break;
    }
    filling = false;
}

HWND OptionsWindow::control(int column) const {
    for (const Item& item : items)
        if (item.declaration.bound() && item.declaration.column() == column) return item.control;
    return nullptr;
}

HWND OptionsWindow::button(int32_t actionId) const {
    for (const Item& item : items)
        if (item.declaration.kind == CONTROL_BUTTON && item.declaration.actionId == actionId) return item.control;
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
        int32_t id = d.bound() ? (int32_t)(0x11000000 | d.column()) : d.actionId;
        if (id == actionId && (d.bound() || d.actionId != 0)) return &item;
    }
    return nullptr;
}

void OptionsWindow::store(const Item& item, int value) {
    if (page == CONTACT_PAGE_ID)
        host.setContact(contactRow, item.declaration.column(), value);
    else
        host.setConfig(item.declaration.column(), value);
    host.send(21020);  // the settings changed, as the host reports them
}

void OptionsWindow::store(const Item& item, const std::string& text) {
    if (page == CONTACT_PAGE_ID)
        host.setContact(contactRow, item.declaration.column(), text);
    else
        host.setConfig(item.declaration.column(), text);
    host.send(21020);
}

void OptionsWindow::notify(int32_t actionId, int code) {
    ActionNotice n = {};
    n.size = sizeof(n);
    n.action.actionId = actionId;
    n.action.parentId = PLUGIN_PAGE;
    n.action.contact = -2;
    n.code = code;
    host.send(22200, (intptr_t)&n, 0);
}

void OptionsWindow::onCommand(HWND control, int code) {
    Item* item = itemOf(control);
    if (!item || filling) return;
    const ControlDeclaration d = item->declaration;  // the page may be rebuilt below
    const int32_t boundId = (int32_t)(0x11000000 | d.column());
    switch (d.kind) {
    case CONTROL_CHECK:
        if (code == BN_CLICKED) store(*item, SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        break;
    case CONTROL_BUTTON:
        if (code == BN_CLICKED) notify(d.actionId, CODE_CLICK);
        break;
    case CONTROL_CHOOSER:
        if (code == CBN_DROPDOWN) {
            notify(boundId, CODE_OPENED);
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
    case CONTROL_DIRECTORY:
    case CONTROL_NUMBER:
        if (code == EN_CHANGE && d.kind == CONTROL_DIRECTORY) {
            notify(boundId, CODE_CHANGED);
        } else if (code == EN_KILLFOCUS && SendMessageA(control, EM_GETMODIFY, 0, 0)) {
            SendMessageA(control, EM_SETMODIFY, FALSE, 0);
            char text[1024];
            GetWindowTextA(control, text, sizeof(text));
            if (d.kind == CONTROL_NUMBER)
                store(*item, atoi(text));
            else
                store(*item, std::string(text));
        }
        break;
    default: break;
    }
}

// The control messages while the window is open: 10101 is collected while
// the plug-in declares; 10106, 10108 and 10110 go to the control shown.
bool OptionsWindow::answer(int id, intptr_t p1, int* result) {
    if (id == 10101) {
        ControlDeclaration d;
        if (collecting && readDeclaration((const void*)p1, &d)) declarations.push_back(d);
        return false;  // the host answers it as ever
    }
    if (!frame) return false;
    ActionInfo a = {};
    uint16_t size = 0;
    memcpy(&size, (const void*)p1, 2);
    if (size < ACTION_INFO_SHORT) return false;
    memcpy(&a, (const void*)p1, ACTION_INFO_SHORT);
    Item* item = itemOfAction(a.action.actionId);
    if (!item) return false;
    HWND c = item->control;
    const int32_t kind = item->declaration.kind;
    *result = 1;
    if (id == 10106) {
        char* buffer = (char*)a.text;
        if (!buffer || a.capacity <= 0) {
            *result = 0;
            return true;
        }
        std::string value;
        if (kind == CONTROL_CHECK) {
            value = SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
        } else if (kind == CONTROL_CHOOSER) {
            int i = (int)SendMessageA(c, CB_GETCURSEL, 0, 0);
            int n = i >= 0 ? (int)SendMessageA(c, CB_GETLBTEXTLEN, i, 0) : -1;
            if (n > 0) {
                value.assign((size_t)n + 1, '\0');
                SendMessageA(c, CB_GETLBTEXT, i, (LPARAM)&value[0]);
                value.resize(strlen(value.c_str()));
            }
        } else {
            int n = GetWindowTextLengthA(c);
            value.assign((size_t)n + 1, '\0');
            GetWindowTextA(c, &value[0], n + 1);
            value.resize(strlen(value.c_str()));
        }
        lstrcpynA(buffer, value.c_str(), a.capacity);
        return true;
    }
    std::string text = a.text ? std::string(a.text, strnlen(a.text, 65536)) : std::string();
    filling = true;
    if (kind == CONTROL_CHOOSER && id == 10108) {
        // One name per line, each followed by a line feed.
        SendMessageA(c, CB_RESETCONTENT, 0, 0);
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)text.substr(start, end - start).c_str());
        if (start < text.size()) SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)text.substr(start).c_str());
    } else if (kind == CONTROL_CHOOSER) {
        // A value missing from the list is still shown: it joins the list.
        int count = (int)SendMessageA(c, CB_GETCOUNT, 0, 0), found = -1;
        for (int i = 0; i < count && found < 0; i++) {
            char name[MAX_PATH] = "";
            if (SendMessageA(c, CB_GETLBTEXTLEN, i, 0) < (LRESULT)sizeof(name))
                SendMessageA(c, CB_GETLBTEXT, i, (LPARAM)name);
            if (text == name) found = i;
        }
        if (found < 0) found = (int)SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)text.c_str());
        SendMessageA(c, CB_SETCURSEL, found, 0);
    } else if (kind == CONTROL_CHECK && id == 10110) {
        SendMessageA(c, BM_SETCHECK, atoi(text.c_str()) ? BST_CHECKED : BST_UNCHECKED, 0);
    } else {
        SetWindowTextA(c, text.c_str());
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
