// Plays a scenario file: one command a line, `#` starts a comment line.
// Every command acts as the host, a network plug-in or another plug-in
// would, through HostApp; `expect` checks what the notification window
// shows. The first bad line or failed expectation stops the play with the
// file, the line number and what is wrong. The format is in the README.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "host_app.h"

class ScenarioPlayer {
public:
    // Screenshots go into `shotsFolder` (a Windows path); `stillWanted`
    // answers false once the person has closed the host.
    ScenarioPlayer(HostApp& app, const std::string& shotsFolder, std::function<bool()> stillWanted = nullptr);
    ~ScenarioPlayer();

    // Plays the file to its end; false with `error` set otherwise.
    bool playFile(const std::string& path);
    // One line of a scenario (for the file's line `number`).
    bool playLine(const std::string& line, int number);

    std::string error;       // "file:line: what is wrong"
    bool failedExpectation = false;
    std::string file = "(scenario)";
    HWND mainWindow = nullptr;  // the host's main window, for its screenshot

private:
    HostApp& app;
    std::string shots;
    std::function<bool()> wanted;
    int lastRequest = 0;
    // How many times the scenario's own times stretch: a machine many times
    // slower (NOTIFY_SLOWER, set by the emulated PC) plays every wait and the
    // display delay that many times longer, so what a line expects still
    // falls between the same events. 1 elsewhere.
    int stretch = 1;

    bool fail(int line, const std::string& what);
    bool command(const std::string& name, const std::string& rest, int line);
    void pump(int ms);

    // The words of a command's line: its name, the rest of the line, the
    // rest's first word and what follows that word.
    struct Words {
        std::string name, rest, a1, args;
    };
    // One function per command (scenario_commands.cpp); a few serve two
    // names that share their words.
    typedef bool (ScenarioPlayer::*Command)(const Words& words, int line);
    static Command commandOf(const std::string& name);
    bool onWait(const Words& words, int line);
    bool onNet(const Words& words, int line);
    bool onContact(const Words& words, int line);
    bool onStatus(const Words& words, int line);
    bool onMessage(const Words& words, int line);
    bool onConversation(const Words& words, int line);
    bool onRequest(const Words& words, int line);
    bool onPlugin(const Words& words, int line);
    bool onSend(const Words& words, int line);
    bool onClose(const Words& words, int line);
    bool onPointer(const Words& words, int line);
    bool onLeave(const Words& words, int line);
    bool onSkins(const Words& words, int line);
    bool onSetting(const Words& words, int line);
    bool onOptions(const Words& words, int line);
    bool onPreview(const Words& words, int line);
    bool onScreenshot(const Words& words, int line);
    bool onExpect(const Words& words, int line);
    bool onSpeaks(const Words& words, int line);
};

// The UTF-8 text of a scenario as Windows-1250, with "\n" as a line feed
// and "\\" as a backslash; false when it does not fit that code page.
bool scenarioText(const std::string& utf8, std::string* text);
// A Windows-1250 text as the console shows it (UTF-8).
std::string consoleText(const char* text);
// The first word of a line (spaces and tabs separate words), and the rest.
std::string scenarioWord(const std::string& line, std::string* rest);
