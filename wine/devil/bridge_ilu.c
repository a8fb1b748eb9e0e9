/* ILU.dll: the utility library; the plug-in only initialises it and asks
 * its version. */
#include "bridge_common.h"
#include <IL/ilu.h>

ILint WINAPI bridge_iluGetInteger(ILenum mode)
{
    return BRIDGE_VERSION_ANSWER("ilu", mode, iluGetInteger(mode));
}

void WINAPI bridge_iluInit(void) { iluInit(); }
