// ilLoadImage through the bridge: Windows paths of every kind reach the Linux
// library as the right file, and bad paths or files are refused cleanly;
// ilLoadL and ilSaveL carry pictures in memory.
#include <stdio.h>
#include <string.h>
#include "devil_fixture.h"

using LoadTest = DevilTest;

TEST_F(LoadTest, PngWithAlphaKeepsEveryPixelTopRowFirst) {
    const int w = 7, h = 5;
    std::vector<uint32_t> picture = pictureFile("alpha.png", w, h);
    ASSERT_TRUE(load(dir.file("alpha.png")));
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), w);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), h);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL), 4);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_FORMAT), IL_BGRA);
    // Bytes B, G, R, A read as a little-endian word give 0xAARRGGBB.
    EXPECT_EQ(data(), picture);
    const ILubyte* bytes = ilGetData();
    ASSERT_NE(bytes, nullptr);
    uint32_t first = picture[0];
    EXPECT_EQ(bytes[0], first & 0xFF);
    EXPECT_EQ(bytes[1], (first >> 8) & 0xFF);
    EXPECT_EQ(bytes[2], (first >> 16) & 0xFF);
    EXPECT_EQ(bytes[3], first >> 24);
}

TEST_F(LoadTest, BmpRowsComeTopFirstWithTheOriginSet) {
    // An odd width makes the file's rows padded; BMP stores the bottom row first.
    const int w = 5, h = 3;
    std::vector<uint32_t> picture = pictureFile("plain.bmp", w, h);
    ASSERT_TRUE(load(dir.file("plain.bmp")));
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), w);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), h);
    std::vector<uint32_t> opaque = picture;
    for (uint32_t& p : opaque) p |= 0xFF000000;  // 24-bit file: no alpha
    EXPECT_EQ(data(), opaque);
}

TEST_F(LoadTest, RelativeAndUnusualPathsReachTheSameFile) {
    const int w = 3, h = 2;
    std::vector<uint32_t> picture = testPicture(w, h);
    CreateDirectoryA(dir.file("sub dir").c_str(), nullptr);
    std::string nested = dir.file("sub dir\\sk\xf3rka.png");  // space and a CP1250 letter
    writePng(nested, w, h, picture);

    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof(previous), previous);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path.c_str()));
    bool relative = load("sub dir\\sk\xf3rka.png");
    bool dotted = relative && data() == picture && load(".\\sub dir\\..\\sub dir\\sk\xf3rka.png");
    bool forward = dotted && data() == picture && load("sub dir/sk\xf3rka.png");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(relative);
    EXPECT_TRUE(dotted);
    EXPECT_TRUE(forward);
    EXPECT_EQ(data(), picture);

    // The extension decides the reader in any letter case.
    std::string upper = dir.file("LOUD.PNG");
    writePng(upper, w, h, picture);
    ASSERT_TRUE(load(upper));
    EXPECT_EQ(data(), picture);
}

