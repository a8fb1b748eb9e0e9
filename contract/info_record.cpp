#include "info_record.h"
#include "config_columns.h"
#include "host_api.h"

std::string contactDisplayName(int row) {
    static const int candidates[] = {COLUMN_NAME, COLUMN_OTHER_NAME, COLUMN_FIRST_NAME, COLUMN_USER_ID};
    for (int column : candidates) {
        // Null buffer: the host hands out its own text, copied at once.
        const char* text = contactString(row, column, nullptr, 0);
        if (text && text[0]) return std::string(text);
    }
    return std::string();
}

std::string setInfoField(const std::string& record, const std::string& key, const std::string& value) {
    if (key.empty()) return record;
    // The leading separator and the "=" keep a key from matching the tail of a longer one.
    std::string needle = std::string(1, INFO_SEPARATOR) + key + "=";
    std::string prefix = record, rest;
    size_t start = record.find(needle);
    if (start != std::string::npos) {
        prefix = record.substr(0, start);
        size_t next = record.find(INFO_SEPARATOR, start + 1);
        if (next != std::string::npos) rest = record.substr(next);
    }
    return prefix + needle + value + rest;
}
