// The fixture of the skin tests (tests/skin and tests/skin16).
#pragma once
#include <gtest/gtest.h>
#include "support/skin_scene.h"

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override { beginSkinScene(&stand); }
    void TearDown() override { endSkinScene(); }
    StandInHost stand;
};
