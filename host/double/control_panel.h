// The options controls a host shows, as the control messages reach them:
// while an options window is open it answers 10106, 10108 and 10110 for
// the controls of the page it shows. For an action it shows no control of
// (or with no window open) the host keeps the value itself.
#pragma once
#include <stdint.h>
#include <string>

class ControlPanel {
public:
    // 10106: the value the control of `action` shows; false when no
    // control of that action is shown.
    virtual bool readControl(int32_t action, std::string* value) = 0;
    // 10108: the control's text (for a chooser, its list, one name a line).
    virtual bool setControlText(int32_t action, const std::string& text) = 0;
    // 10110: the control's value.
    virtual bool setControlValue(int32_t action, const std::string& value) = 0;

protected:
    ~ControlPanel() = default;
};
