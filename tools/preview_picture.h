// The composed notification picture as a PNG file.
#pragma once

// Writes the picture the notification window shows now: per-pixel alpha
// skins keep their alpha (colours no longer premultiplied), colour-key skins
// get the key transparent, everything else is opaque. False when there is
// no picture or the file cannot be written.
bool savePreviewPicture(const wchar_t* path);
