// Layers: contract <- skin (here) <- window <- core; the window code calls the skin, never the reverse.
//
// The active look and the reader of skin definition files.
#pragma once
#include <windows.h>

// The numbered fields of the look, by name.
enum SizingType { SIZING_STRETCH = 0, SIZING_TILE = 1 };
enum MaskType { MASK_COLOR = 1, MASK_ALPHA = 2 };
enum TextAlign { ALIGN_LEFT = 0, ALIGN_CENTER = 1, ALIGN_RIGHT = 2 };
enum IconDisplay { ICONS_NONE = 0, ICONS_LEFT = 1, ICONS_RIGHT = 2 };

struct Skin {
    int marginLeft, marginTop, marginRight, marginBottom;
    int sizingLeft, sizingTop, sizingRight, sizingBottom;
    int sizingType;    // SizingType
    BOOL transparent;
    int maskType;      // MaskType
    char backgroundFile[260];
    char fontFace[32];
    int fontSize;      // points
    COLORREF fontColor;
    BOOL fontBold;
    BOOL shadowStyle;
    COLORREF shadowColor;
    int textAlign;     // TextAlign
    int lineSpacing;
    int iconDisplay;   // IconDisplay
    int iconSpace;
    HFONT normalFont, boldFont, underlineFont, boldUnderlineFont;  // owned
    HBITMAP skinBitmap;  // owned; none in the default look
    int bitmapWidth, bitmapHeight;
    COLORREF infoBackColor;
};

// The active look: written by the skin loader (skin_load.h) alone.
extern Skin skin;
extern char currentSection[256];  // "global" when the plug-in is loaded
// The line of the header that opened currentSection in the file being read;
// 0 before the file's first header.
extern int currentSectionLine;

// Reading a definition file into a look: 0 success, 1 failure.
int ReadSkinFile(const char* path, Skin* into);
void ParseSkinLine(char* line, Skin* into);
COLORREF ParseColor(const char* value);
// The look's four fonts made again from its face and size.
void RecreateFonts(Skin* look);
