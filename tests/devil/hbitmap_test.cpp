// ilutConvertToHBitmap: the bound image as a GDI bitmap that the plug-in
// draws with and overwrites with SetBitmapBits.
#include "devil_fixture.h"

class HBitmapTest : public DevilTest {
protected:
    void TearDown() override {
        if (bitmap) DeleteObject(bitmap);
        if (screen) ReleaseDC(nullptr, screen);
        DevilTest::TearDown();
    }
    HBITMAP convert() {
        screen = GetDC(nullptr);
        bitmap = ilutConvertToHBitmap(screen);
        return bitmap;
    }
    HDC screen = nullptr;
    HBITMAP bitmap = nullptr;
};

TEST_F(HBitmapTest, PngBecomesA32BitTopDownDibWithItsAlpha) {
    const int w = 9, h = 6;
    std::vector<uint32_t> picture = pictureFile("alpha.png", w, h);
    ASSERT_TRUE(load(dir.file("alpha.png")));
    ASSERT_NE(convert(), nullptr);

    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(ds), &ds), (int)sizeof(ds));
    EXPECT_EQ(ds.dsBm.bmWidth, w);
    EXPECT_EQ(ds.dsBm.bmHeight, h);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(ds.dsBmih.biBitCount, 32);
    EXPECT_EQ(ds.dsBmih.biCompression, (DWORD)BI_RGB);
    // Top-down: memory holds bytes B, G, R, A, top row first.
    EXPECT_EQ(dibBytes(bitmap), picture);
    const unsigned char* bytes = (const unsigned char*)ds.dsBm.bmBits;
    uint32_t last = picture.back();
    const unsigned char* end = bytes + (w * h - 1) * 4;
    EXPECT_EQ(end[0], last & 0xFF);
    EXPECT_EQ(end[3], last >> 24);
    // GDI reads the same picture back.
    int rw = 0, rh = 0;
    EXPECT_EQ(readPixels(bitmap, &rw, &rh), picture);
    EXPECT_EQ(rw, w);
    EXPECT_EQ(rh, h);
}

TEST_F(HBitmapTest, BitmapIsUprightWhateverOriginTheImageIsStoredWith) {
    const int w = 5, h = 4;
    std::vector<uint32_t> picture = testPicture(w, h);
    std::vector<uint32_t> opaque = picture;
    for (uint32_t& p : opaque) p |= 0xFF000000;
    writeBmp(dir.file("rows.bmp"), w, h, picture);

    // Without the origin set, DevIL keeps BMP rows bottom first...
    ASSERT_TRUE(load(dir.file("rows.bmp"), false));
    ASSERT_EQ(ilGetInteger(IL_IMAGE_ORIGIN), IL_ORIGIN_LOWER_LEFT);
    std::vector<uint32_t> stored = data();
    ASSERT_EQ(stored.size(), opaque.size());
    EXPECT_EQ(stored[0], opaque[(size_t)(h - 1) * w]);
    // ...and the bitmap still shows the top row on top.
    ASSERT_NE(convert(), nullptr);
    EXPECT_EQ(dibBytes(bitmap), opaque);
    DeleteObject(bitmap);
    bitmap = nullptr;

    ASSERT_TRUE(load(dir.file("rows.bmp")));
    ASSERT_EQ(ilGetInteger(IL_IMAGE_ORIGIN), IL_ORIGIN_UPPER_LEFT);
    ASSERT_NE(convert(), nullptr);
    EXPECT_EQ(dibBytes(bitmap), opaque);
    EXPECT_EQ(dibBytes(bitmap), data());
}

TEST_F(HBitmapTest, SetBitmapBitsWithTopFirstRowsLandsWhereTheyBelong) {
    // The skin loader premultiplies its copy of ilGetData and writes it back
    // over the whole bitmap with SetBitmapBits.
    const int w = 6, h = 3;
    std::vector<uint32_t> picture = pictureFile("skin.png", w, h);
    ASSERT_TRUE(load(dir.file("skin.png")));
    ASSERT_NE(convert(), nullptr);
    std::vector<uint32_t> changed = data();
    for (uint32_t& p : changed) p ^= 0x00FFFFFF;
    ASSERT_EQ(SetBitmapBits(bitmap, (DWORD)(changed.size() * 4), changed.data()), (LONG)(changed.size() * 4));
    EXPECT_EQ(readPixels(bitmap), changed);
}

