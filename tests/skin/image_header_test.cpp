// Skin images whose headers lie about their size: in each format the header
// reader knows, a small true picture loads, while a side over 16384 pixels,
// a picture over 256 MB, or (uncompressed) pixel data the file does not
// hold is refused before the image library sees it, with the loader's
// message and the default look.
#include <IL/il.h>
#include <string.h>
#include "skin_fixture.h"
#include "contract/config_columns.h"
#include "skin/image_header.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "window/notify_window.h"

namespace {
std::string le16(unsigned v) { return {(char)v, (char)(v >> 8)}; }
std::string le32(uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }
std::string be16(unsigned v) { return {(char)(v >> 8), (char)v}; }
std::string be32(uint32_t v) { return be16(v >> 16) + be16(v & 0xFFFF); }
std::string zeros(size_t n) { return std::string(n, '\0'); }
const size_t WHOLE = (size_t)-1;
const char BAD_IMAGE[] = "Nie powiodło się wczytanie pliku graficznego";  // all the pixel data the header promises

// Each builder makes a w x h picture of one colour, or only its header
// (and `data` bytes) when the picture would be too large to write.
std::string bmp(uint32_t w, uint32_t h, unsigned bits = 24, size_t data = WHOLE) {
    size_t whole = ((w * bits + 31) / 32 * 4) * (size_t)h;
    std::string px(data == WHOLE ? whole : data, '\x40');
    return "BM" + le32(54 + px.size()) + le32(0) + le32(54) + le32(40) + le32(w) + le32(h) + le16(1) +
           le16(bits) + zeros(24) + px;
}
std::string tga(unsigned w, unsigned h, size_t data = WHOLE) {
    std::string px(data == WHOLE ? w * h * 3 : data, '\x40');
    return std::string("\0\0\x02", 3) + zeros(9) + le16(w) + le16(h) + "\x18\x20" + px;
}
std::string pcx(unsigned w, unsigned h) {
    unsigned line = (w + 1) / 2 * 2;
    std::string header = std::string("\x0A\x05\x01\x08", 4) + le32(0) + le16(w - 1) + le16(h - 1) + le16(72) +
                         le16(72) + zeros(49) + "\x03" + le16(line) + le16(1) + zeros(58);
    // Bytes below 0xC0 stand for themselves in the run-length code.
    return header + std::string((size_t)line * 3 * (h < 64 ? h : 0), '\x40');
}
std::string ico(uint32_t w, uint32_t h, size_t data = WHOLE) {
    size_t whole = (size_t)w * h * 4 + ((w + 31) / 32 * 4) * (size_t)h;
    std::string px(data == WHOLE ? whole : data, '\0');
    std::string dib = le32(40) + le32(w) + le32(2 * h) + le16(1) + le16(32) + zeros(24) + px;
    return le16(0) + le16(1) + le16(1) + std::string{(char)w, (char)h, 0, 0} + le16(1) + le16(32) +
           le32(dib.size()) + le32(22) + dib;
}
std::string psd(uint32_t w, uint32_t h, size_t data = WHOLE) {
    std::string px(data == WHOLE ? (size_t)w * h * 3 : data, '\x40');
    return "8BPS" + be16(1) + zeros(6) + be16(3) + be32(h) + be32(w) + be16(8) + be16(3) + zeros(12) + be16(0) + px;
}
std::string tiff(uint32_t w, uint32_t h, size_t data = WHOLE) {
    size_t whole = (size_t)w * h * 3;
    std::string px(data == WHOLE ? whole : data, '\x40');
    auto entry = [](unsigned tag, unsigned type, uint32_t value) {
        return le16(tag) + le16(type) + le32(1) + (type == 3 ? le16(value) + le16(0) : le32(value));
    };
    std::string ifd = le16(10) + entry(256, 4, w) + entry(257, 4, h) + le16(258) + le16(3) + le32(3) + le32(134) +
                      entry(259, 3, 1) + entry(262, 3, 2) + entry(273, 4, 140) + entry(277, 3, 3) +
                      entry(278, 4, h) + entry(279, 4, (uint32_t)whole) + entry(284, 3, 1) + le32(0);
    return "II*" + zeros(1) + le32(8) + ifd + le16(8) + le16(8) + le16(8) + px;
}
// Two colours; every pixel code follows a clear code, so codes stay 3 bits.
std::string gif(unsigned w, unsigned h) {
    std::string head = "GIF89a" + le16(w) + le16(h) + "\x80" + zeros(2) + "\x40\x40\x40\xff\xff\xff";
    std::string frame = "\x2C" + le32(0) + le16(w) + le16(h) + zeros(1) + "\x02";
    if ((size_t)w * h > 4096) return head + frame + std::string("\0\x3B", 2);
    std::string coded;
    uint32_t bits = 0, count = 0;
    auto put = [&](unsigned code) {
        bits |= code << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8) coded += (char)(bits & 0xFF);
    };
    for (size_t i = 0; i < (size_t)w * h; i++) put(4), put(1);
    put(5);
    if (count) coded += (char)bits;
    std::string blocks;
    for (size_t at = 0; at < coded.size(); at += 255) {
        std::string part = coded.substr(at, 255);
        blocks += (char)part.size() + part;
    }
    return head + frame + blocks + std::string("\0\x3B", 2);
}
std::string pngHeader(uint32_t w, uint32_t h) {
    return "\x89PNG\r\n\x1a\n" + be32(13) + "IHDR" + be32(w) + be32(h) + "\x08\x06" + zeros(3) + zeros(4);
}
std::string jpegHeader(unsigned w, unsigned h) {
    return std::string("\xFF\xD8\xFF\xE0", 4) + be16(4) + "JF" + "\xFF\xC0" + be16(11) + "\x08" + be16(h) + be16(w) +
           "\x01\x01\x11" + zeros(1) + "\xFF\xD9";
}

