#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace vrk {

// 打印设置: the printer and the paper (size and orientation) that 打印 and 打印预览 then use.
// Qt's page set-up dialog on this platform offers the paper only, not the printer.
class CPrintSetupDlg final : public QDialog {
    Q_OBJECT
  public:
    CPrintSetupDlg(QPrinter& printer, QWidget* parent = nullptr);

    void accept() override;

  private:
    QPrinter& printer_;
    QComboBox* printers_ = nullptr;
    QComboBox* paper_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
};

}  // namespace vrk
