// The stand-in host's own answers, which the other tests rely on: held
// messages, sample-click echoes, bound options controls and texts handed out.
#include <gtest/gtest.h>
#include <string.h>
#include <vector>
#include "host/double/stand_in_host.h"

namespace {
std::vector<std::vector<uint8_t>> delivered;  // what the fake plug-in received

int __stdcall fakePlugin(HostMessage* m) {
    const uint8_t* b = (const uint8_t*)m;
    delivered.push_back(std::vector<uint8_t>(b, b + m->size));
    if (m->id == 22200 && m->size >= 30) {
        const ActionNotice* n = (const ActionNotice*)((HostMessage2*)m)->p1;
        const uint8_t* nb = (const uint8_t*)n;
        delivered.push_back(std::vector<uint8_t>(nb, nb + sizeof(*n)));
    }
    return 1;
}

HostMessage2 call(int id, intptr_t p1, intptr_t p2) {
    HostMessage2 m = {};
    m.size = sizeof(m);
    m.id = id;
    m.p1 = p1;
    m.p2 = p2;
    return m;
}
}  // namespace

TEST(StandInHost, HeldMessagesAreCountedAndFilledByIndex) {
    StandInHost vorlane;
    vorlane.heldMessages.push_back({10, 1, "1234", "Cześć"});
    vorlane.heldMessages.push_back({12, 1, "ola@x", "Hej"});
    uint8_t selection[30] = {};
    selection[0] = 30;
    HostMessage2 count = call(103, (intptr_t)selection, 0);
    EXPECT_EQ(vorlane.sendMessage((HostMessage*)&count), 2);
    uint8_t received[58] = {};
    received[0] = 58;
    int32_t index = 1;
    memcpy(selection + 26, &index, 4);
    HostMessage2 fill = call(106, (intptr_t)selection, (intptr_t)received);
    EXPECT_EQ(vorlane.sendMessage((HostMessage*)&fill), 1);
    int32_t net, type;
    const char *from, *body;
    memcpy(&net, received + 6, 4);
    memcpy(&type, received + 10, 4);
    memcpy(&from, received + 14, 4);
    memcpy(&body, received + 22, 4);
    EXPECT_EQ(net, 12);
    EXPECT_EQ(type, 1);
    EXPECT_STREQ(from, "ola@x");
    EXPECT_STREQ(body, "Hej");
    index = 2;
    memcpy(selection + 26, &index, 4);
    EXPECT_EQ(vorlane.sendMessage((HostMessage*)&fill), 0);
    index = -1;
    memcpy(selection + 26, &index, 4);
    EXPECT_EQ(vorlane.sendMessage((HostMessage*)&fill), 0);
}

TEST(StandInHost, SampleClicksComeBackAsActionNotices) {
    delivered.clear();
    StandInHost vorlane;
    vorlane.attachPlugin(fakePlugin, GetModuleHandleA(nullptr));
    ActionNotice click = {};
    click.size = 30;
    click.action = {774118, 1, -2};
    click.code = 1;
    click.value1 = 5;
    HostMessage2 m = call(10103, (intptr_t)&click, 0);
    EXPECT_EQ(vorlane.sendMessage((HostMessage*)&m), 1);
    ASSERT_EQ(delivered.size(), 2u);
    HostMessage2 echo;
    memcpy(&echo, delivered[0].data(), sizeof(echo));
    EXPECT_EQ(echo.id, 22200);
    EXPECT_EQ(delivered[1], std::vector<uint8_t>((uint8_t*)&click, (uint8_t*)&click + 30));
    EXPECT_EQ(vorlane.lastSent(10103)->p1Bytes, delivered[1]);
    // Other actions are only recorded.
    click.action.actionId = 130;
    vorlane.sendMessage((HostMessage*)&m);
    EXPECT_EQ(delivered.size(), 2u);
    EXPECT_EQ(vorlane.countSent(10103), 2);
    // Sending to another plug-in finds nobody; to this one, it is delivered.
    EXPECT_EQ(vorlane.sendMessageTo(5, (HostMessage*)&m), 0);
    EXPECT_NE(vorlane.lastError(), 0);
    EXPECT_EQ(vorlane.sendMessageTo(vorlane.pluginId(), (HostMessage*)&m), 1);
    EXPECT_EQ(vorlane.lastError(), 0);
}

