// skin-preview.exe DIR NAME OUT.png [--text LINE]...
//
// Loads the skin NAME from the skins directory DIR exactly as the plug-in
// does (its own reader, loader and painting, run through the stand-in host),
// reports every definition line the reader ignores or cuts and every load
// error the plug-in would show in a message box, and writes the notification
// window's picture to OUT.png: the options page's eight preview samples, or
// one notification per --text LINE.
// Exit status: 0 the skin loads, 1 the plug-in would fall back to the
// default look, 2 bad arguments (or OUT.png cannot be written).
//
// The arguments are read as UTF-16, whatever the system's code page, and
// handed to the plug-in in Windows-1250 as the host hands its settings; the
// picture is written by its wide name. The console output is UTF-8.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "preview_picture.h"
#include "skin/skin.h"
#include "skin/skin_diagnostics.h"
#include "skin/skin_load.h"
#include "skin/wide_text.h"
#include "core/entry.h"

namespace {
const size_t PATH_CAPACITY = 260;
const int32_t PREVIEW_BUTTON = 774116;
const char* definitionName = "";

// Texts of the skin and of the plug-in are Windows-1250; print them as UTF-8.
std::string shown(const char* text) {
    const WideText wide(text);
    std::string utf8((size_t)wide.length() * 3 + 1, '\0');
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], (int)utf8.size(), nullptr, nullptr);
    return m > 0 ? std::string(utf8.c_str()) : std::string(text);
}

void lineIgnored(int line, SkinLineProblem problem, const char* detail) {
    std::string d = shown(detail);
    std::string section = shown(currentSection);
    printf("%s:%d: ", definitionName, line);
    switch (problem) {
    case LINE_UNKNOWN_SECTION: printf("unknown section [%s]: its keys are ignored\n", d.c_str()); break;
    case LINE_IN_UNKNOWN_SECTION:
        if (currentSectionLine > 0)
            printf("key \"%s\" in the unknown section [%s] of line %d: line ignored\n", d.c_str(), section.c_str(),
                   currentSectionLine);
        else
            printf("key \"%s\" before any section: line ignored\n", d.c_str());
        break;
    case LINE_UNKNOWN_KEY: printf("unknown key \"%s\" in section [%s]: line ignored\n", d.c_str(), section.c_str()); break;
    case LINE_NO_EQUALS: printf("no \"=\": line ignored\n"); break;
    case LINE_EMPTY_KEY: printf("empty key: line ignored\n"); break;
    case LINE_EMPTY_VALUE: printf("empty value for \"%s\": line ignored\n", d.c_str()); break;
    case LINE_BAD_COLOUR: printf("colour \"%s\" is not six characters (RRGGBB): line ignored\n", d.c_str()); break;
    case LINE_BAD_WORD: printf("\"%s\" is not one of the allowed words: line ignored\n", d.c_str()); break;
    case LINE_VALUE_CUT: printf("value cut to its field's size: \"%s\"\n", d.c_str()); break;
    case LINE_PAST_LIMIT: printf("text past the first %s bytes is not read\n", d.c_str()); break;
    }
}

void loadError(const char* text) { printf("error: %s\n", shown(text).c_str()); }

std::string utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize((size_t)n - 1);
    return out;
}

// The command line's arguments as UTF-16.
std::vector<std::wstring> wideArguments() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list) return args;
    for (int i = 0; i < count; i++) args.push_back(list[i]);
    LocalFree(list);
    return args;
}

const SkinDiagnostics REPORTS = {lineIgnored, loadError};

int usage(const char* why) {
    fprintf(stderr, "skin-preview: %s\nusage: skin-preview DIR NAME OUT.png [--text LINE]...\n", why);
    return 2;
}

bool endsWithPng(const std::wstring& path) {
    return path.size() > 4 && lstrcmpiW(path.c_str() + path.size() - 4, L".png") == 0;
}

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// A notification of another plug-in with the plug-in's information icon.
void requestLine(StandInHost& host, const std::string& text) {
    PopupRequest r = popupRequest(text.c_str());
    r.displayTime = 20;
    host.deliver((HostMessage*)&r);
}

// The preview button of the options page: the chosen skin, then the samples.
void pressPreview(StandInHost& host) {
    ActionNotice notice = {};
    notice.size = sizeof(notice);
    notice.action = {PREVIEW_BUTTON, 774000, -2};
    notice.code = 1;
    host.send(22200, (intptr_t)&notice);
}
}  // namespace

int main() {
    SetConsoleOutputCP(CP_UTF8);
    const std::vector<std::wstring> args = wideArguments();
    const int argc = (int)args.size();
    if (argc < 4) return usage("too few arguments");
    std::string dir, name;
    const std::wstring out = args[3];
    std::vector<std::string> texts;
    if (!NarrowTo1250(args[1].c_str(), &dir) || !NarrowTo1250(args[2].c_str(), &name))
        return usage("DIR and NAME must be written in Windows-1250 letters, as the plug-in keeps them");
    for (int i = 4; i < argc; i++) {
        if (args[i] != L"--text" || i + 1 >= argc) return usage("expected --text LINE");
        std::string text;
        if (!NarrowTo1250(args[++i].c_str(), &text)) return usage("a LINE has letters Windows-1250 cannot write");
        texts.push_back(text);
    }
    if (dir.empty() || dir.size() >= PATH_CAPACITY || name.size() >= PATH_CAPACITY)
        return usage("DIR and NAME must each be 1 to 259 characters");
    if (!endsWithPng(out) || out.size() >= PATH_CAPACITY) return usage("OUT must be a .png path of at most 259 characters");

    std::string definition = name + ".ini";
    definitionName = definition.c_str();
    useSkinDiagnostics(&REPORTS);
    // A skin author sees the skin itself even while Windows runs in high
    // contrast, where the plug-in would show the tooltip look instead.
    useHighContrastQuery([] { return false; });

    StandInHost host;
    host.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    if (!host.start()) return usage("the image library could not be started");
    host.declareColumns();
    host.declareOptions();  // the plug-in's icons in the host's image list
    host.setConfig(COL_DIRECTORY, dir);
    host.setConfig(COL_SKIN, name);
    host.setConfig(COL_FULLSCREEN, 0);  // never hold the picture back
    if (texts.empty()) {
        pressPreview(host);
    } else {
        host.createWindow();
        for (const std::string& t : texts) requestLine(host, t);
    }
    pump();

    const bool noSkin = name.empty() || name == "[brak]";
    const bool loaded = noSkin || skin.skinBitmap != nullptr;
    if (!loaded) printf("%s: the plug-in falls back to the default look\n", shown(name.c_str()).c_str());
    const bool saved = savePreviewPicture(out.c_str());
    if (!saved) fprintf(stderr, "skin-preview: %s could not be written\n", utf8(out).c_str());
    host.runShutdown();
    useSkinDiagnostics(nullptr);
    fflush(stdout);
    if (!saved) return 2;
    return loaded ? 0 : 1;
}
