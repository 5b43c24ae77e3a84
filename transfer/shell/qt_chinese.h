#pragma once

class QCoreApplication;

namespace vrk {

// Loads Qt's own Chinese (qtbase_zh_CN from the system's Qt translations) so that the standard
// buttons read 是(Y)/否(N) and 确定 and the file, print, preview and page dialogs are Chinese.
// False, and the program goes on in Qt's English, when the translations are not installed.
bool InstallQtChinese(QCoreApplication& app);

}  // namespace vrk
