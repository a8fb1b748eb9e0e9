// The plug-in's own code attached in-process to a stand-in host that has
// run the start-up and the column declarations.
#pragma once
#include <gtest/gtest.h>
#include "contract/plugin_state.h"
#include "host/double/stand_in_host.h"
#include "core/entry.h"

class PluginTest : public ::testing::Test {
protected:
    StandInHost vorlane;
    void SetUp() override {
        vorlane.attachPlugin(IMessageProc, GetModuleHandleA(nullptr));
        ASSERT_EQ(vorlane.start(), 1);
        ASSERT_EQ(vorlane.declareColumns(), 1);
        vorlane.clearRecords();
    }
    // Delivers a record of any size and shape.
    template <class T> int deliver(T& record) { return vorlane.deliver((HostMessage*)&record); }
};
