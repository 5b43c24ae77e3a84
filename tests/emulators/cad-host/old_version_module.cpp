// An application built against an older API: the host must refuse it before kInitAppMsg.
#include <cstdlib>

#include "cadhost/arx_api.h"

extern "C" int acrxGetApiVersion() {
    return 0x0F0000;
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void*) {
    if (msg == AcRx::kInitAppMsg) {
        acutPrintf("%s", "\nold module initialised\n");
    }
    return AcRx::kRetOK;
}
