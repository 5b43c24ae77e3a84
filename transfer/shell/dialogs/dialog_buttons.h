#pragma once

class QDialog;
class QDialogButtonBox;

namespace vrk {

// 确定 (the default) and 取消 for one of the program's own dialogs, named by the template ids
// 1 and 2 like every control, and wired to accept and reject.
QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog);

}  // namespace vrk
