// The plug-in's one export: the host hands every message to IMessageProc
// (exported as "_IMessageProc@4", stdcall) and takes its 32-bit answer.
#pragma once
#include "host_api.h"

extern "C" int __stdcall IMessageProc(HostMessage* message);
