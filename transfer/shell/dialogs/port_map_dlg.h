#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "serial/port_discovery.h"
#include "serial/port_mapping.h"

class QComboBox;
class QLabel;

namespace vrk {

// 端口映射: which device each of COM1 … COM6 stands for. Each row offers the default device and
// every serial device the system reports, and takes a typed path (pseudo-terminals and aliases
// are not reported). 刷新 lists the devices again, for an adapter plugged in after the start.
class CPortMapDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CPortMapDlg(QWidget* parent = nullptr);

    void setFrom(const PortMapping& mapping);
    // The chosen devices; an empty entry keeps the default.
    PortMapping values() const;

    // Lists the system's serial devices again, keeping each row's choice.
    void refresh();

    QComboBox* comboFor(int number) const;

  private:
    void fillRow(int number, const std::string& device);

    std::array<QComboBox*, kLastComNumber> combos_{};
    std::array<QLabel*, kLastComNumber> overrides_{};
    std::vector<SerialDevice> devices_;
};

}  // namespace vrk
