// The options window's page layout, shared by the window and its page:
// the tree on the left, the page of two columns of groups on the right.
#pragma once
#include <windows.h>
#include <stdint.h>

namespace options_layout {
const int TREE_WIDTH = 170, COLUMN_WIDTH = 340, COLUMN_GAP = 12, MARGIN = 8;
const int PANEL_WIDTH = MARGIN * 2 + COLUMN_WIDTH * 2 + COLUMN_GAP, PANEL_HEIGHT = 540;
const int GROUP_TITLE = 18, GROUP_PADDING = 10, ITEM_GAP = 4, GROUP_GAP = 8;
const int FIRST_ITEM_ID = 100;

inline HFONT guiFont() { return (HFONT)GetStockObject(DEFAULT_GUI_FONT); }
}  // namespace options_layout
