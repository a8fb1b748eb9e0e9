// The plug-in in a Windows of another language. The same executable runs in
// the Polish locale (ANSI code page 1250), where it keeps the pictures it
// composes, and in the English (1252) and Russian (1251) ones, where every
// picture must be the one composed under 1250, and every box, path and skin
// list must be what it is there.
#include <gtest/gtest.h>
#include <stdio.h>
#include <algorithm>
#include <string>
#include <vector>
#include "contract/config_columns.h"
#include "core/plugin_fixture.h"
#include "polish_files.h"
#include "skin/paint.h"
#include "skin/skin.h"
#include "support/message_boxes.h"
#include "support/win_helpers.h"

namespace {
const int32_t DIRECTORY_FIELD = 0x110BCFE3, CHOOSER = 0x110BCFDE;
const char* const LOOKS[] = {"[brak]", "slate", "mint", "smoke"};
const char NOTICE_TEXT[] = "Wiadomość od <b>Łukasza\r\n\"Zażółć gęślą jaźń\" — <b>ŁĄKA";

// build\locale_pictures, beside the folder of the test executable.
std::wstring picturesFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    for (int up = 0; up < 2; up++) folder.resize(folder.find_last_of(L'\\'));
    folder += L"\\locale_pictures";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string sampleSkins() {
    std::string dir = std::string("Z:") + NOTIFY_SOURCE_DIR + "/skins";
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir;
}

class OtherLanguage : public PluginTest {
protected:
    MessageBoxCatcher boxes;
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(vorlane.declareOptions(), 1);
        vorlane.setConfig(COL_FULLSCREEN, 0);
        vorlane.setConfig(COL_SKIN, std::string("[brak]"));
    }
    void TearDown() override {
        vorlane.destroyWindow();
        vorlane.stop();
    }
    // The look `name` of the folder, in a new window.
    void useLook(const std::string& folder, const std::string& name) {
        vorlane.destroyWindow();
        vorlane.setConfig(COL_DIRECTORY, folder);
        vorlane.setConfig(COL_SKIN, name);
        vorlane.createWindow();
        pumpMessages();
    }
    void notice(int32_t action, int32_t code) {
        ActionNotice n = {};
        n.size = sizeof(n);
        n.action = {action, 774000, -2};
        n.code = code;
        vorlane.send(22200, (intptr_t)&n, 0);
    }
};
}  // namespace

// Without this the other tests would prove nothing in the other locales.
TEST(CodePage, IsTheOneThisRunIsFor) { EXPECT_EQ(GetACP(), expectedCodePage()); }

TEST_F(OtherLanguage, EachSampleLookComposesTheSamePixelsAsUnder1250) {
    const std::wstring folder = picturesFolder();
    const bool keep = GetACP() == 1250;
    for (const char* look : LOOKS) {
        SCOPED_TRACE(look);
        useLook(sampleSkins(), look);
        ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
        PopupRequest r = popupRequest(NOTICE_TEXT);
        r.displayTime = -1;
        ASSERT_GT(deliver(r), 0);
        int w = 0, h = 0;
        std::vector<uint32_t> pixels = readPixels(composedBitmap, &w, &h);
        ASSERT_GT(w * h, 0);
        pixels.insert(pixels.begin(), {(uint32_t)w, (uint32_t)h});
        const std::wstring file = folder + L"\\" + from1250(look[0] == '[' ? "default" : look) + L".raw";
        FILE* f = _wfopen(file.c_str(), keep ? L"wb" : L"rb");
        ASSERT_TRUE(f) << "no picture kept under 1250 (the Polish run keeps them)";
        std::vector<uint32_t> kept(pixels.size() + 1);
        size_t n = keep ? fwrite(pixels.data(), 4, pixels.size(), f) : fread(kept.data(), 4, kept.size(), f);
        fclose(f);
        ASSERT_EQ(n, pixels.size());
        if (keep) continue;
        ASSERT_EQ(kept[0], (uint32_t)w);
        ASSERT_EQ(kept[1], (uint32_t)h);
        const auto diff = std::mismatch(pixels.begin(), pixels.end(), kept.begin());
        const size_t at = (size_t)(diff.first - pixels.begin()) - 2;
        EXPECT_TRUE(diff.first == pixels.end()) << "first differing pixel at (" << at % w << ", " << at / w << ")";
    }
}