TEST(StandInHost, BoundControlsReadAndWriteTheirColumns) {
    StandInHost vorlane;
    vorlane.setConfig(774110, std::string("zielona"));
    uint8_t info[74] = {};
    info[0] = 74;
    int32_t action = 0x110BCFDE;
    memcpy(info + 2, &action, 4);
    char buffer[4];
    char* text = buffer;
    int32_t capacity = sizeof(buffer);
    memcpy(info + 50, &text, 4);
    memcpy(info + 54, &capacity, 4);
    HostMessage2 read = call(10106, (intptr_t)info, 0);
    EXPECT_EQ(vorlane.sendMessage((HostMessage*)&read), 1);
    EXPECT_STREQ(buffer, "zie");  // bounded by the capacity
    const char* list = "niebieska\r\nzielona";
    memcpy(info + 50, &list, 4);
    HostMessage2 setText = call(10108, (intptr_t)info, 0);
    vorlane.sendMessage((HostMessage*)&setText);
    EXPECT_EQ(vorlane.controlTexts[action], list);
    const char* value = "niebieska";
    memcpy(info + 50, &value, 4);
    HostMessage2 setValue = call(10110, (intptr_t)info, 0);
    vorlane.sendMessage((HostMessage*)&setValue);
    EXPECT_EQ(vorlane.configTextValue(774110), "niebieska");
    EXPECT_EQ(vorlane.lastSent(10110)->p1Text, "niebieska");
}

TEST(StandInHost, HostTextStaysValidUntilItsCellChanges) {
    StandInHost vorlane;
    vorlane.setConfig(774110, std::string("a"));
    vorlane.setConfig(774115, std::string("b"));
    HostValue v = {VALUE_TEXT, 0, 0};
    vorlane.getValue(configTable, 0, 774110, &v);
    const char* a = (const char*)v.value;
    HostValue w = {VALUE_TEXT, 0, 0};
    vorlane.getValue(configTable, 0, 774115, &w);
    EXPECT_STREQ(a, "a");
    EXPECT_STREQ((const char*)w.value, "b");
    EXPECT_EQ(vorlane.getValue(configTable, 0, 774110, nullptr), 0);
    // Icon identifiers get one stable index each.
    int first = vorlane.iconIndex(0x40A00400);
    EXPECT_EQ(vorlane.iconIndex(0x50000010), first + 1);
    EXPECT_EQ(vorlane.iconIndex(0x40A00400), first);
    EXPECT_NE(StandInHost::iconColour(0x40A00400), StandInHost::iconColour(0x50000010));
}

// The control object's table is the closed host's binary contract: each
// operation must sit in its documented slot and take thiscall arguments.
TEST(StandInHost, OperationsSitInTheirSlotsOfTheTable) {
    typedef int(__attribute__((thiscall)) * NoArgs)(void*);
    typedef int(__attribute__((thiscall)) * OneInt)(void*, int);
    typedef int(__attribute__((thiscall)) * TwoInts)(void*, int, int);
    typedef int(__attribute__((thiscall)) * Message)(void*, HostMessage*);
    typedef int(__attribute__((thiscall)) * MessageTo)(void*, int, HostMessage*);
    typedef int(__attribute__((thiscall)) * Cell)(void*, int, int, int, HostValue*);

    StandInHost vorlane;
    HostControl* control = &vorlane;
    void** slots = *(void***)control;
    EXPECT_EQ(((NoArgs)slots[1])(control), vorlane.pluginId());
    vorlane.attachPlugin(fakePlugin, (HINSTANCE)0x10000);
    EXPECT_EQ((HINSTANCE)(intptr_t)((NoArgs)slots[3])(control), (HINSTANCE)0x10000);
    ((OneInt)slots[5])(control, 7);
    EXPECT_EQ(vorlane.errors, std::vector<int>{7});

    HostMessage2 unknown = call(99999, 0, 0);
    EXPECT_EQ(((Message)slots[7])(control, (HostMessage*)&unknown), 0);
    EXPECT_NE(((NoArgs)slots[4])(control), 0);  // nobody answered
    EXPECT_EQ(vorlane.lastSent(99999)->plugin, -1);
    delivered.clear();
    EXPECT_EQ(((MessageTo)slots[8])(control, vorlane.pluginId(), (HostMessage*)&unknown), 1);
    EXPECT_EQ(((NoArgs)slots[4])(control), 0);
    EXPECT_EQ(delivered.size(), 1u);

    EXPECT_EQ(((OneInt)slots[16])(control, 0), 0);    // this is the main thread
    EXPECT_EQ(((TwoInts)slots[17])(control, 0, 1), 0);  // nothing being handled
    EXPECT_EQ(vorlane.recalls, 1);

    HostValue v = {VALUE_INT, 1234, 0};
    ((Cell)slots[22])(control, configTable, 0, 774122, &v);
    EXPECT_EQ(vorlane.configIntValue(774122), 1234);
    HostValue r = {VALUE_INT, 0, 0};
    ((Cell)slots[21])(control, configTable, 0, 774122, &r);
    EXPECT_EQ(r.value, 1234);
    vorlane.unloadPlugin();
}
