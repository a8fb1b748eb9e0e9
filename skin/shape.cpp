// PLACEHOLDER: owned by the skin work; replace whole.
#include "shape.h"
HRGN RegionFromColorKey(HBITMAP, COLORREF, COLORREF) { return nullptr; }
void applyWindowRect() {}
