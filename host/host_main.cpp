// vorlane_host.exe: the stand-in host's demo. It loads notify.dll from its own
// folder, runs the plug-in's start-up, prints its identity answers and the
// columns it declared, then drives it as the real host, a network plug-in and
// other plug-ins would: a received message, status changes and notification
// requests in the tooltip look (growing into view), a click reported back,
// the same with a translucent skin, expiry, shut-down.
// Screenshots of the work-area corner are written as BMP files into the
// current folder (or the folder given as the first argument).
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "../core/config_columns.h"
#include "../core/received_message.h"
#include "picture_files.h"
#include "stand_in_host.h"

namespace {

bool pluginPath(char* path, size_t capacity) {
    DWORD n = GetModuleFileNameA(nullptr, path, (DWORD)capacity);
    if (n == 0 || n >= capacity) return false;
    char* slash = strrchr(path, '\\');
    size_t dir = slash ? (size_t)(slash - path + 1) : 0;
    const char name[] = "notify.dll";
    if (dir + sizeof(name) > capacity) return false;
    memcpy(path + dir, name, sizeof(name));
    return true;
}

void pump(int ms) {
    DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    } while ((int)(GetTickCount() - start) < ms);
}

// Texts are Windows-1250; the console of the demo expects UTF-8.
std::string shown(const char* text) {
    wchar_t wide[512];
    int n = MultiByteToWideChar(1250, 0, text, -1, wide, 512);
    if (n <= 0) return text;
    char utf8[1536];
    int m = WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr);
    return m > 0 ? std::string(utf8) : std::string(text);
}

