// Reading a scenario file line by line, the texts of its lines, and the
// host's pace between commands. The commands are in scenario_commands.cpp.
#include "scenario_player.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "spoken_alerts.h"

namespace {
const size_t MAX_LINE = 4000;
const size_t MAX_FILE = 1 << 20;
}  // namespace

std::string scenarioWord(const std::string& s, std::string* rest) {
    size_t start = s.find_first_not_of(" \t");
    if (start == std::string::npos) {
        rest->clear();
        return std::string();
    }
    size_t end = s.find_first_of(" \t", start);
    std::string word = s.substr(start, end == std::string::npos ? std::string::npos : end - start);
    size_t next = end == std::string::npos ? std::string::npos : s.find_first_not_of(" \t", end);
    *rest = next == std::string::npos ? std::string() : s.substr(next);
    return word;
}

std::string consoleText(const char* text) {
    wchar_t wide[1024];
    char utf8[3072];
    int n = MultiByteToWideChar(1250, 0, text, -1, wide, 1024);
    if (n <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr) <= 0) return text;
    return utf8;
}

namespace {
// A message box that no one can answer (no person watching) is read out
// and dismissed, so a scenario never waits for one.
HHOOK boxHook = nullptr;
LRESULT CALLBACK dismissBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND w = (HWND)wParam;
        char cls[16] = "";
        GetClassNameA(w, cls, sizeof(cls));
        if (!strcmp(cls, "#32770")) {
            char text[512] = "";
            GetDlgItemTextA(w, 0xFFFF, text, sizeof(text));
            for (char* p = text; *p; p++)
                if (*p == '\n' || *p == '\r') *p = ' ';
            printf("    message box: %s\n", consoleText(text).c_str());
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}
}  // namespace

bool scenarioText(const std::string& utf8, std::string* text) {
    std::string raw;
    for (size_t i = 0; i < utf8.size(); i++) {
        if (utf8[i] == '\\' && i + 1 < utf8.size() && (utf8[i + 1] == 'n' || utf8[i + 1] == '\\')) {
            raw += utf8[i + 1] == 'n' ? '\n' : '\\';
            i++;
        } else {
            raw += utf8[i];
        }
    }
    text->clear();
    if (raw.empty()) return true;
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw.data(), (int)raw.size(), nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, raw.data(), (int)raw.size(), &wide[0], n);
    BOOL lost = FALSE;
    int m = WideCharToMultiByte(1250, 0, wide.data(), n, nullptr, 0, nullptr, &lost);
    if (m <= 0 || lost) return false;
    text->assign((size_t)m, '\0');
    WideCharToMultiByte(1250, 0, wide.data(), n, &(*text)[0], m, nullptr, nullptr);
    return true;
}

ScenarioPlayer::ScenarioPlayer(HostApp& a, const std::string& folder, std::function<bool()> stillWanted)
    : app(a), shots(folder), wanted(stillWanted) {
    char text[16] = "";
    const DWORD got = GetEnvironmentVariableA("NOTIFY_SLOWER", text, sizeof(text));
    const int factor = got && got < sizeof(text) ? atoi(text) : 1;
    if (factor > 1 && factor <= 20) stretch = factor;
}

ScenarioPlayer::~ScenarioPlayer() {
    stopListeningForAlerts();
    if (boxHook) UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
}

bool ScenarioPlayer::fail(int line, const std::string& what) {
    error = file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + what;
    return false;
}

void ScenarioPlayer::pump(int ms) {
    DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (wanted && !wanted()) return;
        if (ms > 0) Sleep(5);
    } while ((long)(GetTickCount() - start) < ms);
}

bool ScenarioPlayer::playFile(const std::string& path) {
    file = path;
    error.clear();
    if (stretch > 1) printf("the scenario's times stretched %d times for a slower machine (NOTIFY_SLOWER)\n", stretch);
    failedExpectation = false;
    FILE* f = path.size() < MAX_PATH ? fopen(path.c_str(), "rb") : nullptr;
    if (!f) return fail(0, path.size() < MAX_PATH ? "cannot open the file" : "the path is too long");
    std::string all;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0 && all.size() <= MAX_FILE) all.append(buffer, n);
    fclose(f);
    if (all.size() > MAX_FILE) return fail(0, "the file is larger than 1 MB");
    if (all.compare(0, 3, "\xEF\xBB\xBF") == 0) all.erase(0, 3);  // a UTF-8 mark
    size_t start = 0;
    for (int number = 1; start < all.size(); number++) {
        size_t end = all.find('\n', start);
        std::string line = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? all.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!playLine(line, number)) return false;
        if (wanted && !wanted()) return true;  // the person closed the host
    }
    return true;
}

bool ScenarioPlayer::playLine(const std::string& line, int number) {
    if (line.size() > MAX_LINE) return fail(number, "the line is longer than 4000 characters");
    std::string rest;
    std::string name = scenarioWord(line, &rest);
    if (name.empty() || name[0] == '#') return true;
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
    printf("  %d: %s\n", number, line.c_str() + line.find_first_not_of(" \t"));
    bool unattended = !wanted;
    if (unattended && !boxHook) boxHook = SetWindowsHookExA(WH_CBT, dismissBoxes, nullptr, GetCurrentThreadId());
    bool ok = command(name, rest, number);
    if (ok) pump(30);
    return ok;
}
