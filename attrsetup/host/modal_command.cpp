#include "host/modal_command.h"

#include "host/resource_scope.h"

namespace quorbel::host {

void runModalDialog(AcApDocManager& documents, HINSTANCE resourceHandle,
                    const DialogFactory& makeDialog) {
    const ResourceScope resources(documents, resourceHandle);
    // Declared after the scope, so the dialog is gone before the handle is popped.
    const std::unique_ptr<QDialog> dialog = makeDialog();
    if (dialog) {
        dialog->exec();
    }
}

}  // namespace quorbel::host
