// The parts of a status value as the host reports it (messages 24011,
// 24012 and contact column 2).
#pragma once

// Status codes live in the low 8 bits.
const int STATUS_CODE_MASK = 0xFF;
// Marks a status that is never notified.
const int STATUS_SILENT = 0x400;
// The code of a connection attempt in progress.
const int STATUS_CONNECTING = 0xF1;
// "Only the description changed" in place of a new status.
const int STATUS_DESCRIPTION_ONLY = -1;

// The status codes the host reports (the low 8 bits).
const int STATUS_OFFLINE = 0x00;
const int STATUS_UNREACHABLE = 0x21;
const int STATUS_BUSY = 0x22;
const int STATUS_AVAILABLE = 0x40;
const int STATUS_AWAY = 0x41;
const int STATUS_INVISIBLE = 0x42;
const int STATUS_CHAT = 0x43;
