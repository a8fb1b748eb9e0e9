// vorlane_host.exe: loads notify.dll from its own folder, runs the plug-in's
// start-up, prints its identity answers and the columns it declared, and
// shuts it down again.
#include <stdio.h>
#include <string.h>
#include "stand_in_host.h"

static bool pluginPath(char* path, size_t capacity) {
    DWORD n = GetModuleFileNameA(nullptr, path, (DWORD)capacity);
    if (n == 0 || n >= capacity) return false;
    char* slash = strrchr(path, '\\');
    size_t dir = slash ? (size_t)(slash - path + 1) : 0;
    const char name[] = "notify.dll";
    if (dir + sizeof(name) > capacity) return false;
    memcpy(path + dir, name, sizeof(name));
    return true;
}

int main() {
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
    // Identity answers: texts for 30012, 30013, 30014 and 30016, numbers otherwise.
    for (int id = 30010; id <= 30017; id++) {
        int answer = host.send(id);
        bool text = id == 30012 || id == 30013 || id == 30014 || id == 30016;
        if (text && answer)
            printf("%d: \"%s\"\n", id, (const char*)(intptr_t)answer);
        else
            printf("%d: %d\n", id, answer);
    }
    printf("columns declared: %u\n", (unsigned)host.columns.size());
    for (const StandInHost::Column& c : host.columns) {
        printf("  %-40s %d %s %s ", c.key.c_str(), c.column,
               c.table == configTable ? "config " : "contact", c.type == VALUE_TEXT ? "text" : "int ");
        if (c.type == VALUE_TEXT)
            printf("\"%s\"\n", c.defaultText.c_str());
        else
            printf("%d\n", (int)c.defaultInt);
    }
    host.runShutdown();
    host.unloadPlugin();
    return 0;
}
