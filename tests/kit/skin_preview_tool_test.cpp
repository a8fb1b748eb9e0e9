// skin-preview.exe run as skin authors run it: real definition files and
// images in a folder, the report on standard output, the exit status, and
// the PNG it writes read back through DevIL.
#include <gtest/gtest.h>
#include <IL/il.h>
#include <algorithm>
#include <string>
#include <vector>
#include "support/child_process.h"
#include "support/win_helpers.h"

namespace {
ChildRun preview(const std::vector<std::string>& args) { return runChild(distProgram("skin-preview.exe"), args); }

// The report lines that start with "NAME.ini:".
std::vector<std::string> reportLines(const std::string& output, const std::string& prefix) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        std::string line = output.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return lines;
}

std::string sampleSkins() {
    std::string dir = "Z:" NOTIFY_SOURCE_DIR "/skins";
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir;
}

// The PNG's pixels as 0xAARRGGBB, top row first.
std::vector<uint32_t> readPng(const std::string& path, int* width, int* height) {
    ilInit();
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    std::vector<uint32_t> px;
    if (ilLoadImage(path.c_str()) && ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE)) {
        *width = ilGetInteger(IL_IMAGE_WIDTH);
        *height = ilGetInteger(IL_IMAGE_HEIGHT);
        const uint32_t* data = (const uint32_t*)ilGetData();
        px.assign(data, data + (size_t)*width * *height);
    }
    ilDeleteImages(1, &image);
    return px;
}

TEST(SkinPreviewTool, ReportsEveryIgnoredLineWithItsNumberAndReason) {
    TempDir dir;
    writeBmp(dir.file("lines.bmp"), 20, 20, std::vector<uint32_t>(400, 0xFF336699));
    std::string text =
        "# every way a line is ignored\n"  // 1
        "[margins]\n"                       // 2
        "left=6\n"                          // 3
        "middle=3\n"                        // 4 unknown key
        "top\n"                             // 5 no "="
        "=4\n"                              // 6 empty key
        "right=  \n"                        // 7 empty value
        "[font]\n"                          // 8
        "color=F80\n"                       // 9 colour of three characters
        "align=middle\n"                    // 10 not an allowed word
        "face=A typeface name longer than thirty-one bytes\n"  // 11 cut
        "[shade]\n"                         // 12 unknown section
        "depth=2\n"                         // 13 its key
        "[icon]\n"                          // 14
        "display=right\n";                  // 15
    while (text.size() < 1000) text += "; padding, so that the file goes on past its first 1024 bytes\n";
    text += "space=9\nspace=9\nspace=9\n";
    dir.write("lines.ini", text);
    const int cutLine = 1 + (int)std::count(text.begin(), text.begin() + 1024, '\n');

    ChildRun run = preview({dir.path, "lines", dir.file("lines.png")});
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    std::vector<std::string> lines = reportLines(run.output, "lines.ini:");
    const std::vector<std::string> expected = {
        "lines.ini:4: unknown key \"middle\" in section [margins]: line ignored",
        "lines.ini:5: no \"=\": line ignored",
        "lines.ini:6: empty key: line ignored",
        "lines.ini:7: empty value for \"right\": line ignored",
        "lines.ini:9: colour \"F80\" is not six characters (RRGGBB): line ignored",
        "lines.ini:10: \"middle\" is not one of the allowed words: line ignored",
        "lines.ini:11: value cut to its field's size: \"A typeface name longer than thirty-one bytes\"",
        "lines.ini:12: unknown section [shade]: its keys are ignored",
        "lines.ini:13: key \"depth\" in the unknown section [shade] of line 12: line ignored",
        "lines.ini:" + std::to_string(cutLine) + ": text past the first 1024 bytes is not read",
    };
    EXPECT_EQ(lines, expected) << run.output;

    // A header with a typo and nothing under it, at the file's end.
    writeBmp(dir.file("typo.bmp"), 20, 20, std::vector<uint32_t>(400, 0xFF336699));
    dir.write("typo.ini", "[margins]\nleft=3\n\n# blanks inside the brackets\n[ font ]");
    run = preview({dir.path, "typo", dir.file("typo.png")});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(reportLines(run.output, "typo.ini:"),
              std::vector<std::string>{"typo.ini:5: unknown section [ font ]: its keys are ignored"})
        << run.output;
}

