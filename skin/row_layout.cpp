#include "row_layout.h"
#include "paint.h"
#include "skin.h"

RECT RowRect(int row) {
    RECT rect;
    rect.left = skin.marginLeft;
    rect.top = skin.marginTop + row * rowHeight;
    rect.right = contentWidth - skin.marginRight;
    rect.bottom = rect.top + rowHeight;
    return rect;
}

int RowAtPoint(int x, int y, int rows) {
    if (rows <= 0 || rowHeight <= 0) return -1;
    if (!(skin.marginLeft < x && x < contentWidth - skin.marginRight)) return -1;
    if (!(skin.marginTop < y && y < contentHeight - skin.marginBottom)) return -1;
    const int row = (y - skin.marginTop) / rowHeight;
    return row >= 0 && row < rows ? row : -1;
}
