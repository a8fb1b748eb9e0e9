// PLACEHOLDER: owned by the skin work; replace whole.
#include "skin.h"
Skin skin;
char currentSection[256] = "global";
int ReadSkinFile(const char*) { return 1; }
void ParseSkinLine(char*) {}
COLORREF ParseColor(const char*) { return 0; }
void RecreateFonts() {}
void DeleteObjectSafe(HGDIOBJ* handle) { if (*handle) DeleteObject(*handle); *handle = nullptr; }
