#include <memory>

#include "cadhost/arx_entry.h"
#include "cadhost/doc_manager.h"
#include "editor/attr_struct_dlg.h"
#include "host/arx_host_services.h"
#include "host/command_registration.h"
#include "host/extension_module.h"
#include "host/modal_command.h"
#include "schema/attribute_schema.h"

namespace {

// The plug-in's one schema; the dialog loads it when it opens and empties it when it closes.
quorbel::AttributeSchema& pluginSchema() {
    static quorbel::host::ArxHostServices services;
    static quorbel::AttributeSchema schema(services);
    return schema;
}

void quorbelCommand() {
    quorbel::host::runModalDialog(*acDocManagerPtr(), quorbel::host::pluginResourceHandle(),
                                  [] { return std::make_unique<CAttrStructDlg>(pluginSchema()); });
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg:
            quorbel::host::initApplication(appId, quorbelCommand);
            break;
        case AcRx::kUnloadAppMsg:
            quorbel::host::unloadApplication();
            break;
        default:
            break;
    }
    return AcRx::kRetOK;
}
