// The definition file reader: line rules, values, field cuts, the 1024-byte
// limit, its two messages, and the fonts made from face and size.
#include <limits.h>
#include <string.h>
#include "skin_fixture.h"
#include "skin/skin.h"

namespace {

class SkinFileTest : public SkinTest {
protected:
    void parse(const char* section, const char* line) {
        lstrcpynA(currentSection, section, sizeof(currentSection));
        std::vector<char> buffer(line, line + strlen(line) + 1);
        ParseSkinLine(buffer.data(), &skin);
    }
    int readText(const std::string& text) {
        dir.write("look.ini", text);
        return ReadSkinFile(dir.file("look.ini").c_str(), &skin);
    }
    TempDir dir;
};

TEST_F(SkinFileTest, BlanksAroundKeyAndValueAreDroppedButOnlySpacesAreBlank) {
    parse("font", "  size  =  9  ");
    EXPECT_EQ(9, skin.fontSize);
    parse("font", "size=");
    parse("font", "size");
    parse("font", "size =   ");
    parse("font", "= 12");
    EXPECT_EQ(9, skin.fontSize);
    parse("font", "\tsize=14");  // a tab belongs to the key
    EXPECT_EQ(9, skin.fontSize);
    parse("margins", "left=1=2");  // the value may hold "="
    EXPECT_EQ(1, skin.marginLeft);
    parse("font", "face=a=b");
    EXPECT_STREQ("a=b", skin.fontFace);
}

TEST_F(SkinFileTest, SectionsAndCommentsCountOnlyInTheFirstColumn) {
    parse("global", "[font] extra");
    EXPECT_STREQ("font", currentSection);
    parse("global", "[ font ]");
    EXPECT_STREQ(" font ", currentSection);
    parse(" font ", "size=20");
    EXPECT_EQ(8, skin.fontSize);
    parse("global", "[icon");
    EXPECT_STREQ("icon", currentSection);
    parse("font", " [margins]");  // a key line without "=": ignored, section unchanged
    EXPECT_STREQ("font", currentSection);

    parse("margins", "#left=9");
    parse("margins", ";left=9");
    parse("margins", " #left=9");  // key '#left', unknown
    EXPECT_EQ(4, skin.marginLeft);
    parse("margins", " left=9");
    EXPECT_EQ(9, skin.marginLeft);
}

TEST_F(SkinFileTest, NamesAndWordsAreCaseSensitive) {
    parse("Font", "size=20");
    parse("font", "Size=20");
    parse("font", "bold=On");
    parse("sizing", "type=Tile");
    EXPECT_EQ(8, skin.fontSize);
    EXPECT_FALSE(skin.fontBold);
    EXPECT_EQ(0, skin.sizingType);
    parse("sizing", "type=tile");
    EXPECT_EQ(1, skin.sizingType);
    parse("sizing", "type=none");
    EXPECT_EQ(1, skin.sizingType);
    parse("sizing", "type=stretch");
    EXPECT_EQ(0, skin.sizingType);
}

TEST_F(SkinFileTest, IntegersReadLikeAtoi) {
    parse("margins", "left=12abc");
    parse("margins", "top=abc");
    parse("margins", "right=-3");
    parse("margins", "bottom=+7");
    parse("sizing", "left=99999999999");  // saturates instead of wrapping
    parse("sizing", "right=-99999999999");
    EXPECT_EQ(12, skin.marginLeft);
    EXPECT_EQ(0, skin.marginTop);
    EXPECT_EQ(-3, skin.marginRight);
    EXPECT_EQ(7, skin.marginBottom);
    EXPECT_EQ(INT_MAX, skin.sizingLeft);
    EXPECT_EQ(INT_MIN, skin.sizingRight);
    parse("font", "line=6");
    parse("icon", "space=11");
    EXPECT_EQ(6, skin.lineSpacing);
    EXPECT_EQ(11, skin.iconSpace);
}

TEST_F(SkinFileTest, SwitchesOnlyTurnOnAndWordsOutsideTheirListLeaveTheField) {
    parse("background", "transparent=off");
    parse("background", "transparent=yes");
    EXPECT_FALSE(skin.transparent);
    parse("background", "transparent=true");
    EXPECT_TRUE(skin.transparent);
    parse("background", "transparent=off");
    EXPECT_TRUE(skin.transparent);

    parse("background", "mask=alpha");
    EXPECT_EQ(2, skin.maskType);
    parse("background", "mask=colour");
    EXPECT_EQ(2, skin.maskType);
    parse("background", "mask=color");
    EXPECT_EQ(1, skin.maskType);

    parse("font", "style=bold");
    EXPECT_FALSE(skin.shadowStyle);
    parse("font", "style=shadow");
    EXPECT_TRUE(skin.shadowStyle);
    parse("font", "bold=on");
    EXPECT_TRUE(skin.fontBold);
    parse("font", "align=middle");
    EXPECT_EQ(0, skin.textAlign);
    parse("font", "align=right");
    EXPECT_EQ(2, skin.textAlign);
    parse("font", "align=center");
    EXPECT_EQ(1, skin.textAlign);

    parse("icon", "display=right");
    EXPECT_EQ(2, skin.iconDisplay);
    parse("icon", "display=Left");  // any other word means no icon
    EXPECT_EQ(0, skin.iconDisplay);
    parse("icon", "display=left");
    EXPECT_EQ(1, skin.iconDisplay);
    parse("icon", "display=none");
    EXPECT_EQ(0, skin.iconDisplay);
}

TEST_F(SkinFileTest, ColoursAreSixHexDigitsRedGreenBlue) {
    EXPECT_EQ(0x000080FFu, ParseColor("FF8000"));
    EXPECT_EQ(0x00563412u, ParseColor("123456"));
    EXPECT_EQ(0x00ABCDEFu, ParseColor("efcdab"));
    EXPECT_EQ(0x00000056u, ParseColor("12zz56"));  // reading stops at 'z'
    EXPECT_EQ(0u, ParseColor("F80"));              // too short to read at all
    EXPECT_EQ(0u, ParseColor(nullptr));

    parse("font", "color=FF8000");
    EXPECT_EQ(0x000080FFu, skin.fontColor);
    parse("font", "color=F80");
    parse("font", "color=FF80001");
    EXPECT_EQ(0x000080FFu, skin.fontColor);
    parse("font", "shadow=00FF00");
    EXPECT_EQ(0x0000FF00u, skin.shadowColor);
}

TEST_F(SkinFileTest, OverlongValuesAreCutToTheirFields) {
    std::string file(300, 'f'), face(40, 'a'), section(300, 's');
    parse("background", ("file=" + file).c_str());
    EXPECT_EQ(file.substr(0, 259), skin.backgroundFile);
    parse("font", ("face=" + face).c_str());
    EXPECT_EQ(face.substr(0, 31), skin.fontFace);
    parse("global", ("[" + section + "]").c_str());
    EXPECT_EQ(section.substr(0, 255), currentSection);
}

TEST_F(SkinFileTest, EveryFontLineRemakesTheFourFontsFromFaceAndSize) {
    HFONT before = skin.normalFont;
    ASSERT_NE(nullptr, before);
    parse("font", "unknown=1");  // not a known key, still remakes
    EXPECT_EQ(0u, GetObjectType(before)) << "the old font was deleted";
    parse("margins", "left=1");
    HFONT kept = skin.normalFont;
    EXPECT_NE(0u, GetObjectType(kept));
    parse("font", "face=Arial");
    parse("font", "size=12");

    HDC screen = GetDC(nullptr);
    int expectedHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    struct { HFONT font; LONG weight; BYTE underline; } fonts[] = {
        {skin.normalFont, 400, 0}, {skin.underlineFont, 400, 1},
        {skin.boldUnderlineFont, 700, 1}, {skin.boldFont, 700, 0}};
    for (auto& f : fonts) {
        LOGFONTA lf;
        ASSERT_EQ((int)sizeof(lf), GetObjectA(f.font, sizeof(lf), &lf));
        EXPECT_EQ(expectedHeight, lf.lfHeight);
        EXPECT_EQ(f.weight, lf.lfWeight);
        EXPECT_EQ(f.underline, lf.lfUnderline);
        EXPECT_EQ(EASTEUROPE_CHARSET, lf.lfCharSet);  // the letters of 1250 texts
        EXPECT_STREQ("Arial", lf.lfFaceName);
    }
}

TEST_F(SkinFileTest, FileIsReadUpToByte1024AfterCrLfBecameLf) {
    // Padding comments of 99 characters plus CR LF: 10 of them are 1010 raw
    // bytes, 1000 once read in text mode.
    std::string pad;
    for (int i = 0; i < 10; i++) pad += "#" + std::string(98, 'x') + "\r\n";
    EXPECT_EQ(0, readText("[margins]\r\n" + pad + "top=7\r\n"));  // ends near byte 1018
    EXPECT_EQ(7, skin.marginTop);

    // Plain LF: the line crossing byte 1024 is read up to the cut, the rest ignored.
    std::string lf;
    for (int i = 0; i < 10; i++) lf += "#" + std::string(98, 'x') + "\n";  // 1000 bytes
    std::string head = "[font]\n" + lf;                                    // 1007 bytes
    head += "#" + std::string(1024 - head.size() - 9, 'y') + "\n";        // up to byte 1017
    head += "size=123\n";                                                  // cut after "size=12"
    head += "line=9\n" + std::string(400, '#');
    ASSERT_GT(head.size(), 1400u);
    EXPECT_EQ(0, readText(head));
    EXPECT_EQ(12, skin.fontSize);
    EXPECT_EQ(4, skin.lineSpacing);
}

TEST_F(SkinFileTest, LastLineNeedsNoLineEndAndLaterLinesOverride) {
    EXPECT_EQ(0, readText("[margins]\nleft=5\nleft=6\n[icon]\nspace=9"));
    EXPECT_EQ(6, skin.marginLeft);
    EXPECT_EQ(9, skin.iconSpace);
    // A zero byte ends a line like a line feed.
    EXPECT_EQ(0, readText(std::string("[margins]\nright=3", 17) + std::string("\0top=8\n", 7)));
    EXPECT_EQ(3, skin.marginRight);
    EXPECT_EQ(8, skin.marginTop);
}

TEST_F(SkinFileTest, LinesBeforeTheFirstHeaderBelongToNoSection) {
    EXPECT_EQ(0, readText("[margins]\nleft=5\n"));
    EXPECT_EQ(0, readText("left=9\n[icon]\nspace=2\n"));
    EXPECT_EQ(5, skin.marginLeft) << "the previous file's section must not carry over";
    EXPECT_EQ(2, skin.iconSpace);
}

TEST_F(SkinFileTest, MissingEmptyAndReadableFiles) {
    MessageBoxCatcher boxes;
    EXPECT_EQ(1, ReadSkinFile(dir.file("absent.ini").c_str(), &skin));
    EXPECT_EQ(1, ReadSkinFile(nullptr, &skin));
    EXPECT_TRUE(boxes.boxes.empty());

    EXPECT_EQ(1, readText(""));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Zerowa długość pliku konfiguracji skórki", boxes.boxes[0].text);
    EXPECT_EQ("Zinglet", boxes.boxes[0].caption);
    EXPECT_EQ((UINT)MB_ICONERROR, boxes.boxes[0].style & MB_ICONMASK);
    EXPECT_EQ(nullptr, boxes.boxes[0].owner);

    EXPECT_EQ(0, readText("# nothing but a comment"));
    EXPECT_EQ(1u, boxes.boxes.size());

    // A file of 2,000,000,000 bytes (sparse, nothing written): no 32-bit
    // process gets a buffer that large.
    std::string huge = dir.file("huge.ini");
    HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER end;
    end.QuadPart = 2000000000;
    BOOL sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(sized);
    EXPECT_EQ(1, ReadSkinFile(huge.c_str(), &skin));
    DeleteFileA(huge.c_str());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("Plik konfiguracji skórki zbyt duży", boxes.boxes[1].text);
    EXPECT_EQ("Zinglet", boxes.boxes[1].caption);
    EXPECT_EQ((UINT)MB_ICONERROR, boxes.boxes[1].style & MB_ICONMASK);
}

}  // namespace
