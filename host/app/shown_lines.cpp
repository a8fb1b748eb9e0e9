#include "shown_lines.h"
#include "contract/config_columns.h"

namespace {
const char WINDOW_CLASS[] = NOTIFY_CLASS_NAME;

BOOL CALLBACK ownWindow(HWND w, LPARAM found) {
    char name[64] = "";
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && GetClassNameA(w, name, sizeof(name)) && !lstrcmpA(name, WINDOW_CLASS)) {
        *(HWND*)found = w;
        return FALSE;
    }
    return TRUE;
}

// Height of the tallest of the look's normal and bold fonts, as text is
// measured on the screen.
int fontHeight(const char* face, int points) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    int tallest = 0;
    for (int weight : {FW_NORMAL, FW_BOLD}) {
        LOGFONTA lf = {};
        lf.lfHeight = -MulDiv(points, dpi, 72);
        lf.lfWeight = weight;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
        HFONT font = CreateFontIndirectA(&lf);
        HGDIOBJ old = SelectObject(screen, font);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(screen, "Ag", 2, &size);
        SelectObject(screen, old);
        DeleteObject(font);
        if (size.cy > tallest) tallest = size.cy;
    }
    ReleaseDC(nullptr, screen);
    return tallest;
}
}  // namespace

HWND notificationWindowOf() {
    HWND found = nullptr;
    EnumWindows(ownWindow, (LPARAM)&found);
    return found;
}

LookRows configuredLook(const StandInHost& host) {
    LookRows look;
    std::string skin = host.configTextValue(COL_SKIN);
    char face[LF_FACESIZE] = "MS sans serif";
    int size = 8, line = 4;
    if (skin != "[brak]" && !skin.empty()) {
        std::string dir = host.configTextValue(COL_DIRECTORY);
        std::string file = dir + (dir.empty() || dir.back() == '\\' ? "" : "\\") + skin + ".ini";
        if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const char* f = file.c_str();
            look.marginTop = GetPrivateProfileIntA("margins", "top", look.marginTop, f);
            look.marginBottom = GetPrivateProfileIntA("margins", "bottom", look.marginBottom, f);
            look.marginLeft = GetPrivateProfileIntA("margins", "left", look.marginLeft, f);
            GetPrivateProfileStringA("font", "face", face, face, sizeof(face), f);
            size = GetPrivateProfileIntA("font", "size", size, f);
            line = GetPrivateProfileIntA("font", "line", line, f);
        }
    }
    look.rowHeight = fontHeight(face, size) + line;
    return look;
}

int shownLines(const StandInHost& host) {
    HWND w = notificationWindowOf();
    if (!w || !IsWindowVisible(w)) return 0;
    RECT r;
    GetWindowRect(w, &r);
    LookRows look = configuredLook(host);
    if (look.rowHeight <= 0) return 0;
    int rows = (r.bottom - r.top - look.marginTop - look.marginBottom) / look.rowHeight;
    return rows < 0 ? 0 : rows;
}

bool rowPoint(const StandInHost& host, int row, POINT* point) {
    if (row < 0 || row >= shownLines(host)) return false;
    LookRows look = configuredLook(host);
    point->x = look.marginLeft + 2;
    point->y = look.marginTop + row * look.rowHeight + look.rowHeight / 2;
    return true;
}