// The charset picks the face's Central European variant on Windows, whose
// bitmap faces lack the letters in other variants; Wine's fallback faces
// have them in all, so only the request can be checked here.
TEST_F(OtherLanguage, TheFontsAskForCentralEuropeanLettersInTheFaceNamed) {
    PolishFolder folder("Łódź");
    folder.write("czcionka.ini", "[font]\nface=Czcionka łódzka\nsize=9\n");
    folder.write("czcionka.bmp", bmpBytes(40, 20, 0xFF336699));
    for (const char* look : {"[brak]", "czcionka"}) {
        SCOPED_TRACE(look);
        useLook(folder.path, look);
        for (HFONT font : {skin.normalFont, skin.boldFont, skin.underlineFont, skin.boldUnderlineFont}) {
            LOGFONTW made = {};
            ASSERT_TRUE(GetObjectW(font, sizeof(made), &made));
            EXPECT_EQ(made.lfCharSet, EASTEUROPE_CHARSET);
            EXPECT_STREQ(made.lfFaceName, look[0] == '[' ? L"MS sans serif" : L"Czcionka łódzka");
        }
    }
}

TEST_F(OtherLanguage, BoxesReadRightAsUtf16) {
    PolishFolder folder("Skórki");
    useLook(folder.path, "brakująca");
    notice(SAMPLE_MARTA, 1);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].wideText, L"Nie odnaleziono pliku INI wybranej skórki");
    EXPECT_EQ(boxes.boxes[0].wideCaption, L"Zinglet");
    EXPECT_EQ(boxes.boxes[0].style & MB_ICONMASK, (UINT)MB_ICONERROR);
    EXPECT_EQ(boxes.boxes[1].wideText, L"Kliknięto na okno Zinglet\n\nWiadomość od Marta");
    EXPECT_EQ(boxes.boxes[1].wideCaption, L"Zinglet");
}

TEST_F(OtherLanguage, ASkinsFolderAndImagesWithPolishNamesLoad) {
    PolishFolder folder("Łukasz skórki");
    folder.write("zielona łąka.ini", "[background]\nfile=tło żółte.png\n");
    folder.write("tło żółte.png", pngBytes(30, 20, 0xFF20C040));
    folder.write("źrebię.ini", "[margins]\nleft=6\n");
    folder.write("źrebię.bmp", bmpBytes(24, 18, 0xFF4060A0));
    useLook(folder.path, "zielona łąka");
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
    ASSERT_TRUE(skin.skinBitmap);
    EXPECT_EQ(skin.bitmapWidth, 30);
    EXPECT_EQ(skin.bitmapHeight, 20);
    useLook(folder.path, "źrebię");
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
    ASSERT_TRUE(skin.skinBitmap);
    EXPECT_EQ(skin.bitmapWidth, 24);
    EXPECT_EQ(skin.marginLeft, 6);
}

TEST_F(OtherLanguage, TheSkinListOfAPolishFolderReachesTheHostIn1250) {
    PolishFolder folder("Łukasz skórki");
    folder.write("zielona łąka.ini", "[font]\n");
    folder.write("plain.ini", "[font]\n");
    folder.write("notatki.txt", "x");
    // A name 1250 cannot write: the host could not name it, so it is left out.
    folder.writeWide(L"\x0436\x0451\x043B\x0442\x044B\x0439.ini", "[font]\n");
    useLook(folder.path, "[brak]");
    vorlane.clearRecords();
    notice(DIRECTORY_FIELD, 100);
    const std::string list = vorlane.controlTexts[CHOOSER];
    EXPECT_TRUE(list == "[brak]\nzielona łąka\nplain\n" || list == "[brak]\nplain\nzielona łąka\n") << list;
    EXPECT_EQ(vorlane.configTextValue(COL_DIRECTORY), folder.path);
}
