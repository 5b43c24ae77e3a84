#include "cadhost/arx_entry.h"

// What the host's SDK links into every application: the version the module was built against.
extern "C" int acrxGetApiVersion() {
    return kArxApiVersion;
}
