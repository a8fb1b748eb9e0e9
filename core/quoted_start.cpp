#include "quoted_start.h"
#include <string.h>

void appendQuotedStart(std::string& text, const char* source, int limit) {
    if (!source) source = "";
    text += "\n\"";
    if (limit > 0 && strnlen(source, (size_t)limit + 1) > (size_t)limit) {
        text.append(source, (size_t)limit);
        text += "...\"";
    } else {
        text += source;
        text += '"';
    }
}
