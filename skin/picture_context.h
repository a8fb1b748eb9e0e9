// The device contexts the notification picture is drawn in, kept from one
// compose to the next: selecting a bitmap of the screen's format into a
// context costs about half of what drawing a line of text does (under
// Wine, 100 to 150 us each), so the picture stays selected in its context, with the look's
// normal font, and the skin's image in a context of its own, until the
// picture or the look changes. Whoever deletes the picture, the image or
// the fonts lets go of the contexts first.
#pragma once
#include <windows.h>

// The picture's context with `picture` and the look's normal font selected;
// made compatible with `like` when there is none yet (null `like`: no
// context is made). Null when it cannot be had.
HDC PictureContextFor(HBITMAP picture, HDC like);
// The picture's context while it holds `picture`, else null: `picture` is
// then selected into no kept context.
HDC HeldPictureContext(HBITMAP picture);
// The picture's context with the look's normal font selected, whatever
// picture it holds; null while there is none.
HDC KeptPictureContext();
// The skin image's context with skin.skinBitmap selected, made compatible
// with `like` when needed; null when it cannot be had.
HDC ImageContext(HDC like);
// Both contexts let go of what they hold and are deleted.
void ReleasePictureContexts();
// The picture's context lets go of the picture (it may be deleted now),
// and is kept.
void LetGoOfPicture();
