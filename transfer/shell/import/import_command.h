#pragma once

#include <QString>

class QWidget;

namespace vrk {

class CVRK410View;
class ShellDialogs;

// 文件 → 导入: the unsaved-text question first, then a file, the import dialog, and the view's
// text replaced by the DELF lines read; the report window lists what was skipped. Answers the
// status-bar text ("导入 N 个点, 跳过 M 条"), empty when the text was not replaced.
QString OnFileImport(CVRK410View& view, ShellDialogs& dialogs, QWidget* frame);

}  // namespace vrk
