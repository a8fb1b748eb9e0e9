// The page of the options window: groups stacked in two columns, each the
// box of its items in declaration order, every item a real control bound to
// its column where it is declared so.
#include "options_window.h"
#include <commctrl.h>
#include <stdlib.h>
#include <string.h>
#include "options_layout.h"

using namespace options_layout;

namespace {
bool isText(int32_t kind) { return kind == KIND_COMMENT || kind == KIND_VERSION || kind == KIND_INFO; }

// A field or an image followed by a text shares its row with that text.
bool leadsRow(int32_t kind) { return kind == KIND_IMAGE || kind == KIND_NUMBER; }
}  // namespace

void OptionsWindow::clearPage() {
    for (Item& item : items) {
        if (tips && item.control) {
            TOOLINFOA ti = {};
            ti.cbSize = TTTOOLINFOA_V2_SIZE;  // the form every comctl32 takes
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
    case KIND_IMAGE: return 16;
    case KIND_NUMBER:
    case KIND_DIRECTORY:
    case KIND_CHOOSER: return 21;
    case KIND_BUTTON: return 24;
    default: break;
    }
    // Texts and check boxes: as many lines as the words need.
    HDC dc = GetDC(panel);
    HGDIOBJ old = SelectObject(dc, guiFont());
    RECT r = {0, 0, d.kind == KIND_CHECK ? width - 20 : width, 0};
    DrawTextA(dc, d.label.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(panel, dc);
    int h = r.bottom - r.top;
    if (d.kind == KIND_CHECK) h += 4;
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
        bool grouped = declared[i].kind == KIND_GROUP;
        if (grouped) title = declared[i++].label;
        int top = grouped ? GROUP_TITLE : 0;
        int cursor = top;
        while (i < declared.size()) {
            const ControlDeclaration& d = declared[i];
            if (d.kind == KIND_GROUP_END) {
                i++;
                break;
            }
            if (d.kind == KIND_GROUP) break;
            int width = d.width > 0 && d.width < inner ? d.width : inner;
            if (d.kind == KIND_IMAGE && d.width <= 0) width = 16;
            if (d.kind == KIND_BUTTON && d.width <= 0) width = 80;
            int height = itemHeight(d, width);
            placed.push_back({i, 0, cursor, width, height});
            int rowHeight = height;
            if (leadsRow(d.kind) && i + 1 < declared.size() && isText(declared[i + 1].kind)) {
                const ControlDeclaration& t = declared[i + 1];
                int x = width + 8;
                int textWidth = inner - x;
                int textHeight = itemHeight(t, textWidth);
                placed.push_back({i + 1, x, cursor + (t.kind == KIND_INFO ? 0 : 3), textWidth, textHeight});
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
            box.declaration.kind = KIND_GROUP;
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
    case KIND_COMMENT:
    case KIND_VERSION:
    case KIND_INFO: style |= SS_LEFT | SS_NOPREFIX; break;
    case KIND_IMAGE:
        style |= SS_ICON | SS_REALSIZEIMAGE;
        item.icon = loadImage(d.label, d.width > 0 ? d.width : 16, d.height > 0 ? d.height : 16);
        text.clear();
        break;
    case KIND_CHECK:
        cls = "BUTTON";
        style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
        break;
    case KIND_NUMBER:
    case KIND_DIRECTORY:
        cls = "EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        text.clear();
        break;
    case KIND_CHOOSER:
        cls = "COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        h = 200;  // with the list dropped
        text.clear();
        break;
    case KIND_BUTTON:
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
        ti.cbSize = TTTOOLINFOA_V2_SIZE;  // the form every comctl32 takes
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
    const bool contact = page == CONTACT_PAGE;
    filling = true;
    switch (d.kind) {
    case KIND_CHECK: {
        int value = contact ? host.contactIntValue(contactRow, d.column()) : host.configIntValue(d.column());
        SendMessageA(item.control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    }
    case KIND_NUMBER:
    case KIND_DIRECTORY: {
        std::string value = contact ? host.contactTextValue(contactRow, d.column()) : host.configTextValue(d.column());
        SetWindowTextA(item.control, value.c_str());
        SendMessageA(item.control, EM_SETMODIFY, FALSE, 0);
        break;
    }
    case KIND_CHOOSER: {
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

