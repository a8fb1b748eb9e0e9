// Seeded random sequences of adds, removals, clicks, hovering, leaving and
// timer ticks sent to the real window, with the queue's invariants checked
// after every step. A failure names its seed; NOTIFY_SEED=n replays it.
#include <stdlib.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include "window_fixture.h"
#include "window/private_messages.h"

namespace {
class RandomSequence : public WindowFixture {
protected:
    std::mt19937 random;
    int pick(int n) { return (int)(random() % (unsigned)n); }
    std::map<HICON, int> iconOwner;  // handed-over icon -> its notification, -1 refused
    int32_t lastId = 0;

    void step() {
        static const char* texts[] = {"Ola", "Wiadomość od <b>Ola\n\"hej\"", "a\nb\nc", "", "\n", "x\r\ny",
                                      "<b>długi tekst, który się nie mieści</b>"};
        static const int32_t origins[][3] = {{130, 30, 1}, {130, 30, 2}, {0, 0, -2}, {5, 6, 7}};
        switch (pick(9)) {
        case 0:
        case 1:
        case 2: {
            HICON icon = pick(2) ? makeIcon() : nullptr;
            int id = add(texts[pick(7)], pick(5) - 1, pick(2), pick(4) ? origins[pick(4)] : nullptr, icon, pick(3));
            if (id > 0) {
                EXPECT_GT(id, lastId) << "ids only grow";
                lastId = id;
            }
            if (icon) iconOwner[icon] = id;
            break;
        }
        case 3:
            sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)(lastId - pick(4)), 0);
            break;
        case 4:
            sendPrivateMessage(window, MSG_REMOVE_CONTACT, (WPARAM)(1 + pick(2)), 0);
            break;
        case 5:
            SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON,
                         pick(4) ? pointOnRow(pick(notificationQueue.count() + 1))
                                 : MAKELPARAM(pick(300), pick(300)));
            break;
        case 6:
            SendMessageA(window, WM_MOUSEMOVE, 0, pointOnRow(pick(3)));
            break;
        case 7:
            SendMessageA(window, WM_MOUSELEAVE, 0, 0);
            break;
        case 8:
            advance((DWORD)pick(3000));
            tick(pick(3) ? EXPIRY_TIMER : ANIMATION_TIMER);
            break;
        }
    }

    void checkInvariants() {
        const int n = notificationQueue.count();
        std::set<int> present;
        for (int r = 0; r < n; r++) {
            const NotificationEntry& e = notificationQueue.row(r);
            const bool first = r == 0 || notificationQueue.row(r - 1).id != e.id;
            const bool last = r == n - 1 || notificationQueue.row(r + 1).id != e.id;
            ASSERT_EQ(e.continuesPrevious, first ? 0 : 1) << "row " << r;
            ASSERT_EQ(e.continuesNext, last ? 0 : 1) << "row " << r;
            if (!first) {
                ASSERT_TRUE(e.icon == nullptr) << "row " << r;
            } else {
                // Notifications are contiguous and stand in the order of their ids.
                ASSERT_TRUE(present.insert(e.id).second) << "row " << r;
                if (r > 0) {
                    ASSERT_GT(e.id, notificationQueue.row(r - 1).id) << "row " << r;
                }
            }
        }
        if (windowSettings.limit > 0) {
            ASSERT_LE(n, windowSettings.limit);
        }
        for (const auto& held : iconOwner)
            ASSERT_EQ(iconAlive(held.first), present.count(held.second) == 1) << "icon of " << held.second;
        if (n == 0) {
            ASSERT_FALSE(IsWindowVisible(window));
        } else if (displayState == Shown) {
            ASSERT_TRUE(IsWindowVisible(window));
            const int linesHeight = n * rowHeight + skin.marginTop + skin.marginBottom;
            ASSERT_EQ(contentHeight, std::max(skin.bitmapHeight, linesHeight));
            ASSERT_EQ(realRect(), (RECT{anchorRight - contentWidth, anchorBottom - contentHeight, anchorRight,
                                        anchorBottom}));
        }
    }
};
}  // namespace

TEST_F(RandomSequence, TheQueueKeepsItsInvariantsAfterEveryStep) {
    const char* one = getenv("NOTIFY_SEED");
    for (int s = 0; s < (one ? 1 : 30); s++) {
        const unsigned seed = one ? (unsigned)atoi(one) : 2000u + (unsigned)s;
        SCOPED_TRACE("NOTIFY_SEED=" + std::to_string(seed));
        random.seed(seed);
        // Each seed starts from the state of a fresh window.
        sendPrivateMessage(window, MSG_HIDE_ALL, 0, 0);
        KillTimer(window, ANIMATION_TIMER);
        KillTimer(window, EXPIRY_TIMER);
        displayState = Hidden;
        hovering = false;
        iconOwner.clear();
        windowSettings.limit = pick(4) ? 1 + pick(12) : 0;
        windowSettings.animation = pick(2);
        windowSettings.waitForClick = pick(2);
        for (int i = 0; i < 60; i++) {
            step();
            checkInvariants();
            if (HasFatalFailure()) return;
        }
    }
}
