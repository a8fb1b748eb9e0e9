// Seeded random host records for every message that carries one: 774201,
// 774202, 20100, 24011, 24012 and 22200, of every declared size from 0 to
// 80, with random fields. Each record and each record it points to ends
// where readable memory ends. Text pointers are null, valid, or, where only
// the start of a text is shown (a message body, a contact's description),
// point to text without a terminator that ends at the inaccessible page.
// A failure names its seed; NOTIFY_SEED=n replays that one.
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <random>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "core/network_states.h"
#include "plugin_fixture.h"
#include "support/fake_clock.h"
#include "support/guard_page.h"
#include "support/message_boxes.h"
#include "window/notify_window.h"
#include "window/notification_queue.h"
#include "support/network_plugin.h"
#include "core/entry.h"

namespace {
const int NETWORK_PLUGIN = StandInNetwork::PLUGIN, NET = StandInNetwork::NET;
const int IDS[] = {774201, 774202, 20100, 24011, 24012, 22200};
const int32_t ACTIONS[] = {774116, 774117, 774118, 774119, 774120, 0x11000000 | 774110, 0x11000000 | 774115, 5};
const int32_t STATUSES[] = {0, 0x02, 0x14, 0x40, 0x41, 0xF1, 0x402, -1};
const char NAME[] = "Ola";

class RandomRecords : public PluginTest {
protected:
    MessageBoxCatcher boxes;
    FakeClock clock;
    StandInNetwork network{vorlane};
    GuardPage pages[3];  // the record, the record it points to, an unterminated text
    std::mt19937 random;
    std::vector<int> rows;
    HICON lastIcon = nullptr;

    void SetUp() override {
        PluginTest::SetUp();
        // Every reading of the calendar is long after the last: no network is
        // ever in its quiet period, so contact changes reach their texts.
        clock.secondsPerRead = 1000;
        for (int column : {COL_EVENTS_STATUS, COL_EVENTS_MSG, COL_STATUSDESCR, COL_MSGBODY, COL_SELFSTATUS,
                           COL_USEVINDLE, COL_STATUSDESCR_CONNECTED})
            vorlane.setConfig(column, 1);
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
        vorlane.setConfig(COL_FULLSCREEN, 0);
        // Shown texts are cut shorter than any unterminated text is long.
        vorlane.setConfig(COL_MSGBODYLEN, 40);
        vorlane.setConfig(COL_MSGSTATUSLEN, 30);
        for (const char* user : {"111", "222", "333"}) {
            int row = vorlane.addContact(NET, user, NAME);
            for (int column : {COL_CNT_STATUS, COL_CNT_STATUSDESCR, COL_CNT_MSG, COL_CNT_MSGBODY})
                vorlane.setContact(row, column, 1);
            rows.push_back(row);
        }
        ASSERT_EQ(vorlane.createWindow(), 1);
        for (GuardPage& p : pages) ASSERT_TRUE(p.ready());
    }
    void TearDown() override {
        vorlane.destroyWindow();
        vorlane.stop();
        networkStates.clear();
    }

    int pick(int n) { return (int)(random() % (unsigned)n); }
    template <class T, size_t N> T pick(const T (&values)[N]) { return values[pick((int)N)]; }

    // A text pointer: null, a valid text, or (where allowed) one whose
    // 100 bytes run into the inaccessible page.
    const char* text(bool mayBeUnterminated) {
        static const char* valid[] = {"", "hej", "Wiadomość <b>od\nOli", "a\r\nb\nc\n", "<b><b>"};
        int kind = pick(mayBeUnterminated ? 3 : 2);
        if (kind == 0) return nullptr;
        if (kind == 1) return pick(valid);
        std::string run(100, 'x');
        for (char& c : run) c = (char)(1 + pick(255));
        return (const char*)pages[2].place((const void*)run.data(), run.size());
    }
    // A record of `size` declared bytes of random content (at least the size
    // field itself is readable), placed at the end of `page`.
    std::vector<uint8_t> bytes(int size) {
        std::vector<uint8_t> b((size_t)(size < 2 ? 2 : size));
        for (uint8_t& x : b) x = (uint8_t)random();
        b[0] = (uint8_t)size;
        b[1] = 0;
        return b;
    }
    template <class T> void put(std::vector<uint8_t>& b, size_t at, T value) {
        if (at + sizeof(T) <= b.size()) memcpy(&b[at], &value, sizeof(T));
    }

