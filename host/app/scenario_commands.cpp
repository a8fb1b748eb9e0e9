// The scenario commands, one function each: each acts as the host, a network
// plug-in, another plug-in or a person would, or checks what the
// notification window shows.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "contract/config_columns.h"
#include "contract/host_messages.h"
#include "scenario_player.h"
#include "screenshots.h"
#include "window_reader.h"
#include "spoken_alerts.h"

namespace {
const long MAX_WAIT = 600000;

bool number(const std::string& word, long low, long high, long* value) {
    if (word.empty()) return false;
    char* end = nullptr;
    long v = strtol(word.c_str(), &end, 0);
    if (*end || v < low || v > high) return false;
    *value = v;
    return true;
}

// Icons of a request: the plug-in's own defaults, none, the message icon,
// a status icon "STATUS@NET" or an identifier.
bool requestIcon(const std::string& value, PopupOrder* order) {
    if (value == "info") order->defaultIcon = 0;
    else if (value == "error") order->defaultIcon = 1;
    else if (value == "warning") order->defaultIcon = 2;
    else if (value == "none") order->noIcon = true;
    else if (value == "message") order->icon = NOTIFY_MESSAGE_ICON;
    else {
        size_t at = value.find('@');
        long net = 0, id = 0;
        if (at != std::string::npos) {
            int status = statusByName(value.substr(0, at));
            if (status < 0 || !number(value.substr(at + 1), 0, 255, &net)) return false;
            order->icon = (int)statusIcon((int)net, status, 0xFFFF);  // the older form's 16 bits
        } else if (number(value, 1, 0x7FFFFFFF, &id)) {
            order->icon = (int)id;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

ScenarioPlayer::Command ScenarioPlayer::commandOf(const std::string& name) {
    static const struct {
        const char* name;
        Command command;
    } COMMANDS[] = {
        {"wait", &ScenarioPlayer::onWait},
        {"net", &ScenarioPlayer::onNet},
        {"contact", &ScenarioPlayer::onContact},
        {"network", &ScenarioPlayer::onStatus},
        {"status", &ScenarioPlayer::onStatus},
        {"message", &ScenarioPlayer::onMessage},
        {"conversation", &ScenarioPlayer::onConversation},
        {"request", &ScenarioPlayer::onRequest},
        {"plugin", &ScenarioPlayer::onPlugin},
        {"send", &ScenarioPlayer::onSend},
        {"close", &ScenarioPlayer::onClose},
        {"click", &ScenarioPlayer::onPointer},
        {"hover", &ScenarioPlayer::onPointer},
        {"leave", &ScenarioPlayer::onLeave},
        {"skins", &ScenarioPlayer::onSkins},
        {"set", &ScenarioPlayer::onSetting},
        {"skin", &ScenarioPlayer::onSetting},
        {"options", &ScenarioPlayer::onOptions},
        {"preview", &ScenarioPlayer::onPreview},
        {"screenshot", &ScenarioPlayer::onScreenshot},
        {"expect", &ScenarioPlayer::onExpect},
        {"speaks", &ScenarioPlayer::onSpeaks},
    };
    for (const auto& c : COMMANDS)
        if (name == c.name) return c.command;
    return nullptr;
}

bool ScenarioPlayer::command(const std::string& name, const std::string& rest, int line) {
    // Alerts are heard from the first command on.
    listenForAlerts();
    Command command = commandOf(name);
    if (!command) return fail(line, "unknown command \"" + name + "\"");
    Words words;
    words.name = name;
    words.rest = rest;
    words.a1 = scenarioWord(rest, &words.args);
    return (this->*command)(words, line);
}

bool ScenarioPlayer::onWait(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    if (!number(a1, 0, MAX_WAIT, &value) || !args.empty())
        return fail(line, "wait takes a time in milliseconds (0 to 600000)");
    pump((int)value * stretch);
    return true;
}

bool ScenarioPlayer::onNet(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    std::string title;
    if (!number(a1, 1, 255, &value)) return fail(line, "net takes a network number (1 to 255) and a name");
    if (args.empty() || !scenarioText(args, &title)) return fail(line, "net needs a name in Windows-1250");
    if (!app.addNetwork((int)value, title)) return fail(line, "network " + a1 + " is already declared");
    return true;
}

bool ScenarioPlayer::onContact(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    std::string r2, r3, r4, title;
    std::string net = scenarioWord(args, &r2), gender = scenarioWord(r2, &r3);
    if (a1.empty() || !number(net, 1, 255, &value) || !app.network((int)value))
        return fail(line, "contact takes a user id, a declared network, f, m or -, and a name");
    int g = gender == "f" ? 1 : gender == "m" ? 2 : gender == "-" ? 0 : -1;
    if (g < 0) return fail(line, "the gender is f, m or -");
    if (r3.empty() || !scenarioText(r3, &title)) return fail(line, "contact needs a name in Windows-1250");
    if (!app.addContact((int)value, a1, title, g)) return fail(line, "contact " + a1 + " already exists");
    return true;
}

bool ScenarioPlayer::onStatus(const Words& words, int line) {
    const std::string &name = words.name, &a1 = words.a1, &args = words.args;
    long value = 0;
    std::string description, r2;
    std::string statusWord = scenarioWord(args, &r2);
    int status = statusWord == "same" ? -1 : statusByName(statusWord);
    if (status == -1 && statusWord != "same") return fail(line, "unknown status \"" + statusWord + "\"");
    if (!scenarioText(r2, &description)) return fail(line, "the description is not Windows-1250 text");
    if (name == "network") {
        HostNetwork* n = number(a1, 1, 255, &value) ? app.network((int)value) : nullptr;
        if (!n) return fail(line, "network " + a1 + " is not declared");
        app.networkStatus(*n, status, description);
    } else {
        HostContact* c = app.contact(a1);
        if (!c) return fail(line, "no contact " + a1);
        app.contactStatus(*c, status, description);
    }
    return true;
}

bool ScenarioPlayer::onMessage(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    HostContact* c = app.contact(a1);
    std::string body;
    if (!c) return fail(line, "no contact " + a1);
    if (!scenarioText(args, &body)) return fail(line, "the message is not Windows-1250 text");
    app.receiveMessage(*c, body);
    return true;
}

bool ScenarioPlayer::onConversation(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    HostContact* c = app.contact(a1);
    if (!c || !args.empty()) return fail(line, "conversation takes one contact");
    app.openConversation(*c);
    return true;
}

bool ScenarioPlayer::onRequest(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    PopupOrder order;
    if (!number(a1, 44, 60, &value) || (value != 44 && value != 52 && value != 60))
        return fail(line, "request takes a size: 44, 52 or 60");
    order.size = (int)value;
    std::string text = args, option;
    for (;;) {
        std::string after;
        option = scenarioWord(text, &after);
        if (option == "click") order.clickable = true;
        else if (option.compare(0, 5, "icon=") == 0) {
            if (!requestIcon(option.substr(5), &order)) return fail(line, "unknown icon " + option.substr(5));
        } else if (option.compare(0, 5, "time=") == 0) {
            if (!number(option.substr(5), -128, 127, &value)) return fail(line, "time is -128 to 127");
            order.displayTime = (int)value;
        } else if (option.compare(0, 5, "info=") == 0) {
            if (!scenarioText(option.substr(5), &order.info)) return fail(line, "the info is not Windows-1250");
        } else {
            break;
        }
        text = after;
    }
    if (text.empty() || !scenarioText(text, &order.text)) return fail(line, "request needs a Windows-1250 text");
    if (order.size == 44 && (order.clickable || order.displayTime != 1 || !order.info.empty() || order.noIcon ||
                            order.defaultIcon != 0))
        return fail(line, "a 44-byte request takes a status or message icon only");
    lastRequest = app.request(order);
    printf("    notification %d\n", lastRequest);
    return true;
}

bool ScenarioPlayer::onPlugin(const Words& words, int line) {
    const std::string &rest = words.rest;
    // Relative names are the host program's neighbours.
    std::string path = rest;
    if (path.empty()) return fail(line, "plugin takes the path of a plug-in DLL");
    if (path.find(':') == std::string::npos && path[0] != '\\') {
        char exe[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, exe, sizeof(exe));
        if (n == 0 || n >= sizeof(exe)) return fail(line, "the host's own folder is unknown");
        std::string folder(exe, n);
        path = folder.substr(0, folder.find_last_of('\\') + 1) + path;
    }
    std::string why;
    if (path.size() >= MAX_PATH) return fail(line, "the plug-in's path is too long");
    if (!app.loadPeer(path, &why)) return fail(line, why);
    return true;
}

bool ScenarioPlayer::onSend(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    long id = 0;
    if (!number(a1, 1, 0xFFFF, &value) || !number(args, 1, 0x7FFFFFFF, &id))
        return fail(line, "send takes a network number and a message number");
    printf("    answer %d\n", app.sendToNetwork((int)value, (int)id));
    return true;
}

bool ScenarioPlayer::onClose(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    if (a1 == "last" && args.empty()) value = lastRequest;
    else if (!number(a1, 1, 0x7FFFFFFF, &value) || !args.empty())
        return fail(line, "close takes a notification id or last");
    app.closeNotification((int)value);
    return true;
}

bool ScenarioPlayer::onPointer(const Words& words, int line) {
    const std::string &name = words.name, &a1 = words.a1, &args = words.args;
    long value = 0;
    POINT p;
    HWND w = notificationWindowOf();
    if (!number(a1, 0, 1000, &value) || !args.empty()) return fail(line, name + " takes a row number from 0");
    if (!w || !rowPoint((int)value, &p)) return fail(line, "the window shows no row " + a1);
    LPARAM at = MAKELPARAM(p.x, p.y);
    POINT screen = p;
    ClientToScreen(w, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(w, WM_MOUSEMOVE, 0, at);
    if (name == "click") {
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(w, WM_LBUTTONUP, 0, at);
    }
    return true;
}

bool ScenarioPlayer::onLeave(const Words& words, int line) {
    const std::string &a1 = words.a1;
    HWND w = notificationWindowOf();
    if (!a1.empty()) return fail(line, "leave takes nothing");
    SetCursorPos(0, 0);
    if (w) SendMessageA(w, WM_MOUSELEAVE, 0, 0);
    return true;
}

bool ScenarioPlayer::onSkins(const Words& words, int line) {
    const std::string &rest = words.rest;
    // A folder beside the scenario file, unless the path is absolute.
    std::string folder;
    if (!scenarioText(rest, &folder) || folder.empty()) return fail(line, "skins takes a folder");
    std::string base = file.substr(0, file.find_last_of("/\\") == std::string::npos ? 0 : file.find_last_of("/\\") + 1);
    bool absolute = folder[0] == '\\' || folder[0] == '/' || (folder.size() > 1 && folder[1] == ':');
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA((absolute ? folder : base + folder).c_str(), sizeof(full), full, nullptr);
    if (n == 0 || n >= sizeof(full)) return fail(line, "the folder's path is too long");
    if (GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) return fail(line, std::string("no folder ") + full);
    app.setSetting(COL_DIRECTORY, full);
    return true;
}

bool ScenarioPlayer::onSetting(const Words& words, int line) {
    const std::string &name = words.name, &rest = words.rest, &a1 = words.a1, &args = words.args;
    std::string key = name == "skin" ? "Zinglet/cfg/skin" : a1;
    std::string text;
    if (!scenarioText(name == "skin" ? rest : args, &text) || (name == "skin" && text.empty()))
        return fail(line, name == "skin" ? "skin takes a skin name" : "set takes a key and a value");
    for (const StandInHost::Column& c : app.host.columns) {
        size_t slash = c.key.rfind('/');
        std::string last = c.key.substr(slash + 1);
        if (c.table == configTable && (c.key == key || last == key)) {
            long n;
            if (c.type == VALUE_INT && !number(text, -0x7FFFFFFF, 0x7FFFFFFF, &n))
                return fail(line, c.key + " takes a number");
            // Every time the plug-in's lines stay is counted in display delays.
            if (c.type == VALUE_INT && last == "delay" && stretch > 1 && n > 0 && n <= 0x7FFFFFFF / stretch)
                text = std::to_string(n * stretch);
            app.setSetting(c.column, text);
            return true;
        }
    }
    return fail(line, "no setting " + key);
}

bool ScenarioPlayer::onOptions(const Words& words, int line) {
    const std::string &rest = words.rest, &a1 = words.a1, &args = words.args;
    if (a1 == "close" && args.empty()) {
        app.options.close();
        return true;
    }
    HostContact* c = a1.empty() ? nullptr : app.contact(rest);
    if (!a1.empty() && !c) return fail(line, "no contact " + rest);
    if (!app.options.open(c ? c->row : -2, c ? c->name : "")) return fail(line, "the plug-in declared no options");
    return true;
}

bool ScenarioPlayer::onPreview(const Words& words, int line) {
    const std::string &rest = words.rest;
    std::string skin;
    if (!scenarioText(rest, &skin) || skin.empty()) return fail(line, "preview takes a skin name");
    if (!app.options.isOpen() || app.options.shownPage() != OPTIONS_PAGE) app.options.open();
    HWND chooser = app.options.control(COL_SKIN), button = app.options.button(PREVIEW_BUTTON);
    if (!chooser || !button) return fail(line, "the options page has no chooser or preview button");
    // As a person would: open the list (the plug-in fills it), pick, close it.
    SendMessageA(chooser, CB_SHOWDROPDOWN, TRUE, 0);
    int count = (int)SendMessageA(chooser, CB_GETCOUNT, 0, 0), found = -1;
    for (int i = 0; i < count && found < 0; i++) {
        char item[MAX_PATH] = "";
        if (SendMessageA(chooser, CB_GETLBTEXTLEN, i, 0) < (LRESULT)sizeof(item))
            SendMessageA(chooser, CB_GETLBTEXT, i, (LPARAM)item);
        if (skin == item) found = i;
    }
    SendMessageA(chooser, CB_SHOWDROPDOWN, FALSE, 0);
    if (found < 0) return fail(line, "the chooser does not list the skin " + rest);
    SendMessageA(chooser, CB_SETCURSEL, found, 0);
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool ScenarioPlayer::onScreenshot(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    std::string what;
    std::string target = scenarioWord(args, &what);
    bool ok = a1.size() > 4 && a1.compare(a1.size() - 4, 4, ".png") == 0 && args == target;
    for (char ch : a1) ok = ok && (isalnum((unsigned char)ch) || ch == '-' || ch == '_' || ch == '.');
    if (!ok || (target != "" && target != "options" && target != "main"))
        return fail(line, "screenshot takes a file name (letters, digits, - _ .) ending in .png, "
                          "then options, main or nothing");
    RECT area = popupCorner();
    HWND shown = target == "options" ? app.options.window() : target == "main" ? mainWindow : nullptr;
    if (!target.empty()) {
        if (!shown || !IsWindow(shown)) return fail(line, "the " + target + " window is not open");
        GetWindowRect(shown, &area);
    }
    pump(100);  // let everything paint
    std::string path = shots + "\\" + a1, why;
    if (!saveScreenPng(path, area, &why)) return fail(line, "screenshot " + a1 + ": " + why);
    printf("    %s: %ld x %ld\n", path.c_str(), area.right - area.left, area.bottom - area.top);
    return true;
}

bool ScenarioPlayer::onExpect(const Words& words, int line) {
    const std::string &a1 = words.a1, &args = words.args;
    long value = 0;
    std::string r2;
    std::string unit = scenarioWord(args, &r2);
    if (!number(a1, 0, 1000, &value) || (unit != "lines" && unit != "line") || !r2.empty())
        return fail(line, "expect takes a number and lines");
    // A window still growing into view is waited for.
    RECT before = {0, 0, 0, 0}, now = {0, 0, 0, 0};
    for (int i = 0; i < 40; i++) {
        HWND w = notificationWindowOf();
        if (w) GetWindowRect(w, &now);
        if (i > 0 && EqualRect(&before, &now)) break;
        before = now;
        pump(50);
    }
    int shown = shownLines();
    if (shown != value) {
        failedExpectation = true;
        return fail(line, "expected " + a1 + " lines, the window shows " + std::to_string(shown) +
                              (shown > 0 ? ":\n" + shownLineTexts("    ") : std::string()));
    }
    return true;
}

bool ScenarioPlayer::onSpeaks(const Words& words, int line) {
    std::string text;
    if (!scenarioText(words.rest, &text) || text.empty()) return fail(line, "speaks takes a Windows-1250 text");
    pump(0);  // alerts raised by the last command
    std::string spoken = lastAlertSpoken();
    if (spoken.find(text) == std::string::npos) {
        failedExpectation = true;
        return fail(line, spoken.empty() ? "no alert was heard"
                                         : "the last alert says \"" + consoleText(spoken.c_str()) + "\"");
    }
    return true;
}
