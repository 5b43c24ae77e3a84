#include "host/command_registration.h"

#include "cadhost/rx_dynamic_linker.h"
#include "cadhost/rx_object.h"

namespace quorbel::host {
namespace {

AcRxDynamicLinker* dynamicLinker() {
    return acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                              AcRxDynamicLinker::desc());
}

// Looked up once; a lookup that finds nothing is tried again on the next need.
AcRxClass* commandStackClass() {
    static AcRxClass* cached = nullptr;
    if (cached == nullptr) {
        AcRxDictionary* classes = AcRxDictionary::cast(acrxSysRegistry()->at("ClassDictionary"));
        cached = classes != nullptr ? acrxCheckedCast<AcRxClass>(classes->at("AcEdCommandStack"),
                                                                 AcRxClass::desc())
                                    : nullptr;
    }
    return cached;
}

AcEdCommandStack* commandStack() {
    return acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                             commandStackClass());
}

}  // namespace

void initApplication(void* appId, AcRxFunctionPtr command) {
    if (AcRxDynamicLinker* linker = dynamicLinker()) {
        linker->unlockApplication(appId);
    }
    if (AcRxDynamicLinker* linker = dynamicLinker()) {
        linker->registerAppMDIAware(appId);
    }
    if (AcEdCommandStack* commands = commandStack()) {
        commands->addCommand(kCommandGroup, kCommandName, kCommandName, kCommandFlags, command,
                             nullptr, kCommandFunctionCode, nullptr);
    }
}

void unloadApplication() {
    if (AcEdCommandStack* commands = commandStack()) {
        commands->removeGroup(kCommandGroup);
    }
}

}  // namespace quorbel::host
