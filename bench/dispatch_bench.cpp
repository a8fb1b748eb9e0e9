// IMessageProc as the host calls it. An identity question against the least
// any dispatch costs (a call through a pointer to a function that checks the
// record and answers); a received message (sender's name and the quoted
// body) against the add to the window that it ends with, sent directly.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "contract/config_columns.h"
#include "contract/info_record.h"
#include "core/network_states.h"
#include "contract/plugin_state.h"
#include "contract/received_message.h"
#include "host/double/stand_in_host.h"
#include "support/bench_table.h"
#include "support/win_helpers.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "window/private_messages.h"
#include "core/entry.h"

// The least a dispatch can be: the size checked, one identifier compared.
__attribute__((noinline)) static int __stdcall leastDispatch(HostMessage* m) {
    if (!m || m->size < 6) return 0;
    return m->id == 20020 ? 2 : 0;
}

int main() {
    StandInHost stand;
    stand.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    stand.start();
    stand.declareColumns();
    stand.setConfig(COL_SKIN, "[brak]");
    stand.setConfig(COL_ANIMATION, 0);
    stand.setConfig(COL_EVENTS_MSG, 1);
    stand.setConfig(COL_WAITFORCLICK, 1);
    stand.setConfig(COL_MSGBODY, 1);
    stand.setConfig(COL_MSGBODYLEN, 30);
    stand.createWindow();
    if (!notificationWindow) return 1;
    const int rounds = benchRounds();

    IMessageProcFn volatile proc = IMessageProc;
    IMessageProcFn volatile least = leastDispatch;
    HostMessage2 identity = {};
    identity.size = sizeof(identity);
    identity.id = 20020;
    double answer, floor;
    bestPair(rounds, 200000, [&] { proc((HostMessage*)&identity); }, [&] { least((HostMessage*)&identity); },
             &answer, &floor);
    printRow("IMessageProc, identity question (20020)", answer, floor);

    const int row = stand.addContact(10, "1234", "Ola");
    stand.setContact(row, 2, 0x41);  // "zaraz wraca"
    ReceivedMessage m = {};
    m.size = sizeof(m);
    m.net = 10;
    m.type = 1;
    m.from = "1234";
    m.body = "czy będziesz jutro?";
    m.contact = -2;
    auto reset = [&] {
        sendPrivateMessage(notificationWindow, MSG_HIDE_ALL, 0, 0);
        pumpMessages();
        stand.clearRecords();
    };
    stand.send(20100, (intptr_t)&m);
    if (notificationQueue.count() != 2) {
        printf("the received message did not give its two lines\n");
        return 1;
    }
    reset();
    // The request the handler sends, sent directly.
    std::string text = "Wiadomość od <b>" + contactDisplayName(row) + "\n\"" + m.body + "\"";
    const int32_t origin[3] = {130, 30, row};
    NotificationRequest request = {text.c_str(), nullptr, stand.imageList(), stand.iconIndex(MESSAGE_ICON_ID),
                                   -1, 1, origin, 0};
    CallTimes receivedTimes, addTimes;
    for (int round = 0; round < rounds * 20; round++) {
        receivedTimes.time([&] { stand.send(20100, (intptr_t)&m); });
        reset();
        addTimes.time([&] { sendPrivateMessage(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&request); });
        reset();
    }
    const double received = receivedTimes.lowerQuartile(), add = addTimes.lowerQuartile();
    printRow("IMessageProc, received message (20100)", received, add);
    stand.destroyWindow();
    stand.stop();
    return 0;
}
