// PLACEHOLDER: owned by the window work; replace whole.
#include "placement.h"
int anchorRight = 0, anchorBottom = 0;
RECT windowRect = {0, 0, 0, 0};
DisplayState displayState = Hidden;
int lastTick = 0;
WindowSettings windowSettings = {2000, 0, 1, 20};
RECT fullSizeRect() { RECT r = {0, 0, 0, 0}; return r; }
void showAfterAdd() {}
void animationStep() {}
void followUpAfterExpiry(int) {}
bool fullscreenTest() { return false; }
