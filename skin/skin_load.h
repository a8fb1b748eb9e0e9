// Reading the configured skin into the active look, and its images.
#pragma once
#include <windows.h>

// The default look, without a background image; fonts made anew.
void ResetLook();
// Lets go of everything the look owns: its four fonts, its background image
// and the composed picture; the handles are cleared.
void ReleaseLook();

enum SkinRead {
    SKIN_NONE,           // no skin is configured ("[brak]" or empty): the default look
    SKIN_READ,           // the definition and the image are in place
    SKIN_FAILED,         // reported; the default look must be used
    SKIN_NEEDS_32_BITS,  // an alpha skin on a screen that is not 32-bit
};
// Reads the skin named by the settings into the look, from a look just reset.
// While Windows runs in high contrast it is the default look, whatever skin
// is configured.
SkinRead ReadConfiguredSkin();
// Whether Windows runs in high contrast. Tests may replace it: the systems
// they run on cannot switch high contrast on.
extern bool (*highContrastQuery)();
// Another way of asking it, for a program that shows skins whatever the
// system's setting (skin-preview); null puts the system's back.
void useHighContrastQuery(bool (*query)());
// Whether the look in place was read while high contrast was on.
bool LookReadInHighContrast();
// Whether the image's fixed slices fit it; reports the error when not.
bool SkinSizingFits();

int LoadImageWithDevIL(HDC dc, const char* path, HBITMAP* bitmap, BYTE** pixels);
void PremultiplyAlpha(int width, int height, BYTE* pixels);