RECT workArea() {
    RECT r = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// The bottom-right 360 x 160 of the work area, as shown on screen.
void screenshot(const std::string& path) {
    RECT work = workArea();
    int w = 360, h = 160;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (shot && bits) {
        HGDIOBJ old = SelectObject(memory, shot);
        BitBlt(memory, 0, 0, w, h, screen, work.right - w, work.bottom - h, SRCCOPY);
        GdiFlush();
        std::vector<uint32_t> px((const uint32_t*)bits, (const uint32_t*)bits + (size_t)w * h);
        SelectObject(memory, old);
        printf("  screenshot of the corner: %s%s\n", path.c_str(),
               writeBmpFile(path, w, h, px) ? "" : " (could not be written)");
    }
    if (shot) DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// A notification request of another plug-in, 52-byte form.
int popup(StandInHost& host, const char* text, int displayTime, int clickable, int defaultIcon,
          int clickValue) {
    PopupRequest r = {};
    r.size = 52;
    r.id = 774201;
    r.net = 774;
    r.typeMask = -1;
    r.text = text;
    r.iconFlags = (uint8_t)(defaultIcon << 4);  // icon 0: one of the plug-in's own icons
    r.displayTime = (int8_t)displayTime;
    r.clickable = (uint8_t)clickable;
    r.originAction = clickable ? 900 : 0;  // an action of the requesting plug-in
    r.originParent = clickable ? 90 : 0;
    r.originContact = -2;
    r.clickValue = clickValue;
    int id = host.deliver((HostMessage*)&r);
    printf("  774201 \"%s\" -> notification %d\n", shown(text).c_str(), id);
    return id;
}

HWND notifyWindow() { return FindWindowA("VorlaneNotifyWindow", nullptr); }

void describeWindow(const char* when) {
    HWND w = notifyWindow();
    RECT r = {0, 0, 0, 0};
    if (w) GetWindowRect(w, &r);
    printf("  window %s: %s, (%ld, %ld)-(%ld, %ld), %ld x %ld\n", when,
           w && IsWindowVisible(w) ? "visible" : "hidden", r.left, r.top, r.right, r.bottom,
           r.right - r.left, r.bottom - r.top);
}

// A small skin with per-pixel alpha: a translucent dark blue panel with a
// light frame and rounded, fully transparent corners.
std::string writeDemoSkin(const std::string& folder) {
    std::string dir = folder + "\\demo-skins";
    CreateDirectoryA(dir.c_str(), nullptr);
    const int w = 40, h = 30;
    std::vector<uint32_t> px((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            bool edge = x < 1 || y < 1 || x >= w - 1 || y >= h - 1;
            int shade = 0x30 + y * 2;
            uint32_t p = edge ? 0xFF8FB8E8u
                              : 0xE8000000u | (uint32_t)((shade / 3) << 16 | (shade / 2) << 8 | (shade + 0x40));
            int cx = x < 3 ? 3 - x : (x >= w - 3 ? x - (w - 4) : 0);
            int cy = y < 3 ? 3 - y : (y >= h - 3 ? y - (h - 4) : 0);
            if (cx + cy > 3) p = 0;
            px[(size_t)y * w + x] = p;
        }
    writePngFile(dir + "\\demo.png", w, h, px);
    const char ini[] =
        "# demo skin written by vorlane_host.exe\n"
        "[margins]\nleft=8\ntop=5\nright=8\nbottom=5\n"
        "[sizing]\nleft=6\ntop=6\nright=6\nbottom=6\ntype=stretch\n"
        "[background]\nfile=demo.png\ntransparent=on\nmask=alpha\n"
        "[font]\nface=Tahoma\nsize=9\ncolor=FFFFFF\nstyle=shadow\nshadow=000000\nline=5\n"
        "[icon]\ndisplay=left\nspace=6\n";
    FILE* f = fopen((dir + "\\demo.ini").c_str(), "wb");
    if (f) {
        fwrite(ini, 1, sizeof(ini) - 1, f);
        fclose(f);
    }
    return dir;
}

// The network plug-in the demo plays: identifier 50, network 10, "Jabber".
const int NETWORK_PLUGIN = 50, NETWORK = 10;

void playNetwork(StandInHost& host) {
    host.plugins[NETWORK_PLUGIN] = [](HostMessage* m) { return m->id == 30010 ? NETWORK : 0; };
    host.networks[NETWORK] = [](int id, HostMessage* m) {
        if (id == 30016 && m->typeMask == 2) return (int)(intptr_t) "Jabber";
        if (id == 30031) return 0x40;  // the contact is present on the network
        return 0;
    };
}

int statusEvent(StandInHost& host, int id, int p1, int status, const char* description) {
    HostMessageStatus m = {};
    m.size = sizeof(m);
    m.id = id;
    m.p1 = p1;
    m.p2 = status;
    m.description = description;
    return host.deliver((HostMessage*)&m);
}

// A received message as the host reports it (host message 20100).
void messageReceived(StandInHost& host, const char* from, const char* body) {
    ReceivedMessage m = {};
    m.size = sizeof(m);
    m.net = NETWORK;
    m.type = 1;
    m.from = from;
    m.body = body;
    m.text18 = m.text26 = "";
    m.contact = -2;
    host.send(20100, (intptr_t)&m);
    printf("  20100 message from %s: \"%s\"\n", from, shown(body).c_str());
}

void printIdentity(StandInHost& host) {
    // Texts for 30012, 30013, 30014 and 30016, numbers otherwise.
    for (int id = 30010; id <= 30017; id++) {
        int answer = host.send(id);
        bool text = id == 30012 || id == 30013 || id == 30014 || id == 30016;
        if (text && answer)
            printf("%d: \"%s\"\n", id, (const char*)(intptr_t)answer);
        else
            printf("%d: %d\n", id, answer);
    }
}

void printColumns(StandInHost& host) {
    printf("columns declared: %u\n", (unsigned)host.columns.size());
    for (const StandInHost::Column& c : host.columns) {
        printf("  %-40s %d %s %s ", c.key.c_str(), c.column,
               c.table == configTable ? "config " : "contact", c.type == VALUE_TEXT ? "text" : "int ");
        if (c.type == VALUE_TEXT)
            printf("\"%s\"\n", c.defaultText.c_str());
        else
            printf("%d\n", (int)c.defaultInt);
    }
}

void clickFirstLine() {
    HWND w = notifyWindow();
    if (!w) return;
    // A point inside the first row of the text area.
    LPARAM at = MAKELPARAM(40, 9);
    SendMessageA(w, WM_MOUSEMOVE, 0, at);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
}

void printClick(StandInHost& host) {
    const StandInHost::Sent* s = host.lastSent(10103);
    if (!s || s->p1Bytes.size() < sizeof(ActionNotice)) {
        printf("  no click was reported to the host\n");
        return;
    }
    ActionNotice n;
    memcpy(&n, s->p1Bytes.data(), sizeof(n));
    printf("  host message 10103: action (%d, %d, %d), code %d, value %d\n", (int)n.action.actionId,
           (int)n.action.parentId, (int)n.action.contact, (int)n.code, (int)n.value1);
}

bool waitUntilHidden(int ms) {
    DWORD start = GetTickCount();
    while ((int)(GetTickCount() - start) < ms) {
        pump(50);
        HWND w = notifyWindow();
        if (!w || !IsWindowVisible(w)) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    std::string shots = argc > 1 ? argv[1] : ".";
    char path[MAX_PATH];
    if (!pluginPath(path, sizeof(path))) {
        fprintf(stderr, "vorlane_host: the program's folder has too long a path\n");
        return 1;
    }
    StandInHost host;
    if (!host.loadPlugin(path)) {
        fprintf(stderr, "vorlane_host: cannot load %s\n", path);
        return 1;
    }
    if (!host.runStartup()) {
        fprintf(stderr, "vorlane_host: the plug-in refused to start\n");
        return 1;
    }
    printIdentity(host);
    printColumns(host);

    playNetwork(host);
    int ola = host.addContact(NETWORK, "1234", "Ola");
    host.setContact(ola, 20, 1);  // female
    host.setConfig(COL_EVENTS_MSG, 1);
    host.setConfig(COL_EVENTS_STATUS, 1);
    host.setConfig(COL_MSGBODY, 1);
    host.setConfig(COL_STATUSDESCR, 1);

    printf("\nTooltip look, animation on, delay 1500 ms:\n");
    host.setConfig(COL_ANIMATION, 1);
    host.setConfig(COL_DELAY, 1500);
    host.send(21020);  // settings changed: the window is rebuilt with them
    messageReceived(host, "1234", "Cześć! Idziemy dziś na rower, czy pogoda nas zatrzyma w domu?");
    statusEvent(host, 24012, NETWORK_PLUGIN, 0x40, nullptr);
    printf("  24012 the user is now available on the network\n");
    statusEvent(host, 24011, ola, 0x40, "w drodze");
    printf("  24011 right after it, a change of Ola: ignored (see the log)\n");
    popup(host, "Połączenie z siecią nie powiodło się\nspróbuję ponownie za chwilę", 3, 0, 1, 0);
    describeWindow("after the requests");
    pump(600);
    describeWindow("after growing");
    screenshot(shots + "\\demo-tooltip.bmp");
    printf("A click on the first line (the clickable message):\n");
    clickFirstLine();
    pump(50);
    printClick(host);
    describeWindow("after the click");

    printf("\nSkin \"demo\" with per-pixel alpha:\n");
    std::string dir = writeDemoSkin(shots);
    host.setConfig(COL_DIRECTORY, dir);
    host.setConfig(COL_SKIN, std::string("demo"));
    host.setConfig(COL_ANIMATION, 0);
    host.send(21020);
    pump(4000);  // contact changes count again 5 s after the network's own change
    statusEvent(host, 24011, ola, 0x40, "w drodze");
    printf("  24011 Ola is now available, with a description\n");
    popup(host, "Kopia zapasowa: <b>gotowe", 1, 0, 0, 0);
    popup(host, "<b>Uwaga:<b> mało miejsca na dysku", 2, 0, 2, 0);
    pump(300);
    describeWindow("with the skin");
    screenshot(shots + "\\demo-skin.bmp");
    printf("Waiting for the lines to expire...\n");
    printf("  %s\n", waitUntilHidden(8000) ? "every line expired; the window is hidden"
                                           : "the window is still shown");

    for (const std::string& line : host.log) printf("log: %s\n", shown(line.c_str()).c_str());
    host.runShutdown();
    host.unloadPlugin();
    printf("plug-in stopped\n");
    return 0;
}
