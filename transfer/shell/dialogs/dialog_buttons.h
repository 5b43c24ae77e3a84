#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

namespace vrk {

// 确定 (the default) and 取消 for one of the program's own dialogs, named by the template ids
// 1 and 2 like every control, and wired to accept and reject.
QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog);

// `widget`, named by its template id, by which the program and its tests find it.
template <typename W>
W* Named(W* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

}  // namespace vrk
