// A flood of notifications with no line limit, through the real window
// procedure, animation off: the time of one add with 20 lines shown, with a
// screenful shown, and with 1000 lines queued (of which a screenful is
// shown). Each add's baseline is composing the picture it ends with, timed
// alone in the same rounds; the add with 1000 queued is also set against
// the add with a screenful, which draws as much.
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "skin/paint.h"
#include "support/bench_table.h"
#include "support/bench_window.h"
#include "support/fake_clock.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/placement.h"
#include "window/private_messages.h"
#include "window/shown_lines.h"
#include "window/window_settings.h"
#include "window/window_setup.h"
#include "window/window_update.h"

static HWND window;
static HIMAGELIST icons;
static int iconIndex;

static int addLine(int n) {
    const std::string text = "<b>Kontakt " + std::to_string(n) + "<b> jest dostępny";
    NotificationRequest r = {text.c_str(), nullptr, icons, iconIndex, 1, 0, nullptr, 0};
    return (int)sendPrivateMessage(window, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
}

// The queue holds `lines` lines; then adds are timed, each followed
// (untimed) by the removal of the line it added.
static void measure(const char* name, int lines, double* addFigure) {
    sendPrivateMessage(window, MSG_HIDE_ALL, 0, 0);
    for (int i = 0; i < lines - 1; i++) addLine(i);
    CallTimes adds, composes;
    for (int round = 0; round < benchRounds() * 10; round++) {
        int id = 0;
        adds.time([&] { id = addLine(lines); });
        composes.time([] { composeShownLines(pictureHeightLimit()); });
        sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)id, 0);
        pumpMessages();
    }
    *addFigure = adds.lowerQuartile();
    char row[96];
    snprintf(row, sizeof(row), "flood add, %s (%d shown)", name, notificationQueue.count() + 1 - firstShownRow());
    printRow(row, *addFigure, composes.lowerQuartile());
}

int main() {
    StandInHost stand;  // only for its icon image list
    icons = stand.imageList();
    iconIndex = stand.iconIndex(24011);
    FakeClock clock(1000);
    window = openBenchWindow(0);
    if (!window) return 1;
    // A screenful: as many lines as the work area's height holds.
    addLine(0);
    const int screenful = pictureHeightLimit() / (rowHeight > 0 ? rowHeight : 1);
    double twenty = 0, full = 0, thousand = 0;
    measure("20 lines", 20, &twenty);
    measure("a screenful", screenful, &full);
    measure("1000 queued", 1000, &thousand);
    printRow("flood add, 1000 queued against a screenful", thousand, full, 1.5);

    sendPrivateMessage(window, MSG_HIDE_ALL, 0, 0);
    closeBenchWindow(window);
    return 0;
}
