// ComposeNotifications of 1, 20 and 100 lines in the default look and in
// each skin, against its floor (the drawing calls alone, bench/support/
// compose_floor.h), with one line's time part by part, and the 20 lines
// against one frame of 16.7 ms.
// usage: compose_bench.exe [SKINS_DIRECTORY]; without one, sample skins are
// written into a temporary folder.
#include <windows.h>
#include <stdio.h>
#include <string>
#include "contract/config_columns.h"
#include "skin/paint.h"
#include "skin/picture_context.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "support/bench_skins.h"
#include "support/bench_table.h"
#include "support/compose_floor.h"
#include "support/skin_scene.h"
#include "window/notify_window.h"

static const double FRAME_US = 1e6 / 60;

// Lines as the plug-in makes them: a message waiting for a click, a status
// change with a description, a request of another plug-in.
static void fillQueue(StandInHost& stand, int lines) {
    notificationQueue.clear();
    HIMAGELIST list = stand.imageList();
    for (int i = 0; i < lines; i++) {
        switch (i % 3) {
        case 0: addLine("Wiadomość od <b>Ola Nowak", nullptr, list, stand.iconIndex(774002), 1); break;
        case 1: addLine("<b>Paweł<b> jest zajęty", nullptr, list, stand.iconIndex(774001)); break;
        default: addLine("\"spotkanie o 15:00, sala na drugim piętrze\"", nullptr, list, stand.iconIndex(774003));
        }
    }
}

// Where one line's time goes: the floor's drawing part by part, and what
// composing would add were its contexts not kept, each timed alone: the
// window's context taken and given back, and the picture and the skin's
// image each selected into a new context (the very bitmaps, let go of by
// the kept contexts for it).
static void printOneLinePhases(ComposeFloor& floor, int rounds) {
    const int calls = 20;
    printPart("floor: measuring the line", bestMicros(rounds, calls, [&] { floor.measure(); }));
    printPart("floor: the background", bestMicros(rounds, calls, [&] { floor.background(); }));
    printPart("floor: the line's icon and text", bestMicros(rounds, calls, [&] { floor.rows(); }));
    printPart("not kept: GetDC and ReleaseDC of the window", bestMicros(rounds, calls, [] {
                  ReleaseDC(notificationWindow, GetDC(notificationWindow));
              }));
    ReleasePictureContexts();
    HDC screen = GetDC(nullptr);
    auto selectInNewContext = [screen](HGDIOBJ bitmap) {
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SelectObject(dc, old);
        DeleteDC(dc);
    };
    printPart("not kept: the picture selected into a new context",
              bestMicros(rounds, calls, [&] { selectInNewContext(composedBitmap); }));
    if (skin.skinBitmap)
        printPart("not kept: the skin's image selected into a new context",
                  bestMicros(rounds, calls, [&] { selectInNewContext(skin.skinBitmap); }));
    ReleaseDC(nullptr, screen);
    ComposeNotifications(notificationQueue);  // the contexts are kept again
}

static void measureLook(StandInHost& stand, const std::string& look) {
    // Short rounds, many of them: the best one is the least disturbed.
    const int rounds = benchRounds() * 4;
    for (int lines : {1, 20, 100}) {
        fillQueue(stand, lines);
        ComposeNotifications(notificationQueue);
        if (!composedBitmap) {
            printf("compose %s, %d lines: no picture, not measured\n", look.c_str(), lines);
            continue;
        }
        ComposeFloor floor;
        const int calls = lines == 100 ? 1 : lines == 20 ? 4 : 20;
        double compose, drawing;
        bestPair(rounds, calls, [] { ComposeNotifications(notificationQueue); }, [&] { floor.draw(); }, &compose, &drawing);
        char name[96];
        snprintf(name, sizeof(name), "compose %s, %d line%s", look.c_str(), lines, lines == 1 ? "" : "s");
        printRow(name, compose, drawing, 1.3);
        if (lines == 1) printOneLinePhases(floor, rounds);
        if (lines == 20) {
            snprintf(name, sizeof(name), "compose %s, 20 lines, one frame", look.c_str());
            printRow(name, compose, FRAME_US, 1.0);
        }
    }
    notificationQueue.clear();
}

static void useLook(StandInHost& stand, const std::string& name) {
    stand.setConfig(COL_SKIN, name);
    if (notificationWindow) DestroyWindow(notificationWindow);
    LoadSkin();
}

int main(int argc, char** argv) {
    StandInHost stand;
    beginSkinScene(&stand);
    MessageBoxCatcher boxes;  // a skin that fails to load must not stop the run
    TempDir samples;
    std::string directory = argc > 1 ? argv[1] : samples.path;
    std::vector<std::string> names = argc > 1 ? skinsIn(directory) : writeSampleSkins(samples);
    stand.setConfig(COL_DIRECTORY, directory);

    useLook(stand, "[brak]");
    measureLook(stand, "default look");
    for (const std::string& name : names) {
        size_t before = boxes.boxes.size();
        useLook(stand, name);
        if (boxes.boxes.size() != before || !skin.skinBitmap) {
            printf("skin %s: not loaded (%s)\n", name.c_str(),
                   boxes.boxes.size() != before ? boxes.boxes.back().text.c_str() : "no picture");
            continue;
        }
        measureLook(stand, "skin " + name);
    }
    endSkinScene();
    return 0;
}
