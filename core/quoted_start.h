// The quoted start of a text under a notification's first line: a message's
// body, a contact's or a network's status description.
#pragma once
#include <string>

// Appends a line feed and `source` in double quotes. With a limit above 0, a
// text longer than `limit` bytes is cut to its first `limit` and ends in
// `..."`, and no more than `limit` + 1 bytes of it are read, so a long text
// is never read to its end; a limit of 0 or less shows it whole. A null
// text is shown as an empty one.
void appendQuotedStart(std::string& text, const char* source, int limit);
