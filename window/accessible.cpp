// The client object a screen reader gets for the notification window. Its
// children are simple elements, one per shown row with child id row + 1:
// the first line of a notification is an alert whose description holds the
// further lines, the others are static text, and so is the row above them
// that counts the notifications waiting. A line that reacts to a click has
// a default action, and doing it is that click.
//
// Lifetime: one object per window, made at the first WM_GETOBJECT. Readers
// in other processes hold it through COM's stubs, which may outlive the
// window: the object then forgets the window, and every call on a reference
// still held answers CO_E_OBJNOTCONNECTED. At shut-down, before the library
// may be unloaded, the objects are cut off from their stubs. The object only
// answers on the window's thread, and it never moves the focus or activates
// anything.
#include "accessible.h"
#include <ole2.h>
#include <oleacc.h>
#include <new>
#include <vector>
#include "notify_window.h"
#include "notification_queue.h"
#include "row_layout.h"
#include "shown_lines.h"
#include "spoken_text.h"

namespace {
class NotificationsAccessible;
// Every object not yet deleted, whether or not its window still exists.
std::vector<NotificationsAccessible*> alive;

const wchar_t CLIENT_NAME[] = L"Powiadomienia";
const wchar_t CLICK_ACTION[] = L"Kliknij";  // reported to the host
const wchar_t CLOSE_ACTION[] = L"Zamknij";  // a line that only waits for a click

const int SELF = -1;   // the row of CHILDID_SELF
const int COUNT = -2;  // the count row's

void setLong(VARIANT* v, LONG value) {
    VariantInit(v);
    v->vt = VT_I4;
    v->lVal = value;
}

class NotificationsAccessible final : public IAccessible {
public:
    explicit NotificationsAccessible(HWND w) : window(w), thread(GetWindowThreadProcessId(w, nullptr)) {}
    ~NotificationsAccessible() {
        for (size_t i = 0; i < alive.size(); i++)
            if (alive[i] == this) {
                alive.erase(alive.begin() + i);
                break;
            }
    }
    bool serves(HWND w) const { return window && window == w; }
    bool connected() const { return window != nullptr; }
    void disconnect() { window = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs);
        if (left == 0) delete this;
        return (ULONG)left;
    }

