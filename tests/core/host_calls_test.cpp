// The wrappers over the host's control object, checked against what the
// stand-in host stored and received.
#include <string.h>
#include <string>
#include "contract/config_columns.h"
#include "plugin_fixture.h"
#include "version.h"

typedef PluginTest HostCalls;

TEST_F(HostCalls, SetConfigIntMergesBitsUnderMaskAndStoresWholeWithMinusOne) {
    vorlane.setConfig(COL_LIMIT, 0xF3);
    setConfigInt(COL_LIMIT, 0x05, 0x0F);
    EXPECT_EQ(vorlane.configIntValue(COL_LIMIT), 0xF5);
    setConfigInt(COL_LIMIT, 0x05, -1);
    EXPECT_EQ(vorlane.configIntValue(COL_LIMIT), 0x05);
    EXPECT_EQ(configInt(COL_LIMIT), 0x05);
}

TEST_F(HostCalls, TextsAreCopiedBoundedOrHandedOutByTheHost) {
    vorlane.setConfig(COL_SKIN, std::string("niebieska-skórka"));
    char small[6];
    memset(small, 'x', sizeof(small));
    const char* got = configString(COL_SKIN, small, sizeof(small));
    EXPECT_EQ(got, small);
    EXPECT_STREQ(small, "niebi");  // five characters and the terminator
    const char* shared = configString(COL_SKIN, nullptr, 0);
    ASSERT_NE(shared, nullptr);
    EXPECT_STREQ(shared, "niebieska-skórka");
    // Unknown columns read as 0 and "".
    char buffer[16] = "old";
    EXPECT_STREQ(configString(123, buffer, sizeof(buffer)), "");
    EXPECT_EQ(configInt(123), 0);

    int row = vorlane.addContact(10, "1234", "Ola");
    vorlane.setContact(row, 2, 0x41);
    EXPECT_EQ(contactInt(row, 2), 0x41);
    EXPECT_STREQ(contactString(row, 8, nullptr, 0), "Ola");
    // Contact switches read as their declared default until set.
    EXPECT_EQ(contactInt(row, COL_CNT_MSG), 1);
    // A row that names no contact (-1 from message 200, -2 none) reads the
    // contact table's defaults, never the configuration table.
    for (int none : {-1, -2}) {
        EXPECT_EQ(contactInt(none, COL_USEVINDLE), 0) << none;
        EXPECT_EQ(contactInt(none, COL_CNT_MSG), 1) << none;
        EXPECT_STREQ(contactString(none, COL_SKIN, nullptr, 0), "") << none;
    }
    setConfigString(COL_DIRECTORY, "skórki");
    EXPECT_EQ(vorlane.configTextValue(COL_DIRECTORY), "skórki");
}

TEST_F(HostCalls, LogLineSendsAtMost254CharactersWithCode256) {
    std::string longText(300, 'a');
    longText[253] = 'Z';
    logLine("%s", longText.c_str());
    ASSERT_EQ(vorlane.log.size(), 1u);
    EXPECT_EQ(vorlane.log[0].size(), 254u);
    EXPECT_EQ(vorlane.log[0], longText.substr(0, 254));
    const StandInHost::Sent* s = vorlane.lastSent(1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->p2, 256);
    EXPECT_EQ(s->net, 0);
    logLine("sieć %d o %s", 10, "12:00");
    EXPECT_EQ(vorlane.log.back(), "sieć 10 o 12:00");
}

TEST_F(HostCalls, CallsCarryTheirAddressAndReportWhetherANetworkAnswered) {
    vorlane.answerers.set(Address::network(10), [](HostMessage* m) {
        const int id = m->id;
        return id == 30031 && m->typeMask == -1 ? 0x41 : 0;
    });
    EXPECT_EQ(hostCallNet(30031, 10, -1, 0, 0), 0x41);
    EXPECT_EQ(vorlane.lastError(), 0);
    EXPECT_EQ(hostCallNet(30031, 12, -1, 0, 0), 0);
    EXPECT_NE(vorlane.lastError(), 0);

    int row = vorlane.addContact(10, "555");
    EXPECT_EQ(hostCall(200, 10, (intptr_t) "555"), row);
    EXPECT_EQ(hostCall(200, 11, (intptr_t) "555"), -1);
    const StandInHost::Sent* s = vorlane.lastSent(200);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->size, 30);
    EXPECT_EQ(s->typeMask, 0);
    EXPECT_EQ(s->plugin, -1);

    // Plug-in 0 means the plug-in itself: its own identity answer comes back.
    const char* version = (const char*)(intptr_t)pluginCall(30012, 0, 0, 0);
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version, NOTIFY_VERSION_TEXT);
    EXPECT_EQ(vorlane.lastSent(30012)->plugin, vorlane.pluginId());
}

TEST(HostCallsWithoutHost, EveryWrapperAnswersNothing) {
    ASSERT_EQ(host, nullptr);
    char buffer[8] = "abc";
    EXPECT_EQ(configInt(COL_DELAY), 0);
    EXPECT_EQ(contactInt(1, 2), 0);
    EXPECT_STREQ(configString(COL_SKIN, buffer, sizeof(buffer)), "");
    EXPECT_EQ(configString(COL_SKIN, nullptr, 0), nullptr);
    EXPECT_EQ(hostCall(10134, 1, 0), 0);
    EXPECT_EQ(pluginCall(30012, 0, 0, 0), 0);
    setConfigInt(COL_DELAY, 1, -1);
    setConfigString(COL_SKIN, "x");
    logLine("nothing %d", 1);
}
