#include "shell/dialogs/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "shell/windows/command_ids.h"
#include "shell/windows/shell_texts.h"

namespace vrk {

QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(&dialog);
    auto* ok = buttons->addButton(QString::fromUtf8(texts::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::number(ids::kIdOk));
    ok->setDefault(true);
    auto* cancel =
        buttons->addButton(QString::fromUtf8(texts::kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(ids::kIdCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace vrk
