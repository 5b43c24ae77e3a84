#include "shell/dialogs/port_map_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "serial/com_port_device.h"
#include "shell/dialogs/dialog_buttons.h"
#include "shell/windows/command_ids.h"

namespace vrk {

namespace {

constexpr auto kPortMapTitle = "端口映射";
constexpr auto kIntro = "为每个通讯口选择串口设备，或直接键入设备路径（如 /dev/ttyUSB0）：";
constexpr auto kDefaultItem = "默认 (%1)";
constexpr auto kRefresh = "刷新";
constexpr auto kEnvironmentWins = "环境变量 %1 优先：%2";
constexpr int kMinimumComboWidth = 360;

QString DeviceItemText(const SerialDevice& device) {
    return QString::fromStdString(DescribeSerialDevice(device));
}

}  // namespace

CPortMapDlg::CPortMapDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(ids::kPortMappingDialog));
    setWindowTitle(QString::fromUtf8(kPortMapTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kIntro)));
    auto* grid = new QGridLayout;
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        const int row = number - kFirstComNumber;
        auto* combo = new QComboBox;
        combo->setObjectName(QString::number(ids::kPortMapFirst + row));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumWidth(kMinimumComboWidth);
        auto* label = new QLabel(QStringLiteral("COM%1").arg(number));
        label->setBuddy(combo);
        auto* override = new QLabel;
        override->setVisible(false);
        grid->addWidget(label, 2 * row, 0);
        grid->addWidget(combo, 2 * row, 1);
        grid->addWidget(override, 2 * row + 1, 1);
        combos_[static_cast<std::size_t>(row)] = combo;
        overrides_[static_cast<std::size_t>(row)] = override;
    }
    layout->addLayout(grid);

    QDialogButtonBox* buttons = MakeOkCancelButtons(*this);
    auto* refreshButton =
        buttons->addButton(QString::fromUtf8(kRefresh), QDialogButtonBox::ResetRole);
    refreshButton->setObjectName(QString::number(ids::kPortMapRefresh));
    connect(refreshButton, &QPushButton::clicked, this, &CPortMapDlg::refresh);
    layout->addWidget(buttons);

    devices_ = DiscoverSerialDevices();
    setFrom({});
}

QComboBox* CPortMapDlg::comboFor(int number) const {
    return combos_.at(static_cast<std::size_t>(number - kFirstComNumber));
}

void CPortMapDlg::fillRow(int number, const std::string& device) {
    QComboBox* combo = comboFor(number);
    combo->clear();
    combo->addItem(
        QString::fromUtf8(kDefaultItem).arg(QString::fromStdString(DefaultComDevice(number))),
        QString());
    for (const SerialDevice& found : devices_) {
        combo->addItem(DeviceItemText(found), QString::fromStdString(found.path));
    }
    const int index = device.empty() ? 0 : combo->findData(QString::fromStdString(device));
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->setEditText(QString::fromStdString(device));
    }

    // The variable is set before the start (a script, the demo): say so, the row is not in force.
    const ComDevice inForce = ComDeviceFor(number);
    QLabel* note = overrides_.at(static_cast<std::size_t>(number - kFirstComNumber));
    note->setVisible(inForce.source == ComDeviceSource::Environment);
    note->setText(
        QString::fromUtf8(kEnvironmentWins)
            .arg(QStringLiteral("VRK410_COM%1").arg(number), QString::fromStdString(inForce.path)));
}

void CPortMapDlg::setFrom(const PortMapping& mapping) {
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        fillRow(number, mapping.deviceFor(number));
    }
}

PortMapping CPortMapDlg::values() const {
    PortMapping mapping;
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        const QComboBox* combo = comboFor(number);
        const QString text = combo->currentText().trimmed();
        const int index = combo->findText(text);
        // A listed entry stands for its path; anything typed is a path itself.
        const QString device = index >= 0 ? combo->itemData(index).toString() : text;
        mapping.deviceFor(number) = device.toStdString();
    }
    return mapping;
}

void CPortMapDlg::refresh() {
    const PortMapping chosen = values();
    devices_ = DiscoverSerialDevices();
    setFrom(chosen);
}

}  // namespace vrk
