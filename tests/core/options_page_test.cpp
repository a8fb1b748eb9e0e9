// The options page (host message 22000) as the stand-in host recorded it:
// the four icon registrations byte by byte, then every declared action in
// order, compared with a table written from the host's record layouts.
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "contract/action_info.h"
#include "plugin_fixture.h"
#include "version.h"

namespace {
int32_t int32At(const std::vector<uint8_t>& b, size_t offset) {
    int32_t v = 0;
    if (offset + 4 <= b.size()) memcpy(&v, b.data() + offset, 4);
    return v;
}
int16_t int16At(const std::vector<uint8_t>& b, size_t offset) {
    int16_t v = 0;
    if (offset + 2 <= b.size()) memcpy(&v, b.data() + offset, 2);
    return v;
}

struct Declared {
    int32_t actionId, parentId, kind;
    std::string text;
    int32_t param;
    int width, height;
    bool longForm;
    int adjustX, adjustY;
};

bool operator==(const Declared& a, const Declared& b) {
    return a.actionId == b.actionId && a.parentId == b.parentId && a.kind == b.kind && a.text == b.text &&
           a.param == b.param && a.width == b.width && a.height == b.height && a.longForm == b.longForm &&
           (!a.longForm || (a.adjustX == b.adjustX && a.adjustY == b.adjustY));
}
std::ostream& operator<<(std::ostream& out, const Declared& d) {
    char line[160];
    snprintf(line, sizeof(line), "{%d, %d, 0x%X, param %d, %dx%d%s %d %d} ", d.actionId, d.parentId, d.kind,
             d.param, d.width, d.height, d.longForm ? " long" : "", d.adjustX, d.adjustY);
    return out << line << '"' << d.text << '"';
}

const int32_t B = 0x11000000;  // a control bound to the column in param
const char TIP[] = "\x1A" "tip=";
std::string tip(const std::string& label, const std::string& tooltip) { return label + TIP + tooltip; }

Declared item(int32_t id, int32_t parent, int32_t kind, const std::string& text, int32_t param = 0,
              int width = 0, int height = 0) {
    return {id, parent, kind, text, param, width, height, false, 0, 0};
}
Declared longItem(int32_t parent, int32_t kind, const std::string& text, int width, int height, int ax,
                  int ay) {
    return {0, parent, kind, text, 0, width, height, true, ax, ay};
}
Declared group(int32_t page, const char* title) { return item(0, page, 0xF0000, title); }
Declared end(int32_t page) { return item(0, page, 0x100000, ""); }
Declared comment(int32_t page, const char* text) { return item(0, page, 0x90000, text); }
Declared check(int32_t page, int column, const std::string& label) { return item(B, page, 0x60000, label, column); }
Declared number(int32_t page, int column, int width, const std::string& label) {
    return item(B, page, 0xB0040, label, column, width);
}

const std::string ABOUT = "Wtyczka Zinglet wyświetla okienko informacji o zdarzeniach nad zegarkiem systemowym.";
const std::string STATUS = tip("Zmiany statusu kontaktu", "Wyświetla informacje o zmianie statusu kontaktu");

std::vector<Declared> expectedDeclarations(HINSTANCE module) {
    const int P = 774000, C = 774001;
    char image[64];
    snprintf(image, sizeof(image), "res://%d/101.ico", (int)(intptr_t)module);
    return {
        item(774117, 1, 1, "Zinglet example1"),
        item(774118, 1, 1, "Zinglet example2"),
        item(774119, 1, 1, "Zinglet example3"),
        item(774000, 46, 0x10, "Zinglet", 774000),
        group(P, "Informacje"),
        longItem(P, 0x110040, "res://dll/101.ico", 16, 16, 0, 5),
        longItem(P, 0x80000, ABOUT, 0, 29, 0, -5),
        end(P),
        group(P, "Skórki"),
        comment(P, "Katalog ze skórkami"),
        item(B, P, 0x8130000, "", 774115, 200),
        comment(P, "Wybierz skórkę"),
        item(B, P, 0x116B040, "", 774110, 100),
        comment(P, "Skórka \"[brak]\" to standardowy wygląd ToolTip."),
        end(P),
        group(P, "Podgląd"),
        item(774116, P, 0xE0040, "Podgląd", 0, 80),
        comment(P, "(ustawia aktywną skórkę i wyświetla przykładowe informacje)"),
        end(P),
        group(P, "Ustawienia"),
        number(P, 774122, 40, tip("", "Czas przez jaki wyświetlana jest jedna wiadomość")),
        comment(P, "Czas wyświetlania jednej wiadomości (milisekund)"),
        check(P, 774123, tip("Animacja okna", "")),
        check(P, 774124,
              tip("Dopuszczaj wiadomości wymagające kliknięcia aby zniknąć",
                  "Odznaczone nie dopuszcza do wyświetlania wiadomości w nieskończoność (do kliknięcia) - "
                  "znikają po 3 okresach standardowych")),
        number(P, 774125, 25, tip("", "Limit wyświetlanych jednocześnie wiadomości")),
        comment(P, "Limit wiadomości (brak ograniczenia: 0)"),
        check(P, 774126, "Chowaj okno lewym klawiszem myszy"),
        check(P, 774127, "Nie pokazuj okna przy włączonej aplikacji pełno-ekranowej"),
        check(P, 774128, "Wysyłaj informacje Vindle do innych aplikacji"),
        end(P),
        group(P, "Powiadomienia"),
        comment(P, "Wyświetlaj powiadomienia:"),
        check(P, 774120, STATUS),
        check(P, 774129, "Pokazuj status opisowy"),
        check(P, 774133, "Pokazuj status opisowy podczas łączenia do sieci"),
        check(P, 774132, "Zmiany własnego statusu"),
        check(P, 774121, "Odebrane wiadomości"),
        check(P, 774130, "Wyświetlaj początek wiadomości"),
        number(P, 774131, 25, ""),
        comment(P, "Liczba wyświetlanych znaków wiadomości"),
        number(P, 774134, 25, ""),
        comment(P, "Liczba wyświetlanych znaków statusu opisowego"),
        end(P),
        group(P, "Informacje"),
        item(0, P, 0x90100, "Zinglet " NOTIFY_VERSION_TEXT, 0, 0, 20),
        item(0, P, 0x80000, "Wtyczka używa bibliotek graficznych devIL", 0, 0, 30),
        item(0, P, 0x110040, image, 0, 16, 16),
        end(P),
        item(774001, 71, 0x10, "Zinglet", 774000),
        group(C, "Informacje"),
        longItem(C, 0x110040, "res://dll/101.ico", 16, 16, 0, 5),
        longItem(C, 0x80000, ABOUT, 0, 29, 0, -5),
        end(C),
        group(C, "Powiadomienia"),
        comment(C, "Wyświetlaj powiadomienia:"),
        check(C, 774135, STATUS),
        check(C, 774136, "Pokazuj status opisowy"),
        check(C, 774137, "Odebrane wiadomości"),
        check(C, 774138, "Wyświetlaj początek wiadomości"),
        end(C),
        group(C, "Instrukcje"),
        longItem(C, 0x80000,
                 "Gdy opcja jest wyłączona, powiadomienie nie jest wyświetlane. Gdy opcja jest włączona, o "
                 "wyświetlaniu decyduje główna konfiguracja.",
                 0, 0, 0, 0),
        end(C),
        item(774120, 200, 0x1000001, ""),
    };
}

class OptionsPage : public PluginTest {
protected:
    // The declarations (10101) in the order the host got them; each record's
    // fixed fields are checked on the way.
    std::vector<Declared> declarations() {
        std::vector<Declared> out;
        for (const StandInHost::Sent& s : vorlane.sent) {
            if (s.id != 10101) continue;
            const std::vector<uint8_t>& b = s.p1Bytes;
            uint16_t size = (uint16_t)int16At(b, 0);
            EXPECT_TRUE(size == 74 || size == 78) << size;
            EXPECT_EQ(b.size(), (size_t)size);
            EXPECT_EQ(s.p2, 0);
            EXPECT_EQ(int32At(b, 10), -2) << "contact";
            EXPECT_EQ(int32At(b, 14), -1);
            EXPECT_EQ(int32At(b, 30), 863) << "mask";
            EXPECT_EQ(int32At(b, 38), -1);
            EXPECT_EQ(int32At(b, 46), 0);
            EXPECT_EQ(int32At(b, 58), 0);
            EXPECT_EQ(int32At(b, 66), 0);
            Declared d = {int32At(b, 2), int32At(b, 6), int32At(b, 34), s.p1Text, int32At(b, 62),
                          (uint16_t)int16At(b, 70), (uint16_t)int16At(b, 72), size == 78,
                          int16At(b, 74), int16At(b, 76)};
            out.push_back(d);
        }
        return out;
    }
};
}  // namespace

