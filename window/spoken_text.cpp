#include "spoken_text.h"
#include <oleauto.h>
#include <string.h>
#include "notification_queue.h"
#include "wide_text.h"

std::wstring spokenLine(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        if (text.compare(at, 3, "<b>") == 0) {
            at += 3;
            continue;
        }
        unsigned char c = (unsigned char)text[at++];
        plain += c < 0x20 ? ' ' : (char)c;
    }
    WideText wide;
    wide.assign(plain.data(), (int)plain.size());
    return std::wstring(wide.c_str(), (size_t)wide.length());
}

std::wstring furtherLines(int row) {
    std::wstring lines;
    if (row < 0 || row >= notificationQueue.count()) return lines;
    for (int r = row; notificationQueue.row(r).continuesNext && r + 1 < notificationQueue.count(); ++r) {
        if (r > row) lines += L'\n';
        lines += spokenLine(notificationQueue.row(r + 1).text);
    }
    return lines;
}

std::wstring spokenNotification(int row) {
    if (row < 0 || row >= notificationQueue.count()) return std::wstring();
    std::wstring text = spokenLine(notificationQueue.row(row).text);
    std::wstring further = furtherLines(row);
    if (!further.empty()) text += L'\n' + further;
    return text;
}

BSTR newBstr(const std::wstring& text) { return SysAllocStringLen(text.data(), (UINT)text.size()); }