struct Case {
    const char* name;  // file name, its extension naming the format
    std::string bytes;
};

class ImageHeaderTest : public SkinTest {
protected:
    TempDir dir;
    MessageBoxCatcher boxes;
    void SetUp() override {
        SkinTest::SetUp();
        stand.setConfig(COL_DIRECTORY, dir.path);
        stand.setConfig(COL_SKIN, std::string("lie"));
    }
    std::string path(const Case& c) {
        dir.write(c.name, c.bytes);
        return dir.file(c.name);
    }
    // Loads `name` as the skin's background; true when the picture came in
    // at w x h without any message.
    bool loadsAs(const char* name, int w, int h) {
        writeSkin(dir, "lie",
                  std::string("[background]\nfile=") + name + "\n[sizing]\nleft=0\nright=0\ntop=0\nbottom=0\n");
        boxes.boxes.clear();
        int result = LoadSkin();
        bool loaded = result == 1 && skin.skinBitmap && skin.bitmapWidth == w && skin.bitmapHeight == h &&
                      boxes.boxes.empty();
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
        return loaded;
    }
    // Refused through the loader: the one message, then the default look.
    bool fallsBack(const char* name) {
        writeSkin(dir, "lie", std::string("[background]\nfile=") + name + "\n[margins]\nleft=9\n");
        boxes.boxes.clear();
        int result = LoadSkin();
        bool back = result == 0 && !skin.skinBitmap && skin.marginLeft == 4 && notificationWindow &&
                    boxes.boxes.size() == 1 && boxes.boxes[0].text == BAD_IMAGE;
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
        return back;
    }
};

std::string savedJpeg(const TempDir& dir, int w, int h) {
    std::vector<uint8_t> rgb((size_t)w * h * 3, 0x40);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(w, h, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, rgb.data());
    ilEnable(IL_FILE_OVERWRITE);
    bool saved = ilSaveImage(dir.file("real.jpg").c_str());
    ilDeleteImages(1, &image);
    return saved ? dir.file("real.jpg") : "";
}
}  // namespace

