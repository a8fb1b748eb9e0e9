// Seeded random skin definitions through the reader and the loader: any
// bytes, long lines, no line ends, zero bytes, huge numbers, negative
// margins and slices, images of random sizes. Whatever the file says, the
// loader ends with a window and either the skin, sound, or the default look
// after one message; a notification can then be composed. A failure names
// its seed; NOTIFY_SEED=n replays it.
#include <stdlib.h>
#include <random>
#include <string>
#include "skin_fixture.h"
#include "contract/config_columns.h"
#include "skin/paint.h"
#include "skin/skin.h"
#include "window/window_setup.h"
#include "window/notify_window.h"
#include "window/private_messages.h"

namespace {
class RandomSkin : public SkinTest {
protected:
    TempDir dir;
    MessageBoxCatcher boxes;
    std::mt19937 random;
    int pick(int n) { return (int)(random() % (unsigned)n); }
    template <size_t N> const char* pick(const char* const (&values)[N]) { return values[pick((int)N)]; }

    std::string junk(size_t length) {
        std::string s(length, '\0');
        for (char& c : s) c = (char)pick(256);
        return s;
    }
    std::string value() {
        static const char* const words[] = {"0", "-1", "7", "2147483647", "-2147483648", "99999999999999999999",
                                            "  12abc", "-300", "on", "true", "off", "stretch", "tile", "color",
                                            "alpha", "shadow", "left", "center", "right", "FF00FF", "12345",
                                            "bg.png", "bg.bmp", "missing.png", "", "..\\x.png", "Arial"};
        switch (pick(6)) {
        case 0: return std::to_string((int)random() % 2000 - 1000);
        case 1: return std::string((size_t)pick(600), 'x');
        case 2: return junk((size_t)pick(20));
        default: return pick(words);
        }
    }
    std::string definition() {
        if (pick(8) == 0) return junk((size_t)pick(1500));
        static const char* const sections[] = {"[margins]", "[sizing]", "[background]", "[font]", "[icon]",
                                               "[global]", "[", "[margins", " [font]", "[x]"};
        static const char* const keys[] = {"left", "top", "right", "bottom", "type", "transparent", "mask",
                                           "file", "face", "size", "color", "bold", "style", "shadow",
                                           "align", "line", "display", "space", ";left", " left", "lef"};
        static const char* const ends[] = {"\n", "\r\n", "", "\0", "\r"};
        std::string text;
        for (int lines = pick(40); lines > 0; lines--) {
            if (pick(5) == 0)
                text += pick(sections);
            else
                text += std::string(pick(keys)) + (pick(6) ? (pick(3) ? "=" : " = ") : "") + value();
            const char* end = pick(ends);
            text.append(end, *end ? strlen(end) : (size_t)pick(2));
        }
        return text;
    }
    void writeImages() {
        int w = 1 + pick(60), h = 1 + pick(40);
        std::vector<uint32_t> px((size_t)w * h);
        for (uint32_t& p : px) p = (uint32_t)random();
        writePng(dir.file("bg.png"), w, h, px);
        writeBmp(dir.file("bg.bmp"), w, h, px, pick(2) == 0);
        writeBmp(dir.file("r.bmp"), h, w, px, pick(2) == 0);
    }
};
}  // namespace

TEST_F(RandomSkin, AnyDefinitionEndsInASoundLookOrTheDefault) {
    stand.setConfig(COL_DIRECTORY, dir.path);
    stand.setConfig(COL_SKIN, std::string("r"));
    const char* one = getenv("NOTIFY_SEED");
    for (int s = 0; s < (one ? 1 : 80); s++) {
        const unsigned seed = one ? (unsigned)atoi(one) : 3000u + (unsigned)s;
        SCOPED_TRACE("NOTIFY_SEED=" + std::to_string(seed));
        random.seed(seed);
        writeImages();
        dir.write("r.ini", definition());
        boxes.boxes.clear();
        const int result = LoadSkin();
        ASSERT_TRUE(IsWindow(notificationWindow));
        ASSERT_LE(boxes.boxes.size(), 1u);
        if (result == 1) {
            ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
            ASSERT_TRUE(skin.skinBitmap != nullptr);
            ASSERT_GE(skin.sizingLeft, 0);
            ASSERT_GE(skin.sizingTop, 0);
            ASSERT_LT((long long)skin.sizingLeft + skin.sizingRight, skin.bitmapWidth);
            ASSERT_LT((long long)skin.sizingTop + skin.sizingBottom, skin.bitmapHeight);
        } else {
            ASSERT_EQ(result, 0);
            ASSERT_TRUE(skin.skinBitmap == nullptr);
            ASSERT_EQ(skin.marginLeft, 4);
        }
        // The look, whatever it is, composes a notification.
        NotificationRequest r = {"Wiadomość od <b>Ola\n\"hej\"", nullptr, nullptr, 0, 1, 0, nullptr, 0};
        const int id = (int)sendPrivateMessage(notificationWindow, MSG_ADD_NOTIFICATION, 0, (LPARAM)&r);
        ASSERT_GT(id, 0);
        ASSERT_EQ(notificationQueue.count(), 2);
        sendPrivateMessage(notificationWindow, MSG_HIDE_ALL, 0, 0);
        DestroyWindow(notificationWindow);
        notificationWindow = nullptr;
    }
}
