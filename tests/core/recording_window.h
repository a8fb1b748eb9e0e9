// A window that stands in for the notification window: set as
// `notificationWindow`, it records the private messages the core sends it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "support/recorded_request.h"


struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    std::string text;  // MSG_BROADCAST_TEXT: the info record
};

class RecordingWindow {
public:
    RecordingWindow();   // creates the window and makes it `notificationWindow`
    ~RecordingWindow();  // destroys it unless the core already did
    HWND handle = nullptr;
    bool destroyed = false;
    LRESULT addResult = 7;  // the answer to MSG_ADD_NOTIFICATION
    std::vector<RecordedRequest> requests;
    std::vector<RecordedMessage> messages;  // every private message, in order
private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
};
