#include "window_reader.h"
#include <ole2.h>
#include <oleacc.h>
#include "vorlane_notify.h"

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

// The window's accessible client object, with COM entered for as long as
// it is held.
class ClientObject {
public:
    explicit ClientObject(HWND window) : com(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
        if (window) AccessibleObjectFromWindow(window, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&object);
    }
    ~ClientObject() {
        if (object) object->Release();
        if (SUCCEEDED(com)) CoUninitialize();
    }
    IAccessible* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    HRESULT com;
    IAccessible* object = nullptr;
};
// The simple element of child id `id` (1 for the top row).
VARIANT childId(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}
}  // namespace

HWND notificationWindowOf() {
    HWND found = nullptr;
    EnumWindows(ownWindow, (LPARAM)&found);
    return found;
}

int shownLines() {
    ClientObject client(notificationWindowOf());
    LONG count = 0;
    if (!client || FAILED(client->get_accChildCount(&count))) return 0;
    return (int)count;
}

std::string shownLineTexts(const char* indent) {
    ClientObject client(notificationWindowOf());
    LONG count = 0;
    std::string texts;
    if (!client || FAILED(client->get_accChildCount(&count))) return texts;
    for (LONG row = 1; row <= count; row++) {
        VARIANT child = childId(row);
        BSTR name = nullptr;
        char utf8[1024] = "";
        if (client->get_accName(child, &name) == S_OK && name)
            WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
        SysFreeString(name);
        texts += (row > 1 ? "\n" : "") + std::string(indent) + utf8;
    }
    return texts;
}

bool rowPoint(int row, POINT* point) {
    HWND w = notificationWindowOf();
    ClientObject client(w);
    VARIANT child = childId(row + 1);
    LONG x = 0, y = 0, width = 0, height = 0;
    if (row < 0 || !client || client->accLocation(&x, &y, &width, &height, child) != S_OK) return false;
    // Near the start of the text, half way down the row.
    point->x = x + (width > 4 ? 2 : width / 2);
    point->y = y + height / 2;
    return ScreenToClient(w, point) != FALSE;
}
