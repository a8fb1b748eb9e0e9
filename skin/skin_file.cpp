// The skin definition file: a small INI-style text read into the look it is
// handed (the skin loader hands the active one).
// Only the space counts as blank, comments and sections start in the first
// column, names are compared byte for byte. Only the first 1024 bytes of a
// file (after CR LF became LF) are read.
#include "skin.h"
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "gdi_guards.h"
#include "skin_diagnostics.h"
#include "wide_text.h"

char currentSection[256] = "global";
int currentSectionLine = 0;
const SkinDiagnostics* skinDiagnostics = nullptr;

void useSkinDiagnostics(const SkinDiagnostics* reports) { skinDiagnostics = reports; }

static const int SKIN_FILE_LIMIT = 1024;
static int lineNumber = 0;  // of the line being read, for the diagnostics

static void ignored(SkinLineProblem problem, const char* detail) {
    if (skinDiagnostics && skinDiagnostics->lineIgnored) skinDiagnostics->lineIgnored(lineNumber, problem, detail);
}

void reportSkinError(const char* text) {
    if (skinDiagnostics && skinDiagnostics->loadError)
        skinDiagnostics->loadError(text);
    else
        ShowMessageBox(text, MB_ICONERROR);
}

// Copies at most capacity - 1 bytes and always terminates: over-long values
// are cut to their field.
static void copyCut(char* field, size_t capacity, const char* value) {
    size_t n = strnlen(value, capacity - 1);
    if (value[n]) ignored(LINE_VALUE_CUT, value);
    memcpy(field, value, n);
    field[n] = 0;
}

