#pragma once

#include "cadhost/arx_types.h"

namespace quorbel::host {

// The framework's bookkeeping that lets the plug-in's own resources be found: which handle was
// current when the module attached, and the module's own.
struct ExtensionModuleRecord {
    bool attached = false;
    HINSTANCE defaultResource = nullptr;
    HINSTANCE moduleResource = nullptr;
};

// Answers false, changing nothing, when the record is already attached.
bool attachExtensionModule(ExtensionModuleRecord& record, HINSTANCE instance);
// Takes only this module out of the chain of resource modules.
void detachExtensionModule(ExtensionModuleRecord& record);

// The module-wide state from attach to detach.
HINSTANCE& moduleInstance();
ExtensionModuleRecord& moduleRecord();
// The handle pushed while the command runs.
HINSTANCE pluginResourceHandle();

}  // namespace quorbel::host
