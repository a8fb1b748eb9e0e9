// The 21 column declarations as the host saw them, and the delay repair.
#include <string.h>
#include <string>
#include "contract/config_columns.h"
#include "plugin_fixture.h"
#include "window/placement.h"
#include "window/window_settings.h"
#include "support/recorded_request.h"
#include "core/entry.h"

struct ExpectedColumn {
    const char* key;
    int column, table, type;
    int defaultInt;
    const char* defaultText;
};

static const ExpectedColumn expected[] = {
    {"Zinglet/cfg/skin", 774110, 0, 1, 0, "[brak]"},
    {"Zinglet/cfg/directory", 774115, 0, 1, 0, "zinglet"},
    {"Zinglet/events/status", 774120, 0, 0, 0, nullptr},
    {"Zinglet/events/msg", 774121, 0, 0, 0, nullptr},
    {"Zinglet/cfg/delay", 774122, 0, 0, 2000, nullptr},
    {"Zinglet/cfg/animation", 774123, 0, 0, 0, nullptr},
    {"Zinglet/cfg/waitforclick", 774124, 0, 0, 1, nullptr},
    {"Zinglet/cfg/limit", 774125, 0, 0, 20, nullptr},
    {"Zinglet/cfg/mouseclose", 774126, 0, 0, 1, nullptr},
    {"Zinglet/cfg/fullscreen", 774127, 0, 0, 1, nullptr},
    {"Zinglet/cfg/useVindle", 774128, 0, 0, 1, nullptr},
    {"Zinglet/cfg/statusDescr", 774129, 0, 0, 0, nullptr},
    {"Zinglet/cfg/statusDescrOnConnected", 774133, 0, 0, 0, nullptr},
    {"Zinglet/cfg/msgBody", 774130, 0, 0, 0, nullptr},
    {"Zinglet/cfg/msgBodyLen", 774131, 0, 0, 30, nullptr},
    {"Zinglet/cfg/selfStatus", 774132, 0, 0, 1, nullptr},
    {"Zinglet/cfg/msgStatusLen", 774134, 0, 0, 30, nullptr},
    {"Zinglet/events/cnt/status", 774135, 1, 0, 1, nullptr},
    {"Zinglet/cfg/cnt/statusDescr", 774136, 1, 0, 1, nullptr},
    {"Zinglet/events/cnt/msg", 774137, 1, 0, 1, nullptr},
    {"Zinglet/cfg/cnt/msgBody", 774138, 1, 0, 1, nullptr},
};


TEST(Columns, DeclarationsReachTheHostInOrderAsThirtyNineByteRecords) {
    StandInHost vorlane;
    vorlane.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
    ASSERT_EQ(vorlane.start(), 1);
    EXPECT_EQ(vorlane.declareColumns(), 1);

    ASSERT_EQ(vorlane.columns.size(), 21u);
    ASSERT_EQ(vorlane.countSent(1102), 21);
    // The records byte by byte, read without the plug-in's own structure.
    int n = 0;
    for (const StandInHost::Sent& s : vorlane.sent) {
        if (s.id != 1102) continue;
        const ExpectedColumn& e = expected[n++];
        SCOPED_TRACE(e.key);
        ASSERT_EQ(s.bytes.size(), 39u);
        const std::vector<uint8_t>& b = s.bytes;
        EXPECT_EQ(b[0] | b[1] << 8, 39);
        EXPECT_EQ(int32At(b, 2), 1102);
        for (size_t offset : {6, 10, 14, 18}) EXPECT_EQ(int32At(b, offset), 0) << offset;
        EXPECT_EQ(b[22], e.table);
        EXPECT_EQ(int32At(b, 23), e.column);
        EXPECT_EQ(int32At(b, 27), e.type);
        if (e.type == 1)
            EXPECT_STREQ((const char*)(intptr_t)int32At(b, 31), e.defaultText);
        else
            EXPECT_EQ(int32At(b, 31), e.defaultInt);
        EXPECT_STREQ((const char*)(intptr_t)int32At(b, 35), e.key);
    }
    for (size_t i = 0; i < 21; i++) {
        const StandInHost::Column& c = vorlane.columns[i];
        const ExpectedColumn& e = expected[i];
        SCOPED_TRACE(e.key);
        EXPECT_EQ(c.key, e.key);
        EXPECT_EQ(c.column, e.column);
        EXPECT_EQ(c.table, e.table);
        EXPECT_EQ(c.type, e.type);
        if (e.type == 1)
            EXPECT_EQ(c.defaultText, e.defaultText);
        else
            EXPECT_EQ(c.defaultInt, e.defaultInt);
    }

    // A fresh configuration reads as the defaults through the plug-in's wrappers.
    for (const ExpectedColumn& e : expected) {
        if (e.table != 0) continue;
        SCOPED_TRACE(e.key);
        if (e.type == 1) {
            char buffer[260];
            EXPECT_STREQ(configString(e.column, buffer, sizeof(buffer)), e.defaultText);
        } else {
            EXPECT_EQ(configInt(e.column), e.defaultInt);
        }
    }
    int row = vorlane.addContact(10, "77");
    EXPECT_EQ(contactInt(row, COL_CNT_STATUS), 1);
    EXPECT_EQ(contactInt(row, COL_CNT_MSGBODY), 1);
}

TEST_F(PluginTest, StoredDelayOfZeroIsRepairedTo2000OthersKept) {
    vorlane.setConfig(COL_DELAY, 0);
    EXPECT_EQ(normalizedDelay(), 2000);
    EXPECT_EQ(vorlane.configIntValue(COL_DELAY), 2000);
    vorlane.setConfig(COL_DELAY, -300);
    EXPECT_EQ(normalizedDelay(), -300);
    EXPECT_EQ(vorlane.configIntValue(COL_DELAY), -300);

    // The repair happens when the look is reset: the window rebuild of
    // 21020 writes 2000 back and the window uses it.
    vorlane.setConfig(COL_DELAY, 0);
    vorlane.clearRecords();
    EXPECT_EQ(vorlane.send(21020), 0);
    EXPECT_EQ(vorlane.configIntValue(COL_DELAY), 2000);
    EXPECT_EQ(windowSettings.delay, 2000);
    vorlane.setConfig(COL_DELAY, -300);
    vorlane.send(21020);
    EXPECT_EQ(vorlane.configIntValue(COL_DELAY), -300);
    EXPECT_EQ(windowSettings.delay, -300);
    vorlane.send(22101);
}
