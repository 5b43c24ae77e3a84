// The module's attach and detach: the dynamic loader runs these when it maps and unmaps the file,
// where a Windows DLL gets its process attach and detach.
#include <dlfcn.h>

#include "cadhost/host_functions.h"
#include "host/extension_module.h"

namespace {

// The module's instance handle is its load address, as a DLL's is.
HINSTANCE ownLoadAddress() {
    Dl_info info{};
    static const char anchor = 0;
    if (dladdr(&anchor, &info) == 0) {
        return nullptr;
    }
    return info.dli_fbase;
}

__attribute__((constructor)) void processAttach() {
    using namespace quorbel::host;
    moduleInstance() = ownLoadAddress();
    // A second attach is refused by the record itself, and nothing needs to come of it here.
    attachExtensionModule(moduleRecord(), moduleInstance());
    InitAcUiDLL();
}

__attribute__((destructor)) void processDetach() {
    quorbel::host::detachExtensionModule(quorbel::host::moduleRecord());
}

}  // namespace
