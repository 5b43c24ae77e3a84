#include <memory>

#include "arx_host_services.h"
#include "attr_struct_dlg.h"
#include "attribute_schema.h"
#include "cadhost/arx_entry.h"
#include "cadhost/doc_manager.h"
#include "command_registration.h"
#include "extension_module.h"
#include "modal_command.h"

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
