// Captures message boxes shown on the current thread, records them and
// closes them at once, so no test ever blocks on one.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct CapturedBox {
    std::string text;
    std::string caption;
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
