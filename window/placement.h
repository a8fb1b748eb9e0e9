// Where the notification window stands, how it grows into view, its timers.
#pragma once
#include <windows.h>

enum DisplayState { Hidden = 0, Growing = 1, Shown = 2 };
enum { ANIMATION_TIMER = 1, EXPIRY_TIMER = 2 };

extern int anchorRight, anchorBottom;  // work-area corner, set by ResetDefaultLook
extern RECT windowRect;                // where the window is now
extern DisplayState displayState;
extern int lastTick;

// Window settings cached by ResetDefaultLook.
struct WindowSettings {
    int delay;         // ms, never 0
    int animation;
    int waitForClick;
    int limit;         // lines, <= 0 no limit
};
extern WindowSettings windowSettings;

// Puts the window where windowRect says, with the composed picture.
void applyWindowRect();
RECT fullSizeRect();
void showAfterAdd();
void animationStep();
void followUpAfterExpiry(int removed);
bool fullscreenTest();
