#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "cadhost/doc_manager.h"

namespace quorbel::host {

using DialogFactory = std::function<std::unique_ptr<QDialog>()>;

// Runs the dialog that the factory makes, modally, with the given resource handle pushed. The
// dialog's result is not examined. When the factory or the modal run throws, the dialog is
// destroyed and the handle popped before the exception goes on; a factory that makes nothing
// ends the command quietly.
void runModalDialog(AcApDocManager& documents, HINSTANCE resourceHandle,
                    const DialogFactory& makeDialog);

}  // namespace quorbel::host
