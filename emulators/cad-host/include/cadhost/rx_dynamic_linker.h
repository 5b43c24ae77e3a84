#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "arx_types.h"
#include "rx_object.h"

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kQuitMsg = 8,
};
enum AppRetCode {
    kRetOK = 0,
    kRetError = 3,
};
}  // namespace AcRx

namespace cadhost {
class ApplicationTable;
}

// The host's loader of applications. Plug-ins call the two registration functions during
// kInitAppMsg; the host program uses the rest.
class AcRxDynamicLinker : public AcRxObject {
  public:
    AcRxDynamicLinker();
    ~AcRxDynamicLinker() override;

    static AcRxClass* desc();
    AcRxClass* isA() const override;

    // Allows the host to unload the application on request; applications start locked.
    Adesk::Boolean unlockApplication(void* appId) const;
    Adesk::Boolean lockApplication(void* appId) const;
    Adesk::Boolean isApplicationLocked(const char* name) const;
    // The application works with several open drawings.
    Adesk::Boolean registerAppMDIAware(void* appId) const;
    Adesk::Boolean isAppMDIAware(const char* name) const;

    // Host side: loading and unloading, with the table of loaded applications.
    cadhost::ApplicationTable& applications() const { return *m_table; }

  private:
    std::unique_ptr<cadhost::ApplicationTable> m_table;
};