TEST_F(HBitmapTest, BitmapDrawsOnTheScreenDeviceContext) {
    const int w = 4, h = 4;
    std::vector<uint32_t> picture(w * h, 0xFF2080C0);
    picture[0] = 0xFF00FF00;
    writePng(dir.file("draw.png"), w, h, picture);
    ASSERT_TRUE(load(dir.file("draw.png")));
    ASSERT_NE(convert(), nullptr);

    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    HGDIOBJ oldTarget = SelectObject(target, canvas);
    EXPECT_TRUE(BitBlt(target, 0, 0, w, h, source, 0, 0, SRCCOPY));
    COLORREF corner = GetPixel(target, 0, 0);
    COLORREF other = GetPixel(target, 3, 3);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(canvas);
    EXPECT_EQ(rgbOf(corner), 0x00FF00u);
    EXPECT_EQ(rgbOf(other), 0x2080C0u);
}

TEST_F(HBitmapTest, EveryConversionIsAFreshBitmapOfTheBoundImage) {
    std::vector<uint32_t> a = pictureFile("a.png", 3, 3), b = pictureFile("b.png", 8, 2);
    ASSERT_TRUE(load(dir.file("a.png")));
    HBITMAP first = ilutConvertToHBitmap(nullptr);
    ILuint second = 0;
    ilGenImages(1, &second);
    ilBindImage(second);
    ASSERT_TRUE(load(dir.file("b.png")));
    HBITMAP other = ilutConvertToHBitmap(nullptr);
    ilDeleteImages(1, &second);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(first, other);
    EXPECT_EQ(dibBytes(first), a);
    EXPECT_EQ(dibBytes(other), b);
    DeleteObject(first);
    DeleteObject(other);
}

// An 8-bit BMP of the given palette indices (top row first) and palette
// entries (0x00RRGGBB).
static std::string paletteBmp(int width, int height, const std::vector<uint8_t>& indices,
                              const std::vector<uint32_t>& palette) {
    auto put16 = [](std::string& s, uint32_t v) { s += (char)(v & 0xFF); s += (char)(v >> 8); };
    auto put32 = [&](std::string& s, uint32_t v) { put16(s, v & 0xFFFF); put16(s, v >> 16); };
    int stride = (width + 3) & ~3;
    uint32_t offset = 54 + (uint32_t)palette.size() * 4;
    std::string s = "BM";
    put32(s, offset + stride * height); put32(s, 0); put32(s, offset);
    put32(s, 40); put32(s, width); put32(s, height);
    put16(s, 1); put16(s, 8); put32(s, 0); put32(s, stride * height);
    put32(s, 2835); put32(s, 2835); put32(s, (uint32_t)palette.size()); put32(s, 0);
    for (uint32_t c : palette) put32(s, c);
    for (int y = height - 1; y >= 0; y--) {
        std::string row((const char*)&indices[(size_t)y * width], width);
        row.resize(stride, 0);
        s += row;
    }
    return s;
}

TEST_F(HBitmapTest, ImagesLeftInTheirOwnFormatAreConvertedForTheBitmap) {
    const int w = 3, h = 2;
    // 24-bit BMP loaded without the format mode: kept as BGR, 3 bytes a pixel.
    std::vector<uint32_t> picture = pictureFile("bgr.bmp", w, h);
    ilDisable(IL_FORMAT_SET);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ASSERT_EQ(ilLoadImage(dir.file("bgr.bmp").c_str()), IL_TRUE);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL), 3);
    ASSERT_NE(convert(), nullptr);
    std::vector<uint32_t> opaque = picture;
    for (uint32_t& p : opaque) p |= 0xFF000000;
    EXPECT_EQ(dibBytes(bitmap), opaque);
    DeleteObject(bitmap);
    bitmap = nullptr;

    // 8-bit palette BMP: the bitmap shows the palette colours.
    std::vector<uint32_t> palette = {0x00102030, 0x00A0B0C0, 0x00FF0000};
    dir.write("indexed.bmp", paletteBmp(w, h, {0, 1, 2, 2, 1, 0}, palette));
    ASSERT_EQ(ilLoadImage(dir.file("indexed.bmp").c_str()), IL_TRUE);
    ASSERT_NE(convert(), nullptr);
    std::vector<uint32_t> expected = {0xFF102030, 0xFFA0B0C0, 0xFFFF0000,
                                      0xFFFF0000, 0xFFA0B0C0, 0xFF102030};
    EXPECT_EQ(dibBytes(bitmap), expected);
    // The bound image itself is not changed by the conversion.
    EXPECT_EQ(ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL), 1);
}