    // IDispatch: readers use the interface's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        HRESULT hr = reachable();
        if (hr != S_OK) return hr;
        return AccessibleObjectFromWindow(window, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        HRESULT hr = reachable();
        if (hr != S_OK) return hr;
        *count = shownRowCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** element) override {
        if (!element) return E_POINTER;
        *element = nullptr;
        int row = 0;
        HRESULT hr = lookUp(child, &row);
        if (hr != S_OK) return hr;
        // The lines are simple elements, named by their ids.
        return row == SELF ? E_INVALIDARG : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return text(child, name, [](int row) {
            return row == SELF    ? std::wstring(CLIENT_NAME)
                   : row == COUNT ? spokenLine(countRowText())
                                  : spokenLine(notificationQueue.row(row).text);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return text(child, value, none); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return text(child, description, [](int row) {
            if (row < 0 || notificationQueue.row(row).continuesPrevious) return std::wstring();
            return furtherLines(row);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return number(child, role, [](int row) -> LONG {
            return row == SELF                                                     ? ROLE_SYSTEM_CLIENT
                   : row == COUNT || notificationQueue.row(row).continuesPrevious ? ROLE_SYSTEM_STATICTEXT
                                                                                  : ROLE_SYSTEM_ALERT;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return number(child, state, [this](int row) -> LONG {
            LONG value = IsWindowVisible(window) ? 0 : STATE_SYSTEM_INVISIBLE;
            return row != SELF ? value | STATE_SYSTEM_READONLY : value;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return text(child, help, none); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        if (!topic) return E_POINTER;
        *topic = 0;
        return text(child, file, none);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return text(child, shortcut, none);
    }
    // The window never has the focus, nor anything selected.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return nothingIn(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override { return nothingIn(selection); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return text(child, action, [](int row) {
            if (row < 0 || !reactsToClick(row)) return std::wstring();
            return std::wstring(notificationQueue.row(row).clickable ? CLICK_ACTION : CLOSE_ACTION);
        });
    }
    // Taking the focus or a selection would activate the window: refused.
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT child) override {
        int row = 0;
        HRESULT hr = lookUp(child, &row);
        return hr != S_OK ? hr : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        int row = 0;
        HRESULT hr = lookUp(child, &row);
        if (hr != S_OK) return hr;
        RECT r;
        if (row == SELF) GetClientRect(window, &r);
        else if (row == COUNT) r = RowRect(0);
        else if (!rowRect(row, &r)) return E_INVALIDARG;
        POINT origin = {r.left, r.top};
        ClientToScreen(window, &origin);
        *left = origin.x;
        *top = origin.y;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        int row = 0;
        HRESULT hr = lookUp(start, &row);
        if (hr != S_OK) return hr;
        // Children are counted in shown rows: child id = shown row + 1.
        const int count = shownRowCount();
        int to = -2;
        if (row == COUNT) row = 0;
        else if (row != SELF) row = shownRowOf(row);
        if (row == SELF) {
            if (direction == NAVDIR_FIRSTCHILD && count > 0) to = 0;
            else if (direction == NAVDIR_LASTCHILD && count > 0) to = count - 1;
            else if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) return DISP_E_MEMBERNOTFOUND;
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
            to = row + 1 < count ? row + 1 : -2;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
            to = row - 1;
        } else if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            return E_INVALIDARG;  // simple elements have no children
        }
        if (to < 0) return S_FALSE;
        setLong(end, to + 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) override {
        if (!found) return E_POINTER;
        VariantInit(found);
        HRESULT hr = reachable();
        if (hr != S_OK) return hr;
        POINT p = {x, y};
        RECT client;
        ScreenToClient(window, &p);
        GetClientRect(window, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        const int row = RowAtPoint(p.x, p.y, shownRowCount());
        setLong(found, row < 0 ? CHILDID_SELF : row + 1);  // no row: the client itself
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        int row = 0;
        HRESULT hr = lookUp(child, &row);
        if (hr != S_OK) return hr;
        if (row < 0 || !reactsToClick(row)) return DISP_E_MEMBERNOTFOUND;
        clickLine(row);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    LONG refs = 1;
    HWND window;   // null once the window is gone
    DWORD thread;  // the window's, the only one that may touch the queue

    HRESULT reachable() const {
        if (!window) return CO_E_OBJNOTCONNECTED;
        return GetCurrentThreadId() == thread ? S_OK : RPC_E_WRONG_THREAD;
    }
    // The queue row of the line a child id names (SELF for CHILDID_SELF,
    // COUNT for the count row); E_INVALIDARG for anything that names no
    // shown row.
    HRESULT lookUp(const VARIANT& child, int* row) const {
        HRESULT hr = reachable();
        if (hr != S_OK) return hr;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) {
            *row = SELF;
            return S_OK;
        }
        if (child.lVal == 1 && countRowShown()) {
            *row = COUNT;
            return S_OK;
        }
        const int queued = queueRowOf((int)child.lVal - 1);
        if (queued < 0) return E_INVALIDARG;
        *row = queued;
        return S_OK;
    }
    static std::wstring none(int) { return std::wstring(); }
    // A text answer for the child: S_FALSE and no text when `make` gives
    // none. The out value is set on every path, since COM marshals it back.
    template <class MakeNumber> HRESULT number(const VARIANT& child, VARIANT* out, MakeNumber make) const {
        if (!out) return E_POINTER;
        VariantInit(out);
        int row = 0;
        HRESULT hr = lookUp(child, &row);
        if (hr != S_OK) return hr;
        setLong(out, make(row));
        return S_OK;
    }
    template <class MakeText> HRESULT text(const VARIANT& child, BSTR* out, MakeText make) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        int row = 0;
        HRESULT hr = lookUp(child, &row);
        if (hr != S_OK) return hr;
        try {
            std::wstring value = make(row);
            if (value.empty()) return S_FALSE;
            *out = newBstr(value);
            return *out ? S_OK : E_OUTOFMEMORY;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT nothingIn(VARIANT* v) const {
        if (!v) return E_POINTER;
        VariantInit(v);
        HRESULT hr = reachable();
        return hr != S_OK ? hr : S_FALSE;
    }
};

// COM, entered on the window's thread for the first reader and left at
// shut-down: a reader may hold an object longer than its window lives.
bool comEntered = false;
DWORD comThread = 0;

NotificationsAccessible* objectFor(HWND window) {
    for (NotificationsAccessible* o : alive)
        if (o->serves(window)) return o;
    return nullptr;
}

NotificationsAccessible* newObjectFor(HWND window) {
    NotificationsAccessible* object = new (std::nothrow) NotificationsAccessible(window);
    if (!object) return nullptr;
    try {
        alive.push_back(object);
    } catch (...) {
        object->disconnect();
        object->Release();
        return nullptr;
    }
    return object;
}
}  // namespace

bool answerGetObject(HWND window, WPARAM flags, LPARAM objectId, LRESULT* answer) {
    if ((DWORD)objectId != (DWORD)OBJID_CLIENT) return false;
    if (!comEntered) {
        // In the multithreaded apartment readers' calls would come on other
        // threads, where the queue must not be touched: such a thread
        // offers the default object only.
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
        comEntered = true;
        comThread = GetCurrentThreadId();
    }
    NotificationsAccessible* object = objectFor(window);
    if (!object && !(object = newObjectFor(window))) return false;
    LRESULT reference = LresultFromObject(IID_IAccessible, flags, static_cast<IAccessible*>(object));
    if (FAILED((HRESULT)reference)) return false;
    *answer = reference;
    return true;
}

void releaseAccessible(HWND window) {
    NotificationsAccessible* object = objectFor(window);
    if (!object) return;
    // Readers' references keep the object, which answers nothing now.
    object->disconnect();
    object->Release();  // the window's
}

void closeAccessibility() {
    std::vector<NotificationsAccessible*> left = alive;
    for (NotificationsAccessible* object : left) object->AddRef();
    for (NotificationsAccessible* object : left) {
        if (object->connected()) object->Release();  // the window's: a window still there
        object->disconnect();
        CoDisconnectObject(static_cast<IAccessible*>(object), 0);
        object->Release();
    }
    if (comEntered && comThread == GetCurrentThreadId()) {
        CoUninitialize();
        comEntered = false;
    }
}
