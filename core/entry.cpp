// PLACEHOLDER: owned by the core/host work; replace whole.
#include "plugin_state.h"
extern "C" int __stdcall IMessageProc(HostMessage*) { return 0; }
