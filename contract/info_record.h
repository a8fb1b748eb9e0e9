// Contact names and the info records copied to listening windows: fields
// written as SUB (code 26), key, "=", value, with no other separator.
#pragma once
#include <string>
#include "vorlane_notify.h"

const char INFO_SEPARATOR = NOTIFY_INFO_SEPARATOR;

// The first non-empty text of contact columns 8, 17, 6 and 0, or "".
std::string contactDisplayName(int row);
// The record with the field `key` set to `value`: replaced in place when the
// key is there (later fields keep their order), appended otherwise.
std::string setInfoField(const std::string& record, const std::string& key, const std::string& value);
