// Where the notification window stands, how it grows into view, its timers.
// This file is the only writer of the anchor, windowRect, displayState and
// lastTick; everyone else asks it for a transition.
#pragma once
#include <windows.h>

enum DisplayState { Hidden = 0, Growing = 1, Shown = 2 };
enum { ANIMATION_TIMER = 1, EXPIRY_TIMER = 2 };

extern int anchorRight, anchorBottom;  // the work area's bottom-right corner
extern RECT windowRect;                // where the window is now
extern DisplayState displayState;
extern int lastTick;

// A look is being reset: the anchor is read from the work area, nothing is
// shown and the window has no rectangle yet.
void resetPlacement();
// Reads the work area again (a taskbar moved, grew or hid): when it changed,
// the anchor moves to its new corner and the window's rectangle moves with
// it. Whether anything changed.
bool moveToWorkArea();
// After the anchor moved: a shown window stands at full size at the new
// corner, a growing one goes on growing there; a hidden one stays hidden.
void placeAfterWorkAreaMove();
// The tallest picture the work area holds.
int pictureHeightLimit();
// A new window: the animation's clock starts now.
void startAnimationClock();
// The window is being destroyed: nothing is shown any more.
void placementWindowDestroyed();

// Puts the window where windowRect says, with the composed picture.
void applyWindowRect();
RECT fullSizeRect();

// A notification was added and composed: show the window, growing when the
// animation is on, else at full size.
void showAfterAdd();
// Lines were removed and some remain: the window, shown, takes its new size
// at once. `show` is false for expiry, which never shows the window anew.
void placeAtFullSize(bool show);
// Nothing is left to show: the timers stop, the state is Hidden and the
// window is hidden, its rectangle the one-pixel square at the anchor. The
// one way of hiding, whatever the cause.
void hideWindow();
// After the last line expired: a ten-pixel strip at the anchor is applied.
void collapseAfterExpiry();
// One tick of the animation timer while growing.
void animationStep();

// Whether a fullscreen program covers the taskbar.
bool fullscreenTest();
