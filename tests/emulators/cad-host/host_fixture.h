#pragma once

#include <dlfcn.h>

#include "cadhost/application_table.h"
#include "cadhost/arx_api.h"

inline cadhost::ApplicationTable& hostApplications() {
    auto* linker = acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                                      AcRxDynamicLinker::desc());
    return linker->applications();
}

inline AcEdCommandStack& hostCommands() {
    return *acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                              AcEdCommandStack::desc());
}

inline AcRxDynamicLinker& hostLinker() {
    return *acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                               AcRxDynamicLinker::desc());
}

// Whether the dynamic loader still has the file mapped: RTLD_NOLOAD opens only what is loaded.
inline bool moduleStillLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) {
        return false;
    }
    dlclose(handle);
    return true;
}