TEST_F(OptionsPage, IconsComeFirstEachRegisteredFromItsResource) {
    EXPECT_EQ(vorlane.declareOptions(), 1);
    ASSERT_GE(vorlane.sent.size(), 4u);
    const int numbers[] = {774000, 774001, 774002, 774003};
    const int resources[] = {101, 105, 103, 104};
    for (int i = 0; i < 4; i++) {
        const StandInHost::Sent& s = vorlane.sent[i];
        ASSERT_EQ(s.id, 10130) << i;
        EXPECT_EQ(s.p2, 0);
        ASSERT_EQ(s.p1Bytes.size(), 36u);
        EXPECT_EQ(int16At(s.p1Bytes, 0), 36);
        EXPECT_EQ(int32At(s.p1Bytes, 4), numbers[i]);
        EXPECT_EQ(int32At(s.p1Bytes, 8), 1);
        EXPECT_EQ(int32At(s.p1Bytes, 12), 0);
        EXPECT_EQ(int32At(s.p1Bytes, 16), 1);
        EXPECT_EQ(int32At(s.p1Bytes, 20), (int32_t)(intptr_t)vorlane.moduleHandle());
        EXPECT_EQ(int32At(s.p1Bytes, 24), resources[i]);
        EXPECT_EQ(int32At(s.p1Bytes, 28), 0);
        EXPECT_EQ(int32At(s.p1Bytes, 32), 0);
    }
    EXPECT_EQ(vorlane.countSent(10130), 4);
}

