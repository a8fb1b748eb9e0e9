// The options page (host message 22000). The host draws the plug-in's
// settings from the actions declared here, in the order declared, each item
// inside the group opened last: the plug-in's icons, three click targets for
// the preview's samples, the options page, the page in each contact's
// settings, and an action the host reports events on.
#include <stdio.h>
#include "action_info.h"
#include "config_columns.h"
#include "dispatch.h"
#include "host_icons.h"
#include "host_messages.h"
#include "plugin_state.h"

namespace {
#define TIP "\x1A" "tip="
const char PLUGIN_IMAGE[] = "res://dll/101.ico";
const char ABOUT_TEXT[] = "Wtyczka Zinglet wyświetla okienko informacji o zdarzeniach nad zegarkiem systemowym.";
const char STATUS_TIP[] = "Zmiany statusu kontaktu" TIP "Wyświetla informacje o zmianie statusu kontaktu";

void registerIcon(int number, int resource) {
    IconRegistration r = {};
    r.size = sizeof(r);
    r.number = number;
    r.one1 = 1;
    r.one2 = 1;
    r.module = host->moduleHandle();
    r.resource = resource;
    hostCall(HOST_REGISTER_ICON, (intptr_t)&r, 0);
}

struct Layout {
    uint16_t width, height;
    bool longForm;
    int16_t adjustX, adjustY;
};
const Layout DEFAULT_LAYOUT = {0, 0, false, 0, 0};
Layout sized(uint16_t width, uint16_t height) { return {width, height, false, 0, 0}; }
Layout longForm(uint16_t width, uint16_t height, int16_t adjustX, int16_t adjustY) {
    return {width, height, true, adjustX, adjustY};
}

void declare(int32_t actionId, int32_t parentId, int32_t kind, const char* text, int32_t param,
             const Layout& layout = DEFAULT_LAYOUT) {
    ActionInfo a = {};
    a.size = layout.longForm ? ACTION_INFO_LONG : ACTION_INFO_SHORT;
    a.action.actionId = actionId;
    a.action.parentId = parentId;
    a.action.contact = -2;
    a.field14 = -1;
    a.mask = ACTION_MASK_DECLARE;
    a.kind = kind;
    a.field38 = -1;
    a.text = text ? text : "";
    a.param = param;
    a.width = layout.width;
    a.height = layout.height;
    if (layout.longForm) {
        a.adjustX = layout.adjustX;
        a.adjustY = layout.adjustY;
    }
    hostCall(HOST_DECLARE_ACTION, (intptr_t)&a, 0);
}

// Items of one page: every one is declared under that page.
class Page {
public:
    explicit Page(int32_t id) : id(id) {}
    void group(const char* title) { declare(0, id, KIND_GROUP, title, 0); }
    void end() { declare(0, id, KIND_GROUP_END, nullptr, 0); }
    void comment(const char* text, int32_t kind = KIND_COMMENT, const Layout& l = DEFAULT_LAYOUT) {
        declare(0, id, kind, text, 0, l);
    }
    void info(const char* text, const Layout& l) { declare(0, id, KIND_INFO, text, 0, l); }
    void image(const char* address, const Layout& l) { declare(0, id, KIND_IMAGE, address, 0, l); }
    void bound(int32_t kind, int column, const char* label, const Layout& l = DEFAULT_LAYOUT) {
        declare(BOUND_CONTROL, id, kind, label, column, l);
    }
    void check(int column, const char* label) { bound(KIND_CHECK, column, label); }
    void number(int column, uint16_t width, const char* label) {
        bound(KIND_NUMBER, column, label, sized(width, 0));
    }
    void button(int32_t actionId, const char* text, uint16_t width) {
        declare(actionId, id, KIND_BUTTON, text, 0, sized(width, 0));
    }
    void about() {
        group("Informacje");
        image(PLUGIN_IMAGE, longForm(16, 16, 0, 5));
        info(ABOUT_TEXT, longForm(0, 29, 0, -5));
        end();
    }

private:
    int32_t id;
};

void declareOptionsPage() {
    declare(OPTIONS_PAGE, PAGE_GROUP, KIND_PAGE, "Zinglet", PLUGIN_ICON);
    Page page(OPTIONS_PAGE);
    page.about();

    page.group("Skórki");
    page.comment("Katalog ze skórkami");
    page.bound(KIND_DIRECTORY, COL_DIRECTORY, "", sized(200, 0));
    page.comment("Wybierz skórkę");
    page.bound(KIND_CHOOSER, COL_SKIN, "", sized(100, 0));
    page.comment("Skórka \"[brak]\" to standardowy wygląd ToolTip.");
    page.end();

    page.group("Podgląd");
    page.button(PREVIEW_BUTTON, "Podgląd", 80);
    page.comment("(ustawia aktywną skórkę i wyświetla przykładowe informacje)");
    page.end();

    page.group("Ustawienia");
    page.number(COL_DELAY, 40, TIP "Czas przez jaki wyświetlana jest jedna wiadomość");
    page.comment("Czas wyświetlania jednej wiadomości (milisekund)");
    page.check(COL_ANIMATION, "Animacja okna" TIP);
    page.check(COL_WAITFORCLICK,
               "Dopuszczaj wiadomości wymagające kliknięcia aby zniknąć" TIP
               "Odznaczone nie dopuszcza do wyświetlania wiadomości w nieskończoność (do kliknięcia)"
               " - znikają po 3 okresach standardowych");
    page.number(COL_LIMIT, 25, TIP "Limit wyświetlanych jednocześnie wiadomości");
    page.comment("Limit wiadomości (brak ograniczenia: 0)");
    page.check(COL_MOUSECLOSE, "Chowaj okno lewym klawiszem myszy");
    page.check(COL_FULLSCREEN, "Nie pokazuj okna przy włączonej aplikacji pełno-ekranowej");
    page.check(COL_USEVINDLE, "Wysyłaj informacje Vindle do innych aplikacji");
    page.end();

    page.group("Powiadomienia");
    page.comment("Wyświetlaj powiadomienia:");
    page.check(COL_EVENTS_STATUS, STATUS_TIP);
    page.check(COL_STATUSDESCR, "Pokazuj status opisowy");
    page.check(COL_STATUSDESCR_CONNECTED, "Pokazuj status opisowy podczas łączenia do sieci");
    page.check(COL_SELFSTATUS, "Zmiany własnego statusu");
    page.check(COL_EVENTS_MSG, "Odebrane wiadomości");
    page.check(COL_MSGBODY, "Wyświetlaj początek wiadomości");
    page.number(COL_MSGBODYLEN, 25, "");
    page.comment("Liczba wyświetlanych znaków wiadomości");
    page.number(COL_MSGSTATUSLEN, 25, "");
    page.comment("Liczba wyświetlanych znaków statusu opisowego");
    page.end();

    // Built here, sent before the buffers go: the version the plug-in
    // itself reports, and the plug-in icon addressed by the module handle.
    page.group("Informacje");
    const char* version = (const char*)(intptr_t)pluginCall(PLUGIN_VERSION, 0, 0, 0);
    char versionLine[260];
    snprintf(versionLine, sizeof(versionLine), "Zinglet %s", version ? version : "");
    page.comment(versionLine, KIND_VERSION, sized(0, 20));
    page.info("Wtyczka używa bibliotek graficznych devIL", sized(0, 30));
    char moduleImage[64];
    snprintf(moduleImage, sizeof(moduleImage), "res://%d/101.ico", (int)(intptr_t)host->moduleHandle());
    page.image(moduleImage, sized(16, 16));
    page.end();
}

void declareContactPage() {
    declare(CONTACT_PAGE, CONTACT_GROUP, KIND_PAGE, "Zinglet", PLUGIN_ICON);
    Page page(CONTACT_PAGE);
    page.about();
    page.group("Powiadomienia");
    page.comment("Wyświetlaj powiadomienia:");
    page.check(COL_CNT_STATUS, STATUS_TIP);
    page.check(COL_CNT_STATUSDESCR, "Pokazuj status opisowy");
    page.check(COL_CNT_MSG, "Odebrane wiadomości");
    page.check(COL_CNT_MSGBODY, "Wyświetlaj początek wiadomości");
    page.end();
    page.group("Instrukcje");
    page.info("Gdy opcja jest wyłączona, powiadomienie nie jest wyświetlane. Gdy opcja jest włączona, o "
              "wyświetlaniu decyduje główna konfiguracja.",
              longForm(0, 0, 0, 0));
    page.end();
}
}  // namespace

int buildOptionsPage() {
    if (!host) return 1;
    registerIcon(PLUGIN_ICON, PLUGIN_ICON_RESOURCE);  // information speech bubble
    registerIcon(INFORMATION_ICON, INFORMATION_ICON_RESOURCE);
    registerIcon(WARNING_ICON, WARNING_ICON_RESOURCE);
    registerIcon(ERROR_ICON, ERROR_ICON_RESOURCE);
    declare(SAMPLE_MARTA, TARGET_GROUP, KIND_TARGET, "Zinglet example1", 0);
    declare(SAMPLE_ERROR, TARGET_GROUP, KIND_TARGET, "Zinglet example2", 0);
    declare(SAMPLE_ASIA, TARGET_GROUP, KIND_TARGET, "Zinglet example3", 0);
    declareOptionsPage();
    declareContactPage();
    declare(REMOVE_CONTACT_ACTION, EVENTS_GROUP, KIND_EVENTS, nullptr, 0);
    return 1;
}
