// Layers: contract <- skin (here) <- window <- core; the window code calls the skin, never the reverse.
//
// The active look and the reader of skin definition files.
#pragma once
#include <windows.h>

struct Skin {
    int marginLeft, marginTop, marginRight, marginBottom;
    int sizingLeft, sizingTop, sizingRight, sizingBottom;
    int sizingType;    // 0 stretch, 1 tile
    BOOL transparent;
    int maskType;      // 1 color, 2 alpha
    char backgroundFile[260];
    char fontFace[32];
    int fontSize;      // points
    COLORREF fontColor;
    BOOL fontBold;
    BOOL shadowStyle;
    COLORREF shadowColor;
    int textAlign;     // 0 left, 1 center, 2 right
    int lineSpacing;
    int iconDisplay;   // 0 none, 1 left, 2 right
    int iconSpace;
    HFONT normalFont, boldFont, underlineFont, boldUnderlineFont;  // owned
    HBITMAP skinBitmap;  // owned; none in the default look
    int bitmapWidth, bitmapHeight;
    COLORREF infoBackColor;
};

extern Skin skin;
extern char currentSection[256];  // "global" when the plug-in is loaded
// The line of the header that opened currentSection in the file being read;
// 0 before the file's first header.
extern int currentSectionLine;

int ReadSkinFile(const char* path);  // 0 success, 1 failure
void ParseSkinLine(char* line);
COLORREF ParseColor(const char* value);
void RecreateFonts();
