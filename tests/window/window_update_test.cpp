// The one update step: after every operation the window shows exactly the
// queue's lines at full size at the anchor, and whatever way the window is
// emptied, no timer of it runs any more (a hidden window must not wake the
// machine up every 10 or 100 ms). Hide-all is the exception: it comes only
// right before the window's destruction (see the queue's tests).
#include <functional>
#include "window_fixture.h"
#include "window/private_messages.h"

using WindowUpdateTest = WindowFixture;

namespace {
const int32_t MESSAGE_ORIGIN[3] = {130, 30, 7};

struct WayToEmpty {
    const char* name;
    std::function<void()> empty;
};
}  // namespace

TEST_F(WindowUpdateTest, EveryWayOfEmptyingTheWindowStopsBothTimers) {
    const WayToEmpty ways[] = {
        {"removal by id", [this] {
             sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)notificationCounter, 0);
         }},
        {"removal by contact", [this] {
             sendPrivateMessage(window, MSG_REMOVE_CONTACT, (WPARAM)MESSAGE_ORIGIN[2], 0);
         }},
        {"click", [this] { SendMessageA(window, WM_LBUTTONDOWN, 0, pointOnRow(0)); }},
        {"mouse-close", [this] {
             stand.setConfig(COL_MOUSECLOSE, 1);
             SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(0, 0));
             stand.setConfig(COL_MOUSECLOSE, 0);
         }},
        {"hide-all", [this] { sendPrivateMessage(window, MSG_HIDE_ALL, 0, 0); }},
        {"the limit", [this] {
             windowSettings.limit = 1;
             EXPECT_EQ(add("a\nb"), -1);
             windowSettings.limit = 20;
         }},
    };
    for (const WayToEmpty& way : ways) {
        for (bool growing : {true, false}) {
            SCOPED_TRACE(std::string(way.name) + (growing ? ", while growing" : ", once shown"));
            windowSettings.animation = growing ? 1 : 0;
            ASSERT_GT(add("Wiadomość od <b>Ola", -1, 1, MESSAGE_ORIGIN), 0);
            ASSERT_TRUE(timerRunning(growing ? ANIMATION_TIMER : EXPIRY_TIMER));
            way.empty();
            EXPECT_FALSE(IsWindowVisible(window));
            EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
            EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
            // The next notification shows again and runs its timer.
            windowSettings.animation = 0;
            ASSERT_GT(add("<b>Paweł<b> jest zajęty"), 0);
            EXPECT_TRUE(IsWindowVisible(window));
            EXPECT_TRUE(timerRunning(EXPIRY_TIMER));
            sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)notificationCounter, 0);
            ASSERT_TRUE(notificationQueue.empty());
        }
    }
    // The last line's expiry, from the expiry timer itself.
    ASSERT_GT(add("kończy się", 1), 0);
    advance(2000);
    tick(EXPIRY_TIMER);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(timerRunning(ANIMATION_TIMER));
    EXPECT_FALSE(timerRunning(EXPIRY_TIMER));
}

// After each change the screen follows the queue at once: visible exactly
// while lines remain, at full size at the anchor, the screen reader's
// children one per line.
TEST_F(WindowUpdateTest, EachChangeLeavesTheWindowShowingTheQueue) {
    auto expectShowing = [&](int lines) {
        EXPECT_EQ(notificationQueue.count(), lines);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, lines > 0);
        if (lines > 0) {
            EXPECT_EQ(realRect(), fullSizeRect());
        }
        EXPECT_EQ((int)accessibleLineNames(window).size(), lines);
    };
    const int first = add("Wiadomość od <b>Ola\n\"cześć\"", -1, 1, MESSAGE_ORIGIN);
    expectShowing(2);
    add("<b>Paweł<b> jest zajęty", 1);
    expectShowing(3);
    const int third = add("trzecia\nlinia", 3);
    expectShowing(5);
    advance(2000);
    tick(EXPIRY_TIMER);  // Paweł's line goes
    expectShowing(4);
    sendPrivateMessage(window, MSG_REMOVE_ID, (WPARAM)third, 0);
    expectShowing(2);
    sendPrivateMessage(window, MSG_REMOVE_ID, 9999, 0);  // no such id: placed again all the same
    expectShowing(2);
    SendMessageA(window, WM_LBUTTONDOWN, 0, pointOnRow(1));  // the message's second line
    expectShowing(0);
    EXPECT_EQ(stand.countSent(10103), 1);
    (void)first;
}
