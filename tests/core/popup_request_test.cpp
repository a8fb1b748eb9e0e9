// Notification requests of other plug-ins (774201) and closing them
// (774202), seen from the window's side: the NotificationRequest it got.
#include <string.h>
#include "contract/config_columns.h"
#include "plugin_fixture.h"
#include "recording_window.h"
#include "support/guard_page.h"
#include "window/notify_window.h"
#include "core/entry.h"

namespace {
class PopupRequests : public PluginTest {
protected:
    RecordingWindow window;
    // The identifier of the last icon index asked of the host (10133), or
    // 0xFFFFFFFF when none was asked.
    uint32_t askedIconId() const {
        const StandInHost::Sent* s = vorlane.lastSent(10133);
        return s ? (uint32_t)s->p1 : 0xFFFFFFFFu;
    }
    PopupRequest request52(const char* text, uint8_t iconFlags, uint32_t icon) {
        PopupRequest r = popupRequest(text);
        r.iconFlags = iconFlags;
        r.displayTime = 3;
        r.clickable = 1;
        r.icon = icon;
        r.originAction = 774117;
        r.originParent = 1;
        r.clickValue = 9;
        return r;
    }
};
}  // namespace

TEST_F(PopupRequests, OlderFormWithStatusIconShowsTheHostIconOnceTheDelayNotClickable) {
    window.addResult = 4;
    PopupRequest44 r = {};
    r.size = 44;
    r.id = 774201;
    r.text = "Ola jest dostępna";
    r.iconSource = 1;
    r.status = 0x40;
    r.network = 10;
    EXPECT_EQ(deliver(r), 4);
    ASSERT_EQ(window.requests.size(), 1u);
    const RecordedRequest& q = window.requests[0];
    EXPECT_EQ(q.text, "Ola jest dostępna");
    EXPECT_EQ(q.icon, nullptr);
    EXPECT_EQ(q.imageList, vorlane.imageList());
    EXPECT_EQ(q.imageIndex, vorlane.iconIndex(0x40A00400));
    EXPECT_EQ(q.displayTime, 1);
    EXPECT_EQ(q.clickable, 0);
    EXPECT_EQ(q.clickValue, 0);
    ASSERT_TRUE(q.hasOrigin);
    EXPECT_EQ(q.origin[0], 0);
    EXPECT_EQ(q.origin[1], 0);
    EXPECT_EQ(q.origin[2], -2);
    // The host was asked for its list, then for the identifier's index.
    const StandInHost::Sent* index = vorlane.lastSent(10133);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ((uint32_t)index->p1, 0x40A00400u);
    EXPECT_EQ(index->p2, 1);
    EXPECT_EQ(vorlane.lastSent(10134)->p1, 1);

    // The older form's status keeps 16 bits, its network 8.
    r.status = 0x1041;
    r.network = 0x10A;
    deliver(r);
    EXPECT_EQ(askedIconId(), 0x40A10410u);
    // Message icon, icon handle, and anything else falling back to information.
    r.iconSource = 2;
    deliver(r);
    EXPECT_EQ(askedIconId(), 0x50000010u);
    r.iconSource = 0;
    r.iconHandle = 0x1234;
    deliver(r);
    EXPECT_EQ(window.requests.back().icon, (HICON)0x1234);
    EXPECT_EQ(window.requests.back().imageList, nullptr);
    r.iconSource = 7;
    deliver(r);
    EXPECT_EQ(askedIconId(), 774001u);
}

TEST_F(PopupRequests, DefaultIconChoicesPickTheNotifyIcons) {
    PopupRequest r = request52("BŁĄD", 0x10, 0);
    EXPECT_EQ(deliver(r), 7);
    EXPECT_EQ(askedIconId(), 774003u);
    const RecordedRequest& q = window.requests.back();
    EXPECT_EQ(q.text, "BŁĄD");
    EXPECT_EQ(q.displayTime, 3);
    EXPECT_EQ(q.clickable, 1);
    EXPECT_EQ(q.clickValue, 9);
    EXPECT_EQ(q.origin[0], 774117);
    EXPECT_EQ(q.origin[1], 1);
    EXPECT_EQ(q.origin[2], -2);
    r.iconFlags = 0x00;
    deliver(r);
    EXPECT_EQ(askedIconId(), 774001u);
    r.iconFlags = 0x20;
    deliver(r);
    EXPECT_EQ(askedIconId(), 774002u);
    // Icon 0 with kind 1 also becomes a host icon; a choice past 2 leaves 0.
    r.iconFlags = 0x31;
    deliver(r);
    EXPECT_EQ(askedIconId(), 0u);
    EXPECT_EQ(window.requests.back().icon, nullptr);
    // A negative display time is sign-extended.
    r.displayTime = -1;
    deliver(r);
    EXPECT_EQ(window.requests.back().displayTime, -1);
}

