// What the skin tests share (tests/skin, tests/skin16): a stand-in host for
// the settings, the plug-in's own start-up (DevIL, window class, layering
// lookup), a record of the notification requests sent to the notification
// window, and a few helpers for queues and pictures.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "host/double/stand_in_host.h"
#include "support/message_boxes.h"
#include "support/recorded_request.h"
#include "support/win_helpers.h"
#include "window/notification_queue.h"

// Every MSG_ADD_NOTIFICATION the notification window received.
extern std::vector<RecordedRequest> recordedRequests;

// Per test: the given stand-in host as the plug-in's host (the first call
// also runs the plug-in's start-up with it), the real UpdateLayeredWindow,
// an empty queue, requests recorded, and the default look.
void beginSkinScene(StandInHost* stand);
// Destroys the window, empties the queue, drops the host.
void endSkinScene();

// UpdateLayeredWindow as the start-up resolves it.
void useSystemLayering();

// A queue row as the window code would store it.
void addLine(const std::string& text, HICON icon = nullptr, HIMAGELIST list = nullptr, int index = 0,
             int clickable = 0);

// A picture of one colour (0xAARRGGBB).
std::vector<uint32_t> solid(int width, int height, uint32_t colour);

// The composed picture as 0xAARRGGBB, top row first.
std::vector<uint32_t> composedPixels(int* width = nullptr, int* height = nullptr);

// First and last column in [x0, x1) x [y0, y1) whose pixel differs from
// `background` (RGB only); -1 when there is none.
int firstInk(const std::vector<uint32_t>& px, int width, uint32_t background, int x0, int x1, int y0, int y1);
int lastInk(const std::vector<uint32_t>& px, int width, uint32_t background, int x0, int x1, int y0, int y1);

// A definition file in `dir` named NAME.ini.
void writeSkin(const TempDir& dir, const std::string& name, const std::string& text);

// A bitmap compatible with the screen holding `pixels` (0xAARRGGBB, top row
// first; the alpha byte is kept on 32-bit screens).
HBITMAP makeBitmap(int width, int height, const std::vector<uint32_t>& pixels);
// A 16 x 16 icon of one colour (COLORREF), fully opaque.
HICON solidIcon(COLORREF colour);
// The active skin uses `bitmap` as its background, sliced by `slice` on all sides.
void useSkinBitmap(HBITMAP bitmap, int slice);
