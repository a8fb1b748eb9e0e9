#include <gtest/gtest.h>
#include <string.h>

// Texts are stored as Windows-1250 bytes.
TEST(Charset, PolishLettersAreWindows1250) {
    const char* text = "Wiadomość od";
    ASSERT_EQ(strlen(text), 12u);
    EXPECT_EQ((unsigned char)text[7], 0x9C);   // ś
    EXPECT_EQ((unsigned char)text[8], 0xE6);   // ć
    const char* more = "ŁĄ";
    EXPECT_EQ((unsigned char)more[0], 0xA3);
    EXPECT_EQ((unsigned char)more[1], 0xA5);
}