TEST_F(ImageHeaderTest, TruePicturesOfEveryKnownFormatPassAndLoad) {
    writePng(dir.file("real.png"), 7, 5, solid(7, 5, 0xFF336699));
    ASSERT_FALSE(savedJpeg(dir, 7, 5).empty());
    Case cases[] = {{"real.bmp", bmp(7, 5)}, {"real.tga", tga(7, 5)},  {"real.pcx", pcx(7, 5)},
                    {"real.ico", ico(7, 5)}, {"real.psd", psd(7, 5)},  {"real.tif", tiff(7, 5)},
                    {"real.gif", gif(7, 5)}, {"real.png", ""},         {"real.jpg", ""}};
    for (const Case& c : cases) {
        if (!c.bytes.empty()) path(c);
        EXPECT_TRUE(ImageHeaderAcceptable(dir.file(c.name).c_str())) << c.name;
        // This build of the library decodes no GIF at all, however small.
        if (strcmp(c.name, "real.gif")) {
            EXPECT_TRUE(loadsAs(c.name, 7, 5)) << c.name;
        }
    }
    // The limits themselves are allowed: 16384 x 4096 is exactly 256 MB.
    for (const Case& c : {Case{"edge.png", pngHeader(16384, 4096)}, Case{"edge.gif", gif(4096, 16384)},
                          Case{"edge.jpg", jpegHeader(16384, 1)}})
        EXPECT_TRUE(ImageHeaderAcceptable(path(c).c_str())) << c.name;
}

// A skin author's image editor holds the picture open for writing while the
// plug-in loads it: the bytes are read at once, so it loads all the same.
TEST_F(ImageHeaderTest, APictureHeldOpenForWritingLoads) {
    writePng(dir.file("open.png"), 7, 5, solid(7, 5, 0xFF336699));
    HANDLE editor = CreateFileA(dir.file("open.png").c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(loadsAs("open.png", 7, 5)) << (boxes.boxes.empty() ? "" : boxes.boxes[0].text);
    CloseHandle(editor);
}

TEST_F(ImageHeaderTest, LyingHeadersAreRefusedBeforeTheImageLibrary) {
    Case cases[] = {
        // The two headers that crash the library: 118 bytes each.
        {"wide.bmp", bmp(100000, 100000, 24, 64)},
        {"long.bmp", bmp(0x40000001, 4, 32, 64)},
        {"side.bmp", bmp(16385, 1, 24)},
        {"area.bmp", bmp(16384, 4097, 8, 64)},
        {"short.bmp", bmp(64, 64, 24, 6000)},
        {"side.tga", tga(16385, 1)},
        {"area.tga", tga(16384, 16384, 64)},
        {"short.tga", tga(64, 64, 6000)},
        {"side.pcx", pcx(16385, 1)},
        {"area.pcx", pcx(16384, 16384)},
        {"side.ico", ico(16385, 1, 64)},
        {"area.ico", ico(16384, 16384, 64)},
        {"short.ico", ico(64, 64, 6000)},
        {"side.psd", psd(16385, 1, 64)},
        {"area.psd", psd(16384, 16384, 64)},
        {"short.psd", psd(64, 64, 6000)},
        {"side.tif", tiff(16385, 1, 64)},
        {"area.tif", tiff(16384, 16384, 64)},
        {"short.tif", tiff(64, 64, 6000)},
        {"side.gif", gif(16385, 1)},
        {"area.gif", gif(16384, 16384)},
        {"side.png", pngHeader(16385, 1)},
        {"area.png", pngHeader(16384, 4097)},
        {"side.jpg", jpegHeader(16385, 1)},
        {"area.jpg", jpegHeader(16384, 16384)},
        // Without a known extension the content names the format.
        {"wide.img", bmp(100000, 100000, 24, 64)},
        {"empty.gif", ""},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ImageHeaderAcceptable(path(c).c_str())) << c.name;
        EXPECT_TRUE(fallsBack(c.name)) << c.name;
    }
    // The skin's own bitmap, read without the image library, is held to the same.
    dir.write("lie.bmp", bmp(100000, 100000, 24, 64));
    writeSkin(dir, "lie", "[margins]\nleft=9\n");
    boxes.boxes.clear();
    EXPECT_EQ(LoadSkin(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, BAD_IMAGE);
}
