// vorlane_host.exe: the stand-in host as a small application. It loads
// notify.dll from its own folder, starts it, shows its main window (contacts,
// networks, options) and plays a scenario file when one is given.
//
//   vorlane_host.exe [--stay] [--shots FOLDER] [SCENARIO]
//
// --stay keeps the host open after the scenario until its main window is
// closed (also the case without a scenario); otherwise it shuts the plug-in
// down and exits when the scenario ends. Screenshots go into FOLDER (default:
// the current folder). Exit code: 0 done, 1 an expectation failed, 2 a bad
// scenario line or a host that could not start.
#include <stdio.h>
#include <string.h>
#include <string>
#include "host_app.h"
#include "main_window.h"
#include "scenario_player.h"

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

int usage() {
    fprintf(stderr, "usage: vorlane_host.exe [--stay] [--shots FOLDER] [SCENARIO]\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    bool stay = false;
    std::string shots = ".", scenario;
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--stay")) stay = true;
        else if (!strcmp(argv[i], "--shots") && i + 1 < argc) shots = argv[++i];
        else if (argv[i][0] == '-' || !scenario.empty()) return usage();
        else scenario = argv[i];
    }
    if (scenario.empty()) stay = true;

    char path[MAX_PATH];
    if (!pluginPath(path, sizeof(path))) {
        fprintf(stderr, "vorlane_host: the program's folder has too long a path\n");
        return 2;
    }
    HostApp app;
    std::string why;
    if (!app.start(path, &why)) {
        fprintf(stderr, "vorlane_host: %s\n", why.c_str());
        return 2;
    }
    printf("plug-in started: %s %s, %u settings\n", (const char*)(intptr_t)app.host.send(PLUGIN_DISPLAY_NAME),
           (const char*)(intptr_t)app.host.send(PLUGIN_VERSION), (unsigned)app.host.columns.size());
    MainWindow main(app);
    if (!main.create()) {
        fprintf(stderr, "vorlane_host: the main window could not be created\n");
        return 2;
    }

    int result = 0;
    if (!scenario.empty()) {
        printf("scenario %s\n", scenario.c_str());
        // With a person watching, closing the host ends the scenario.
        std::function<bool()> wanted = nullptr;
        if (stay) wanted = [&main]() { return main.isOpen(); };
        ScenarioPlayer player(app, shots, wanted);
        player.mainWindow = main.window();
        if (!player.playFile(scenario)) {
            fprintf(stderr, "%s\n", player.error.c_str());
            result = player.failedExpectation ? 1 : 2;
            stay = false;
        } else if (stay && !main.isOpen()) {
            printf("the host was closed before the scenario's end\n");
        } else {
            printf("scenario played to its end\n");
        }
    }
    if (stay && main.isOpen()) {
        printf("the host stays open until its window is closed\n");
        main.runUntilClosed();
    }
    for (const std::string& line : app.host.log) printf("log: %s\n", consoleText(line.c_str()).c_str());
    app.shutdown();
    printf("plug-in stopped\n");
    return result;
}
