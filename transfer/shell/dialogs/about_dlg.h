#pragma once

#include <QDialog>

namespace vrk {

// 关于 VRK410传输软件: the icon, two lines and OK.
class CAboutDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace vrk
