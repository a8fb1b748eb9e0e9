// Captures message boxes shown on the current thread, records them and
// closes them at once, so no test ever blocks on one. Their texts are read
// as UTF-16, as the box shows them, and also given in Windows-1250, the
// plug-in's texts, to compare with its literals in any system code page.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct CapturedBox {
    std::wstring wideText;
    std::wstring wideCaption;
    std::string text;     // wideText in 1250
    std::string caption;  // wideCaption in 1250
    UINT style;    // icon bits (MB_ICONERROR, ...) and buttons (MB_OK, ...) as seen
    HWND owner;
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher();   // hooks the calling thread
    ~MessageBoxCatcher();
    std::vector<CapturedBox> boxes;
    static MessageBoxCatcher* active;
private:
    HHOOK hook;
    static LRESULT CALLBACK cbt(int code, WPARAM wParam, LPARAM lParam);
};