TEST_F(OptionsPage, EveryActionIsDeclaredInOrderWithItsKindParentTextAndSize) {
    EXPECT_EQ(vorlane.declareOptions(), 1);
    std::vector<Declared> got = declarations();
    std::vector<Declared> want = expectedDeclarations(vorlane.moduleHandle());
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); i++) EXPECT_EQ(got[i], want[i]) << "declaration " << i;
    // Texts go to the host in Windows-1250: "ó" of "Skórki" is 0xF3.
    EXPECT_EQ((uint8_t)got[8].text[2], 0xF3);
    // Nothing but icons, declarations and the version question was sent.
    for (const StandInHost::Sent& s : vorlane.sent)
        EXPECT_TRUE(s.id == 10130 || s.id == 10101 || s.id == 30012) << s.id;
}

TEST_F(OptionsPage, TheVersionLineAsksThePluginItselfJustBeforeItIsDeclared) {
    vorlane.declareOptions();
    int asked = -1, line = -1;
    for (size_t i = 0; i < vorlane.sent.size(); i++) {
        const StandInHost::Sent& s = vorlane.sent[i];
        if (s.id == 30012) {
            EXPECT_EQ(asked, -1) << "asked once";
            asked = (int)i;
            EXPECT_EQ(s.plugin, vorlane.pluginId());
            EXPECT_EQ(s.net, 774);
            EXPECT_EQ(std::string((const char*)(intptr_t)s.result), NOTIFY_VERSION_TEXT);
        }
        if (s.id == 10101 && int32At(s.p1Bytes, 34) == 0x90100) line = (int)i;
    }
    ASSERT_GE(asked, 0);
    ASSERT_GT(line, asked);
    EXPECT_EQ(vorlane.sent[line].p1Text, "Zinglet " NOTIFY_VERSION_TEXT);
    // Declared again on every request, the same way.
    std::vector<Declared> first = declarations();
    vorlane.clearRecords();
    EXPECT_EQ(vorlane.declareOptions(), 1);
    EXPECT_EQ(declarations(), first);
    EXPECT_EQ(vorlane.countSent(10130), 4);
}

TEST_F(OptionsPage, WithoutTheHostNothingIsDeclared) {
    ASSERT_EQ(vorlane.stop(), 1);
    vorlane.clearRecords();
    EXPECT_EQ(vorlane.declareOptions(), 1);
    EXPECT_TRUE(vorlane.sent.empty());
}