    // The record for `id` at size `size`; fields that matter take values
    // that reach far into the handlers, the rest stay random.
    std::vector<uint8_t> record(int id, int size) {
        std::vector<uint8_t> b = bytes(size);
        put<int32_t>(b, 2, id);
        put<int32_t>(b, 10, pick(2) ? NET : pick(1000));
        put<int32_t>(b, 14, -1);
        switch (id) {
        case 774201:
            put(b, 24, text(false));
            b.size() > 28 ? (void)(b[28] = (uint8_t)(pick(3) | pick(4) << 4)) : (void)0;
            b.size() > 29 ? (void)(b[29] = (uint8_t)(pick(5) - 1)) : (void)0;
            if (b.size() > 28 && (b[28] & 15) == 1) {
                lastIcon = pick(2) ? CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0).data(),
                                                std::vector<BYTE>(32, 0xFF).data())
                                   : nullptr;
                put(b, 32, lastIcon);
            }
            put<int32_t>(b, 44, pick(2) ? rows[pick(3)] : -2);
            put(b, 52, text(false));
            put<int32_t>(b, 56, pick(3));
            break;
        case 774202:
            put<int32_t>(b, 22, pick(2) ? notificationCounter - pick(3) : (int32_t)random());
            break;
        case 20100: {
            std::vector<uint8_t> m = bytes(pick(81));
            put<int32_t>(m, 6, NET);
            put<int32_t>(m, 10, pick(4) ? 1 : pick(20));
            static const char* users[] = {"111", "222", "333", "999"};
            put(m, 14, pick(5) ? pick(users) : (const char*)nullptr);
            put(m, 22, text(true));
            put<int32_t>(m, 30, pick(4) ? 0 : (int32_t)random());
            put(b, 22, pages[1].place((const void*)m.data(), m.size()));
            break;
        }
        case 24011:
            put<int32_t>(b, 22, pick(4) ? rows[pick(3)] : (int32_t)random());
            put<int32_t>(b, 26, pick(STATUSES));
            put(b, 30, text(true));
            break;
        case 24012:
            put<int32_t>(b, 22, pick(4) ? NETWORK_PLUGIN : pick(100));
            put<int32_t>(b, 26, pick(STATUSES));
            put(b, 30, text(false));
            break;
        case 22200: {
            std::vector<uint8_t> n = bytes(pick(81));
            put<int32_t>(n, 2, pick(ACTIONS));
            put<int32_t>(n, 10, pick(2) ? rows[pick(3)] : -2);
            static const int32_t codes[] = {1, 10, 100, 0};
            put<int32_t>(n, 14, pick(codes));
            put(b, 22, pick(6) ? pages[1].place((const void*)n.data(), n.size()) : nullptr);
            break;
        }
        }
        return b;
    }
};

int seedCount(int normal) {
    const char* one = getenv("NOTIFY_SEED");
    return one ? 1 : normal;
}
unsigned seedAt(int i) {
    const char* one = getenv("NOTIFY_SEED");
    return one ? (unsigned)atoi(one) : 1000u + (unsigned)i;
}
}  // namespace

TEST_F(RandomRecords, EveryRecordIsAnsweredWithinItsBounds) {
    for (int s = 0; s < seedCount(25); s++) {
        const unsigned seed = seedAt(s);
        SCOPED_TRACE("NOTIFY_SEED=" + std::to_string(seed));
        random.seed(seed);
        for (int i = 0; i < 60; i++) {
            const int id = pick(IDS), size = pick(81);
            std::vector<uint8_t> b = record(id, size);
            vorlane.errors.clear();
            const int before = notificationCounter;
            lastIcon = nullptr;
            const int result = IMessageProc((HostMessage*)pages[0].place((const void*)b.data(), b.size()));
            // Only a record too short for its id is refused as unhandled.
            ASSERT_EQ(vorlane.errors.empty(), size >= 6) << "message " << id << ", size " << size;
            if (size < 6) continue;
            if (id == 774201) {
                ASSERT_TRUE(result == 0 || result == -1 || (result > before && result == notificationCounter))
                    << "size " << size << ", result " << result;
            } else {
                ASSERT_EQ(result, 0) << "message " << id << ", size " << size;
            }
            ASSERT_TRUE(IsWindow(notificationWindow)) << "message " << id << ", size " << size;
            ASSERT_LE(notificationQueue.count(), 20);
        }
    }
    // Options events may show messages (an empty skin list); none may stay open.
    for (const CapturedBox& box : boxes.boxes) EXPECT_EQ(box.caption, "Zinglet");
}
