// Shared by the DevIL bridge tests: the library set up as the plug-in sets
// it up, pictures written into a temporary folder, and loading helpers.
#pragma once
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <gtest/gtest.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "support/win_helpers.h"

// A picture whose every pixel differs (0xAARRGGBB), with alpha values that
// vary too, so a swapped channel, a flipped row or a wrong stride shows.
std::vector<uint32_t> testPicture(int width, int height);

class DevilTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Loads as the plug-in does: origin set to upper-left (unless
    // upperLeft is false, then the file's own origin), BGRA format mode.
    bool load(const std::string& path, bool upperLeft = true);
    // Writes testPicture(width, height) into the temporary folder as `name`
    // (a BMP when the name ends in ".bmp", else a PNG) and returns it.
    std::vector<uint32_t> pictureFile(const std::string& name, int width, int height);
    // The bound image's pixels via ilGetData, as 0xAARRGGBB, storage order.
    std::vector<uint32_t> data();

    TempDir dir;
    ILuint image = 0;
};

// The bytes of a DIB section, as 0xAARRGGBB, first row in memory first.
std::vector<uint32_t> dibBytes(HBITMAP bitmap);
