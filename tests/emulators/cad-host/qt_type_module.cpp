// An application that registers a Qt type of its own first, so Qt's type registry points into it.
#include <QMetaType>

#include "cadhost/arx_api.h"

namespace {
struct ModuleOwnType {
    int value = 0;
};
}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    if (msg == AcRx::kInitAppMsg) {
        acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                           AcRxDynamicLinker::desc())
            ->unlockApplication(appId);
        static_cast<void>(QMetaType::fromType<ModuleOwnType>().id());
    }
    return AcRx::kRetOK;
}
