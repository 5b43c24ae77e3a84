#include "cadhost/application_table.h"
#include "cadhost/rx_dynamic_linker.h"
#include "host_registry.h"

AcRxDynamicLinker::AcRxDynamicLinker()
    : m_table(std::make_unique<cadhost::ApplicationTable>(cadhost::systemModuleLoader())) {}

AcRxDynamicLinker::~AcRxDynamicLinker() = default;

AcRxClass* AcRxDynamicLinker::desc() {
    return &cadhost::hostClasses().dynamicLinker;
}

AcRxClass* AcRxDynamicLinker::isA() const {
    return desc();
}

Adesk::Boolean AcRxDynamicLinker::unlockApplication(void* appId) const {
    cadhost::LoadedApplication* app = m_table->byAppId(appId);
    if (app == nullptr) {
        return false;
    }
    app->locked = false;
    return true;
}

Adesk::Boolean AcRxDynamicLinker::lockApplication(void* appId) const {
    cadhost::LoadedApplication* app = m_table->byAppId(appId);
    if (app == nullptr) {
        return false;
    }
    app->locked = true;
    return true;
}

Adesk::Boolean AcRxDynamicLinker::isApplicationLocked(const char* name) const {
    const cadhost::LoadedApplication* app = name == nullptr ? nullptr : m_table->find(name);
    return app != nullptr && app->locked;
}

Adesk::Boolean AcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    cadhost::LoadedApplication* app = m_table->byAppId(appId);
    if (app == nullptr) {
        return false;
    }
    app->mdiAware = true;
    return true;
}

Adesk::Boolean AcRxDynamicLinker::isAppMDIAware(const char* name) const {
    const cadhost::LoadedApplication* app = name == nullptr ? nullptr : m_table->find(name);
    return app != nullptr && app->mdiAware;
}