TEST_F(PopupRequests, IconKindAboveOneShowsNothingButTheLongFormStillForwardsItsInfo) {
    PopupRequest r = request52("nic", 0x02, 0x40A00400);
    EXPECT_EQ(deliver(r), 0);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(vorlane.countSent(10133), 0);

    const char info[] = "\x1aname=Ola";
    r.size = 60;
    r.infoText = info;
    r.infoKind = 2;
    EXPECT_EQ(deliver(r), 0);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].message, (UINT)MSG_BROADCAST_TEXT);
    EXPECT_EQ(window.messages[0].wParam, 2u);
    EXPECT_EQ(window.messages[0].text, info);

    // Shown and forwarded: the notification first, then the record.
    r.iconFlags = 0x00;
    EXPECT_EQ(deliver(r), 7);
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[1].message, (UINT)MSG_ADD_NOTIFICATION);
    EXPECT_EQ(window.messages[2].message, (UINT)MSG_BROADCAST_TEXT);
    // Not forwarded with the setting off, with kind 0, or without text.
    vorlane.setConfig(COL_USEVINDLE, 0);
    deliver(r);
    vorlane.setConfig(COL_USEVINDLE, 1);
    r.infoKind = 0;
    deliver(r);
    r.infoKind = 2;
    r.infoText = nullptr;
    deliver(r);
    int broadcasts = 0;
    for (const RecordedMessage& m : window.messages)
        if (m.message == MSG_BROADCAST_TEXT) broadcasts++;
    EXPECT_EQ(broadcasts, 2);
}

TEST_F(PopupRequests, OnlySizes44_52_60AreAcceptedAndFieldsPastTheSizeAreNotRead) {
    PopupRequest r = request52("x", 0x00, 0x40A00400);
    for (uint16_t size : {0, 30, 43, 48, 51, 56, 64}) {
        r.size = size;
        EXPECT_EQ(deliver(r), 0) << size;
    }
    EXPECT_TRUE(window.messages.empty());

    // A 52-byte request at the very end of readable memory.
    GuardPage guard;
    ASSERT_TRUE(guard.ready());
    r.size = 52;
    EXPECT_EQ(IMessageProc((HostMessage*)guard.place(r, 52)), 7);
    // And a 44-byte one.
    PopupRequest44 older = {};
    older.size = 44;
    older.id = 774201;
    older.iconSource = 2;
    EXPECT_EQ(IMessageProc((HostMessage*)guard.place(older)), 7);
    EXPECT_EQ(askedIconId(), 0x50000010u);
}

TEST_F(PopupRequests, RequestWithoutTextShowsAnEmptyLine) {
    PopupRequest r = request52(nullptr, 0x00, 0x40A00400);
    EXPECT_EQ(deliver(r), 7);
    ASSERT_EQ(window.requests.size(), 1u);
    EXPECT_FALSE(window.requests[0].textWasNull);
    EXPECT_EQ(window.requests[0].text, "");
}

TEST_F(PopupRequests, RefusalAndClosingAreTheWindowsAnswers) {
    window.addResult = -1;
    PopupRequest r = request52("druga", 0x00, 0x40A00400);
    EXPECT_EQ(deliver(r), -1);
    EXPECT_EQ(vorlane.send(774202, 5), 0);
    EXPECT_EQ(window.messages.back().message, (UINT)MSG_REMOVE_ID);
    EXPECT_EQ(window.messages.back().wParam, 5u);
    // No window: nothing is sent and the answer is 0.
    notificationWindow = nullptr;
    EXPECT_EQ(deliver(r), 0);
    EXPECT_EQ(vorlane.send(774202, 5), 0);
    EXPECT_EQ(window.messages.size(), 2u);
}

static bool iconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

TEST_F(PopupRequests, AnIconHandedOverIsDestroyedOnceEvenWithoutAWindow) {
    // With a window the icon passes on untouched: the queue owns it.
    HICON kept = CopyIcon(LoadIconA(nullptr, IDI_HAND));
    ASSERT_NE(kept, nullptr);
    PopupRequest r = request52("z ikoną", 0x01, (uint32_t)(intptr_t)kept);
    EXPECT_EQ(deliver(r), 7);
    EXPECT_EQ(window.requests.back().icon, kept);
    EXPECT_TRUE(iconAlive(kept));
    DestroyIcon(kept);

    // No window: nothing is shown, the answer is 0 and the icon is gone.
    notificationWindow = nullptr;
    HICON lost = CopyIcon(LoadIconA(nullptr, IDI_HAND));
    ASSERT_TRUE(iconAlive(lost));
    r.icon = (uint32_t)(intptr_t)lost;
    EXPECT_EQ(deliver(r), 0);
    EXPECT_FALSE(iconAlive(lost));
    PopupRequest44 older = {};
    older.size = 44;
    older.id = 774201;
    older.iconSource = 0;
    HICON old = CopyIcon(LoadIconA(nullptr, IDI_HAND));
    older.iconHandle = (uint32_t)(intptr_t)old;
    EXPECT_EQ(deliver(older), 0);
    EXPECT_FALSE(iconAlive(old));
    EXPECT_EQ(window.requests.size(), 1u);
}
