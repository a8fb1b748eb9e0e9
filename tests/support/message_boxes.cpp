#include "message_boxes.h"

MessageBoxCatcher* MessageBoxCatcher::active = nullptr;

MessageBoxCatcher::MessageBoxCatcher() {
    active = this;
    hook = SetWindowsHookExA(WH_CBT, cbt, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
    UnhookWindowsHookEx(hook);
    if (active == this) active = nullptr;
}

static UINT iconStyle(HWND box) {
    // Windows keeps the icon in control 20, Wine in control 0x440.
    HICON shown = (HICON)SendDlgItemMessageA(box, 0x14, STM_GETICON, 0, 0);
    if (!shown) shown = (HICON)SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0);
    if (!shown) return 0;
    struct { LPCSTR id; UINT style; } icons[] = {
        {IDI_HAND, MB_ICONERROR}, {IDI_EXCLAMATION, MB_ICONWARNING},
        {IDI_ASTERISK, MB_ICONINFORMATION}, {IDI_QUESTION, MB_ICONQUESTION}};
    for (auto& i : icons)
        if (LoadIconA(nullptr, i.id) == shown) return i.style;
    return 0;
}

static UINT buttonStyle(HWND box) {
    bool ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL);
    bool yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (ok && cancel) return MB_OKCANCEL;
    return MB_OK;
}

static std::string in1250(const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(1250, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(1250, 0, text.c_str(), (int)text.size(), &out[0], n, nullptr, nullptr);
    return out;
}

LRESULT CALLBACK MessageBoxCatcher::cbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && active) {
        HWND box = (HWND)wParam;
        char cls[32] = "";
        GetClassNameA(box, cls, sizeof(cls));
        if (lstrcmpA(cls, "#32770") == 0) {
            CapturedBox b;
            wchar_t text[1024] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 1024);
            b.wideText = text;
            text[0] = 0;
            GetWindowTextW(box, text, 1024);
            b.wideCaption = text;
            b.text = in1250(b.wideText);
            b.caption = in1250(b.wideCaption);
            b.style = iconStyle(box) | buttonStyle(box);
            b.owner = GetWindow(box, GW_OWNER);
            active->boxes.push_back(b);
            PostMessageA(box, WM_COMMAND, GetDlgItem(box, IDOK) ? IDOK : IDCANCEL, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