// atoi's reading (white space, sign, digits), but saturating instead of
// overflowing on absurd values.
static int readInt(const char* value) {
    long long v = strtoll(value, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return (int)v;
}

static bool isOn(const char* value) {
    if (!strcmp(value, "on") || !strcmp(value, "true")) return true;
    ignored(LINE_BAD_WORD, value);
    return false;
}

static bool isSixCharacters(const char* value) {
    if (strlen(value) == 6) return true;
    ignored(LINE_BAD_COLOUR, value);
    return false;
}

static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

COLORREF ParseColor(const char* value) {
    if (!value || strnlen(value, 6) < 6) return 0;
    // "00" BB GG RR, read as hexadecimal up to the first other character.
    const char order[8] = {'0', '0', value[4], value[5], value[2], value[3], value[0], value[1]};
    COLORREF color = 0;
    for (char c : order) {
        int d = hexDigit(c);
        if (d < 0) break;
        color = color * 16 + (COLORREF)d;
    }
    return color;
}

void RecreateFonts(Skin* into) {
    Skin& look = *into;
    DeleteObjectSafe(&look.normalFont);
    DeleteObjectSafe(&look.underlineFont);
    DeleteObjectSafe(&look.boldUnderlineFont);
    DeleteObjectSafe(&look.boldFont);

    int dpi = 96;
    {
        ScopedGetDC screen(nullptr);
        if (screen) dpi = GetDeviceCaps(screen, LOGPIXELSY);
    }

    LOGFONTW font;
    memset(&font, 0, sizeof(font));
    font.lfHeight = -MulDiv(look.fontSize, dpi, 72);
    font.lfWeight = FW_NORMAL;
    // The texts are Central European: the face's variant that has their
    // letters. On a Polish Windows that is the system's own character set.
    font.lfCharSet = EASTEUROPE_CHARSET;
    WideText face(look.fontFace);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);

    ScopedGdiObject<HFONT> normal(CreateFontIndirectW(&font));
    font.lfUnderline = TRUE;
    ScopedGdiObject<HFONT> underline(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    ScopedGdiObject<HFONT> boldUnderline(CreateFontIndirectW(&font));
    font.lfUnderline = FALSE;
    ScopedGdiObject<HFONT> bold(CreateFontIndirectW(&font));
    if (!normal || !underline || !boldUnderline || !bold) {
        // The system's default font stands in for all four, so no line is
        // drawn without a font or in a mixture of typefaces. Deleting a
        // stock object later does nothing.
        HFONT standIn = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        look.normalFont = look.underlineFont = look.boldUnderlineFont = look.boldFont = standIn;
        return;
    }
    look.normalFont = normal.release();
    look.underlineFont = underline.release();
    look.boldUnderlineFont = boldUnderline.release();
    look.boldFont = bold.release();
}

static void setMargin(const char* key, const char* value, int* left, int* top, int* right, int* bottom) {
    if (!strcmp(key, "left")) *left = readInt(value);
    else if (!strcmp(key, "top")) *top = readInt(value);
    else if (!strcmp(key, "right")) *right = readInt(value);
    else if (!strcmp(key, "bottom")) *bottom = readInt(value);
    else ignored(LINE_UNKNOWN_KEY, key);
}

static void sizingKey(Skin& look, const char* key, const char* value) {
    if (!strcmp(key, "type")) {
        if (!strcmp(value, "stretch")) look.sizingType = SIZING_STRETCH;
        else if (!strcmp(value, "tile")) look.sizingType = SIZING_TILE;
        else ignored(LINE_BAD_WORD, value);
        return;
    }
    setMargin(key, value, &look.sizingLeft, &look.sizingTop, &look.sizingRight, &look.sizingBottom);
}

static void backgroundKey(Skin& look, const char* key, const char* value) {
    if (!strcmp(key, "transparent")) {
        if (isOn(value)) look.transparent = TRUE;
    } else if (!strcmp(key, "mask")) {
        if (!strcmp(value, "color")) look.maskType = MASK_COLOR;
        else if (!strcmp(value, "alpha")) look.maskType = MASK_ALPHA;
        else ignored(LINE_BAD_WORD, value);
    } else if (!strcmp(key, "file")) {
        copyCut(look.backgroundFile, sizeof(look.backgroundFile), value);
    } else {
        ignored(LINE_UNKNOWN_KEY, key);
    }
}

static void fontKey(Skin& look, const char* key, const char* value) {
    if (!strcmp(key, "face")) {
        copyCut(look.fontFace, sizeof(look.fontFace), value);
    } else if (!strcmp(key, "size")) {
        look.fontSize = readInt(value);
    } else if (!strcmp(key, "color")) {
        if (isSixCharacters(value)) look.fontColor = ParseColor(value);
    } else if (!strcmp(key, "bold")) {
        if (isOn(value)) look.fontBold = TRUE;
    } else if (!strcmp(key, "style")) {
        if (!strcmp(value, "shadow")) look.shadowStyle = TRUE;
        else ignored(LINE_BAD_WORD, value);
    } else if (!strcmp(key, "shadow")) {
        if (isSixCharacters(value)) look.shadowColor = ParseColor(value);
    } else if (!strcmp(key, "align")) {
        if (!strcmp(value, "left")) look.textAlign = ALIGN_LEFT;
        else if (!strcmp(value, "center")) look.textAlign = ALIGN_CENTER;
        else if (!strcmp(value, "right")) look.textAlign = ALIGN_RIGHT;
        else ignored(LINE_BAD_WORD, value);
    } else if (!strcmp(key, "line")) {
        look.lineSpacing = readInt(value);
    } else {
        ignored(LINE_UNKNOWN_KEY, key);
    }
    // Every font line, known or not, keeps the fonts in step with face and size.
    RecreateFonts(&look);
}

static bool knownSection(const char* name) {
    static const char* const known[] = {"margins", "sizing", "background", "font", "icon"};
    for (const char* k : known)
        if (!strcmp(name, k)) return true;
    return false;
}

static void iconKey(Skin& look, const char* key, const char* value) {
    if (!strcmp(key, "display")) {
        if (!strcmp(value, "left")) look.iconDisplay = ICONS_LEFT;
        else if (!strcmp(value, "right")) look.iconDisplay = ICONS_RIGHT;
        else look.iconDisplay = ICONS_NONE;
    } else if (!strcmp(key, "space")) {
        look.iconSpace = readInt(value);
    } else {
        ignored(LINE_UNKNOWN_KEY, key);
    }
}

void ParseSkinLine(char* line, Skin* into) {
    if (!line || !into || !line[0] || line[0] == '#' || line[0] == ';') return;
    if (line[0] == '[') {
        const char* name = line + 1;
        const char* close = strchr(name, ']');
        size_t n = close ? (size_t)(close - name) : strlen(name);
        if (n > sizeof(currentSection) - 1) {
            n = sizeof(currentSection) - 1;
            ignored(LINE_VALUE_CUT, name);
        }
        memcpy(currentSection, name, n);
        currentSection[n] = 0;
        currentSectionLine = lineNumber;
        if (!knownSection(currentSection)) ignored(LINE_UNKNOWN_SECTION, currentSection);
        return;
    }
    char* key = line;
    while (*key == ' ') key++;
    char* equals = strchr(key, '=');
    if (!equals || equals == key) {
        ignored(equals ? LINE_EMPTY_KEY : LINE_NO_EQUALS, line);
        return;
    }
    char* keyEnd = equals;
    while (keyEnd > key && keyEnd[-1] == ' ') keyEnd--;
    *keyEnd = 0;
    char* value = equals + 1;
    while (*value == ' ') value++;
    char* valueEnd = value + strlen(value);
    while (valueEnd > value && valueEnd[-1] == ' ') valueEnd--;
    *valueEnd = 0;
    if (!*value) {
        ignored(LINE_EMPTY_VALUE, key);
        return;
    }

    Skin& look = *into;
    if (!strcmp(currentSection, "margins"))
        setMargin(key, value, &look.marginLeft, &look.marginTop, &look.marginRight, &look.marginBottom);
    else if (!strcmp(currentSection, "sizing")) sizingKey(look, key, value);
    else if (!strcmp(currentSection, "background")) backgroundKey(look, key, value);
    else if (!strcmp(currentSection, "font")) fontKey(look, key, value);
    else if (!strcmp(currentSection, "icon")) iconKey(look, key, value);
    else ignored(LINE_IN_UNKNOWN_SECTION, key);
}

int ReadSkinFile(const char* path, Skin* into) {
    if (!path || !*path || !into) return 1;
    // By its wide name: the path's letters are 1250, not the system's.
    FILE* file = OpenFile1250(path, L"rt");
    if (!file) return 1;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0) length = ftell(file);
    if (length < 0 || fseek(file, 0, SEEK_SET) != 0) {
        fclose(file);
        return 1;
    }
    if (length == 0) {
        reportSkinError("Zerowa długość pliku konfiguracji skórki");
        fclose(file);
        return 1;
    }
    char* text = (char*)malloc((size_t)length + 1);
    if (!text) {
        reportSkinError("Plik konfiguracji skórki zbyt duży");
        fclose(file);
        return 1;
    }
    // Text mode drops the CR of each CR LF, so at most `length` bytes arrive.
    size_t want = length < SKIN_FILE_LIMIT ? (size_t)length : (size_t)SKIN_FILE_LIMIT;
    size_t got = fread(text, 1, want, file);
    text[got] = 0;
    const bool cut = skinDiagnostics && got == (size_t)SKIN_FILE_LIMIT && fgetc(file) != EOF;
    fclose(file);

    // Lines before the first section header belong to no section, whatever
    // the previous file ended with.
    copyCut(currentSection, sizeof(currentSection), "global");
    currentSectionLine = 0;
    // A line ends at a line feed or a zero byte; the last one needs neither.
    char* line = text;
    lineNumber = 0;
    for (size_t i = 0; i <= got; i++) {
        if (i < got && text[i] != '\n' && text[i] != 0) continue;
        text[i] = 0;
        lineNumber++;
        if (i < got || line < text + got) ParseSkinLine(line, into);
        line = text + i + 1;
    }
    // The last line counted is the one the cut falls in (or, after a line
    // feed, the first one not read).
    if (cut) ignored(LINE_PAST_LIMIT, "1024");
    lineNumber = 0;
    free(text);
    return 0;
}
