#include "devil_fixture.h"

std::vector<uint32_t> testPicture(int width, int height) {
    std::vector<uint32_t> px((size_t)width * height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint32_t a = (uint32_t)(x * 40 + y * 7 + 15) & 0xFF;
            uint32_t r = (uint32_t)(x * 11) & 0xFF;
            uint32_t g = (uint32_t)(y * 13) & 0xFF;
            uint32_t b = (uint32_t)(255 - x - y * 3) & 0xFF;
            px[(size_t)y * width + x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    return px;
}

void DevilTest::SetUpTestSuite() {
    ilInit();
    iluInit();
    ilutRenderer(ILUT_WIN32);
}

void DevilTest::SetUp() {
    while (ilGetError() != IL_NO_ERROR) {
    }
    ilGenImages(1, &image);
    ilBindImage(image);
}

void DevilTest::TearDown() {
    ilDeleteImages(1, &image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
}

bool DevilTest::load(const std::string& path, bool upperLeft) {
    if (upperLeft) {
        ilEnable(IL_ORIGIN_SET);
        ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    } else {
        ilDisable(IL_ORIGIN_SET);
    }
    ilEnable(IL_FORMAT_SET);
    ilSetInteger(IL_FORMAT_MODE, IL_BGRA);
    if (ilLoadImage(path.c_str()) != IL_TRUE) return false;
    return ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE) == IL_TRUE;
}

std::vector<uint32_t> DevilTest::pictureFile(const std::string& name, int width, int height) {
    std::vector<uint32_t> picture = testPicture(width, height);
    bool bmp = name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
    if (bmp)
        writeBmp(dir.file(name), width, height, picture);
    else
        writePng(dir.file(name), width, height, picture);
    return picture;
}

std::vector<uint32_t> DevilTest::data() {
    size_t count = (size_t)ilGetInteger(IL_IMAGE_WIDTH) * ilGetInteger(IL_IMAGE_HEIGHT);
    std::vector<uint32_t> px(count);
    const ILubyte* bytes = ilGetData();
    if (!bytes) return {};
    memcpy(px.data(), bytes, count * 4);
    return px;
}

std::vector<uint32_t> dibBytes(HBITMAP bitmap) {
    DIBSECTION ds = {};
    if (GetObjectA(bitmap, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return {};
    std::vector<uint32_t> px((size_t)ds.dsBm.bmWidth * ds.dsBm.bmHeight);
    memcpy(px.data(), ds.dsBm.bmBits, px.size() * 4);
    return px;
}
