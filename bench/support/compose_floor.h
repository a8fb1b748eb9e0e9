// The floor of composing: the drawing calls composing the queued lines in
// the active look must make, made directly on one memory device context
// prepared beforehand (picture, brushes and source image already in place):
// the background, each row's icon, and for each text segment its
// GetTextExtentPoint32A (measuring and drawing) and DrawTextA (shadow, text).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

class ComposeFloor {
public:
    // For the queue and look as they are, in the size the last compose gave.
    ComposeFloor();
    ~ComposeFloor();
    void draw();  // the three parts below, in turn
    void measure();
    void background();
    void rows();

private:
    struct Segment {
        std::string text;
        HFONT measureFont, drawFont;
    };
    struct Row {
        std::vector<Segment> segments;
        HICON icon;
        HIMAGELIST list;
        int index;
        int iconX, iconY;
        RECT box;
    };
    std::vector<Row> lines;
    HDC dc = nullptr, source = nullptr;
    HBITMAP picture = nullptr, sourceCopy = nullptr;
    HGDIOBJ oldPicture = nullptr, oldSource = nullptr, oldBrush = nullptr, oldPen = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;

    void text(const Row& row, const RECT& box);
};
