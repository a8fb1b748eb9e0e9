// Saving and restoring the alpha bytes of a picture around GDI drawing.
#pragma once
#include <windows.h>

// Set while a picture's alpha bytes are saved and its icons and texts are
// drawn: the window's timers wait meanwhile.
extern bool composing;

// Saves the alpha bytes of a 32-bit DIB section and sets `composing`.
void SaveAlphaOf(HBITMAP picture);
// Puts them back into the picture's bits and clears `composing`.
void RestoreAlphaOf(HBITMAP picture);
// A composition that never restored: the saved bytes are dropped and
// `composing` cleared, so the timers do not stay paused.
void DropUnrestoredAlpha();
// Frees the storage kept for the next picture.
void ReleaseSavedAlpha();
