// Composing the notification picture off-screen, from the rows it is
// handed: the window decides which lines those are, the picture measures
// and draws them and knows nothing of the queue beyond them.
#pragma once
#include <windows.h>
#include <vector>
#include "notification_rows.h"

extern HBITMAP composedBitmap;  // owned, contentWidth x contentHeight
extern int contentWidth, contentHeight, rowHeight;

// The size of rows' texts in the look's fonts, on one measuring context
// for all of them (the picture's kept context, else the window's
// whole-window context, the screen's while there is no window).
class RowMeasure {
public:
    RowMeasure();
    ~RowMeasure();
    RowMeasure(const RowMeasure&) = delete;
    RowMeasure& operator=(const RowMeasure&) = delete;
    explicit operator bool() const { return kept || originalFont; }
    SIZE measure(const PaintedRow& row) const;

private:
    HDC kept = nullptr;
    HDC windowDc = nullptr;
    HGDIOBJ originalFont = nullptr;
};
// The height of a picture of `rows` rows whose tallest text is `tallest`
// pixels high: the rows with their spacing, and the top and bottom margins.
long long PictureHeight(int rows, int tallest);

// Sizes the picture for `rows` and draws it; `sizes` holds each row's text
// size (RowMeasure), in the rows' order. No rows make no picture. False when
// the picture could not be made: then there is none, of no size.
bool ComposeNotifications(const NotificationRows& rows, const std::vector<SIZE>& sizes);
// The same, with the rows measured here.
bool ComposeNotifications(const NotificationRows& rows);
void PaintNotificationWindow(const PAINTSTRUCT* paint);
// The picture of no lines: content size 0 x 0. The last picture itself stays
// until the next compose or the look's release.
void ResetContentSize();
// Deletes the composed picture and the storage kept for its alpha.
void ReleaseNotificationPicture();
void SaveAlphaChannel();
void RestoreAlphaChannel();