TEST(SkinPreviewTool, LoadErrorsArePrintedAndTheToolReportsTheFallBack) {
    TempDir dir;
    dir.write("empty.ini", "");
    dir.write("noimage.ini", "[margins]\nleft=5\n");
    dir.write("broken.ini", "[background]\nfile=broken.png\n");
    dir.write("broken.png", "not a picture at all");
    dir.write("narrow.ini", "[sizing]\nleft=4\nright=4\n");
    writeBmp(dir.file("narrow.bmp"), 8, 8, std::vector<uint32_t>(64, 0xFF808080));
    const struct {
        const char* name;
        const char* error;
    } cases[] = {
        {"missing", u8"error: Nie odnaleziono pliku INI wybranej skórki"},
        {"empty", u8"error: Zerowa długość pliku konfiguracji skórki"},
        {"noimage", u8"error: Nie odnaleziono pliku graficznego wybranej skórki"},
        {"broken", u8"error: Nie powiodło się wczytanie pliku graficznego"},
        {"narrow", u8"error: Błąd skórki: ustawienie wypełniania błędne"},
    };
    for (const auto& c : cases) {
        std::string out = dir.file(std::string(c.name) + ".png");
        ChildRun run = preview({dir.path, c.name, out});
        EXPECT_EQ(run.exitCode, 1u) << c.name << "\n" << run.output;
        EXPECT_EQ(reportLines(run.output, "error: "), std::vector<std::string>{c.error}) << run.output;
        // The default look is drawn instead, as the plug-in would show it.
        EXPECT_NE(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
}

TEST(SkinPreviewTool, BadArgumentsExitWithTwo) {
    TempDir dir;
    EXPECT_EQ(preview({dir.path, "slate"}).exitCode, 2u);
    EXPECT_EQ(preview({dir.path, "slate", dir.file("a.png"), "--text"}).exitCode, 2u);
    EXPECT_EQ(preview({dir.path, "slate", dir.file("a.bmp")}).exitCode, 2u);
}

// The sample skins load; their pictures keep the alpha channel (smoke) and
// make the magenta key transparent (mint).
TEST(SkinPreviewTool, PicturesKeepAlphaAndTheColourKeyIsTransparent) {
    TempDir out;
    ChildRun smoke = preview({sampleSkins(), "smoke", out.file("smoke.png")});
    ASSERT_EQ(smoke.exitCode, 0u) << smoke.output;
    EXPECT_EQ(smoke.output.find(".ini:"), std::string::npos) << smoke.output;
    int w = 0, h = 0, iw = 0, ih = 0;
    std::vector<uint32_t> px = readPng(out.file("smoke.png"), &w, &h);
    std::vector<uint32_t> image = readPng(sampleSkins() + "\\smoke.png", &iw, &ih);
    ASSERT_EQ(iw, 48);
    ASSERT_EQ(ih, 44);
    ASSERT_GT(w, iw);
    ASSERT_GT(h, ih);
    // Corners are copied from the image, so their alpha is the image's:
    // none outside the shadow, some in the shadow's soft corner.
    EXPECT_EQ(pixelAt(px, w, 0, 0) >> 24, 0u);
    uint32_t shadow = pixelAt(image, iw, iw - 5, ih - 5) >> 24;
    EXPECT_GT(shadow, 0u);
    EXPECT_LT(shadow, 140u);
    EXPECT_EQ(pixelAt(px, w, w - 5, h - 5) >> 24, shadow);
    // The left border slice, half-way down: the translucent panel.
    EXPECT_EQ(pixelAt(px, w, 6, h / 2) >> 24, pixelAt(image, iw, 6, ih / 2) >> 24);
    EXPECT_LT(pixelAt(px, w, 6, h / 2) >> 24, 255u);

    ChildRun mint = preview({sampleSkins(), "mint", out.file("mint.png"), "--text", "Jeden", "--text", "Dwa"});
    ASSERT_EQ(mint.exitCode, 0u) << mint.output;
    std::vector<uint32_t> keyed = readPng(out.file("mint.png"), &w, &h);
    ASSERT_GE(w, 40);
    ASSERT_GE(h, 28);
    EXPECT_EQ(pixelAt(keyed, w, 0, 0) >> 24, 0u);               // the rounded corner
    EXPECT_EQ(pixelAt(keyed, w, w - 1, h - 1) >> 24, 0u);
    EXPECT_EQ(pixelAt(keyed, w, 0, h / 2), 0xFF3C8C64u);        // the panel's border line, opaque
    // Two lines, not the eight samples: two rows above the bottom margin.
    EXPECT_LT(h, 80);
}
}  // namespace