TEST_F(LoadTest, BadPathsAndFilesAreRefusedAndLeaveTheLibraryWorking) {
    EXPECT_EQ(ilLoadImage(dir.file("missing.png").c_str()), IL_FALSE);
    EXPECT_NE(ilGetError(), (ILenum)IL_NO_ERROR);
    EXPECT_EQ(ilLoadImage("Q:\\no\\such\\drive.png"), IL_FALSE);
    EXPECT_EQ(ilLoadImage(nullptr), IL_FALSE);
    EXPECT_EQ(ilGetError(), (ILenum)IL_INVALID_PARAM);
    EXPECT_EQ(ilLoadImage(""), IL_FALSE);
    EXPECT_EQ(ilLoadImage(dir.path.c_str()), IL_FALSE);  // a folder

    std::string longName(5000, 'a');
    EXPECT_EQ(ilLoadImage((dir.path + "\\" + longName + ".png").c_str()), IL_FALSE);

    dir.write("broken.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(64, '\x5a'));
    EXPECT_EQ(ilLoadImage(dir.file("broken.png").c_str()), IL_FALSE);
    dir.write("empty.bmp", "");
    EXPECT_EQ(ilLoadImage(dir.file("empty.bmp").c_str()), IL_FALSE);
    dir.write("short.bmp", "BM\x10");
    EXPECT_EQ(ilLoadImage(dir.file("short.bmp").c_str()), IL_FALSE);

    // Null outputs are refused instead of written through.
    ilGenImages(1, nullptr);
    EXPECT_EQ(ilGetError(), (ILenum)IL_INVALID_PARAM);
    ilDeleteImages(1, nullptr);
    EXPECT_EQ(ilCopyPixels(0, 0, 0, 1, 1, 1, IL_BGRA, IL_UNSIGNED_BYTE, nullptr), 0u);

    while (ilGetError() != IL_NO_ERROR) {
    }
    std::vector<uint32_t> picture = pictureFile("fine.png", 4, 4);
    ASSERT_TRUE(load(dir.file("fine.png")));
    EXPECT_EQ(data(), picture);
}

// ilSaveImage takes a Windows path too: a picture made in memory and saved
// as PNG reads back with every pixel, alpha included. ilTexImage takes its
// rows bottom first (DevIL's own origin), whatever the origin mode.
TEST_F(LoadTest, SavedPngReadsBackWithEveryPixel) {
    const int w = 6, h = 4;
    std::vector<uint32_t> picture = testPicture(w, h);
    ILuint made = 0;
    ilGenImages(1, &made);
    ilBindImage(made);
    std::vector<uint32_t> bottomUp;
    for (int y = h - 1; y >= 0; y--) bottomUp.insert(bottomUp.end(), &picture[y * w], &picture[y * w] + w);
    ASSERT_TRUE(ilTexImage(w, h, 1, 4, IL_BGRA, IL_UNSIGNED_BYTE, bottomUp.data()));
    ilEnable(IL_FILE_OVERWRITE);
    std::string path = dir.file("saved.png");
    ASSERT_TRUE(ilSaveImage(path.c_str())) << ilGetError();
    ilDeleteImages(1, &made);
    EXPECT_FALSE(ilSaveImage(nullptr));
    EXPECT_EQ(ilGetError(), IL_INVALID_PARAM);
    ASSERT_TRUE(load(path));
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), w);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), h);
    EXPECT_EQ(data(), picture);
}

// The plug-in hands DevIL the file's bytes, whatever the file is named, and
// skin-preview takes its PNG back as bytes: both cross the bridge as they are.
TEST_F(LoadTest, BytesInMemoryLoadAndSaveWithoutAName) {
    const int w = 4, h = 3;
    std::vector<uint32_t> picture = pictureFile("bytes.png", w, h);
    std::string bytes;
    if (FILE* f = fopen(dir.file("bytes.png").c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, n);
        fclose(f);
    }
    ASSERT_FALSE(bytes.empty());
    // By the header alone, and as the PNG the name would have said.
    for (ILenum type : {(ILenum)IL_TYPE_UNKNOWN, (ILenum)IL_PNG}) {
        ASSERT_EQ(ilLoadL(type, bytes.data(), (ILuint)bytes.size()), IL_TRUE) << type;
        ASSERT_EQ(ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE), IL_TRUE);
        EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), w);
        EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), h);
    }
    EXPECT_EQ(ilLoadL(IL_TYPE_UNKNOWN, nullptr, 10), IL_FALSE);
    EXPECT_EQ(ilLoadL(IL_TYPE_UNKNOWN, bytes.data(), 0), IL_FALSE);
    EXPECT_EQ(ilLoadL(IL_TYPE_UNKNOWN, "not a picture", 13), IL_FALSE);

    const ILuint size = ilSaveL(IL_PNG, nullptr, 0);
    ASSERT_GT(size, 8u);
    std::vector<ILubyte> saved(size);
    ASSERT_EQ(ilSaveL(IL_PNG, saved.data(), size), size);
    EXPECT_EQ(memcmp(saved.data(), "\x89PNG", 4), 0);
    ASSERT_EQ(ilLoadL(IL_TYPE_UNKNOWN, saved.data(), size), IL_TRUE);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), w);
}
