#include "host/extension_module.h"

#include "cadhost/doc_manager.h"
#include "cadhost/resource_modules.h"

namespace quorbel::host {

bool attachExtensionModule(ExtensionModuleRecord& record, HINSTANCE instance) {
    if (record.attached) {
        return false;
    }
    if (!cadhostEnterResourceModule(instance)) {
        return false;
    }
    record.attached = true;
    record.defaultResource = acDocManagerPtr()->resourceHandle();
    record.moduleResource = instance;
    return true;
}

void detachExtensionModule(ExtensionModuleRecord& record) {
    if (!record.attached) {
        return;
    }
    cadhostLeaveResourceModule(record.moduleResource);
    record.attached = false;
}

HINSTANCE& moduleInstance() {
    static HINSTANCE instance = nullptr;
    return instance;
}

ExtensionModuleRecord& moduleRecord() {
    static ExtensionModuleRecord record;
    return record;
}

HINSTANCE pluginResourceHandle() {
    return moduleInstance() != nullptr ? moduleInstance() : moduleRecord().moduleResource;
}

}  // namespace quorbel::host
