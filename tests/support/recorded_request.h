// A notification request (MSG_ADD_NOTIFICATION) as a test saw it reach the
// notification window, copied field by field; and the 32-bit values of a
// record as the host recorded its bytes.
#pragma once
#include <string.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "window/notification_queue.h"

struct RecordedRequest {
    std::string text;
    bool textWasNull;
    HICON icon;
    HIMAGELIST imageList;
    int imageIndex, displayTime, clickable, clickValue;
    bool hasOrigin;
    int origin[3];  // when hasOrigin
};

inline RecordedRequest recordRequest(const NotificationRequest& n) {
    RecordedRequest r = {};
    r.textWasNull = !n.text;
    if (n.text) r.text = n.text;
    r.icon = n.icon;
    r.imageList = n.imageList;
    r.imageIndex = n.imageIndex;
    r.displayTime = n.displayTime;
    r.clickable = n.clickable;
    r.clickValue = n.clickValue;
    r.hasOrigin = n.origin != nullptr;
    if (n.origin)
        for (int i = 0; i < 3; i++) r.origin[i] = n.origin[i];
    return r;
}

// The little-endian 32-bit value at `offset`, 0 past the end of the bytes.
inline int32_t int32At(const uint8_t* bytes, size_t size, size_t offset) {
    int32_t v = 0;
    if (bytes && size >= offset + 4) memcpy(&v, bytes + offset, 4);
    return v;
}
inline int32_t int32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return int32At(bytes.data(), bytes.size(), offset);
}
