#include "shell/dialogs/comm_settings_dlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "interfaces/prompter.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/shell_texts.h"

namespace vrk {

namespace {

QString IdName(int id) {
    return QString::number(id);
}

void CheckIndex(QButtonGroup* group, std::int32_t index) {
    const auto buttons = group->buttons();
    if (index >= 0 && index < buttons.size()) {
        buttons[index]->setChecked(true);
    }
}

std::int32_t CheckedIndex(const QButtonGroup* group) {
    const auto buttons = group->buttons();
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

}  // namespace

CCommSettingsDlg::CCommSettingsDlg(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(IdName(ids::kCommSettingsDialog));
    setWindowTitle(QString::fromUtf8(texts::kSettingsTitle));
    auto* grid = new QGridLayout;

    // Created in the template's tab order: protocol, delay, port, baud, data bits, stop bits,
    // parity, then the buttons.
    protocol_ =
        addGroup(grid, 0, 0, "协议",
                 {{ids::kProtocolNoneButton, "None"}, {ids::kProtocolAckNakButton, "Ack/Nak"}});
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(new QLabel(QString::fromUtf8("接收延时；")));
    delay_ = new QLineEdit;
    delay_->setObjectName(IdName(ids::kRecvDelay));
    delayRow->addWidget(delay_);
    delayRow->addWidget(new QLabel(QString::fromUtf8("秒")));
    grid->addLayout(delayRow, 0, 1, 1, 2);
    port_ = addGroup(grid, 1, 0, "通讯口",
                     {{ids::kPortFirst, "COM1"},
                      {ids::kPortFirst + 1, "COM2"},
                      {ids::kPortFirst + 2, "COM3"},
                      {ids::kPortFirst + 3, "COM4"},
                      {ids::kPortFirst + 4, "COM5"},
                      {ids::kPortFirst + 5, "COM6"}});
    baud_ = addGroup(grid, 1, 1, "波特率",
                     {{ids::kBaud1200, "1200"},
                      {ids::kBaud2400, "2400"},
                      {ids::kBaud4800, "4800"},
                      {ids::kBaud9600, "9600"},
                      {ids::kBaud19200, "19200"}});
    dataBits_ = addGroup(grid, 1, 2, "数据位", {{ids::kDataBits7, "7"}, {ids::kDataBits8, "8"}});
    stopBits_ = addGroup(grid, 2, 0, "停止位", {{ids::kStopBits1, "1"}, {ids::kStopBits2, "2"}});
    parity_ =
        addGroup(grid, 2, 1, "校验",
                 {{ids::kParityNone, "无"}, {ids::kParityOdd, "奇"}, {ids::kParityEven, "偶"}});

    auto* ok = new QPushButton(QString::fromUtf8("确    定"));
    ok->setObjectName(IdName(ids::kIdOk));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8("取    消"));
    cancel->setObjectName(IdName(ids::kIdCancel));
    connect(ok, &QPushButton::clicked, this, &CCommSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CCommSettingsDlg::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 2, 2);
    setLayout(grid);
}

QButtonGroup* CCommSettingsDlg::addGroup(
    QGridLayout* grid, int row, int column, const char* title,
    std::initializer_list<std::pair<int, const char*>> buttons) {
    auto* box = new QGroupBox(QString::fromUtf8(title));
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (const auto& [id, text] : buttons) {
        auto* radio = new QRadioButton(QString::fromUtf8(text));
        radio->setObjectName(IdName(id));
        group->addButton(radio, id);
        layout->addWidget(radio);
    }
    grid->addWidget(box, row, column);
    return group;
}

void CCommSettingsDlg::setFrom(const CommSettings& settings) {
    m_nBaud = settings.m_nBaud;
    m_nDataBits = settings.m_nDataBits;
    m_nParity = settings.m_nParity;
    m_nPort = settings.m_nPort;
    m_nProtocol = settings.m_nProtocol;
    m_nStopBits = settings.m_nStopBits;
    m_nRecvDelay = settings.m_nRecvDelay;
    loadControls();
}

CommSettings CCommSettingsDlg::values() const {
    CommSettings s;
    s.m_nPort = m_nPort;
    s.m_nProtocol = m_nProtocol;
    s.m_nRecvDelay = m_nRecvDelay;
    s.m_nBaud = m_nBaud;
    s.m_nDataBits = m_nDataBits;
    s.m_nStopBits = m_nStopBits;
    s.m_nParity = m_nParity;
    return s;
}

void CCommSettingsDlg::loadControls() {
    CheckIndex(baud_, m_nBaud);
    CheckIndex(dataBits_, m_nDataBits);
    CheckIndex(parity_, m_nParity);
    CheckIndex(port_, m_nPort);
    CheckIndex(protocol_, m_nProtocol);
    CheckIndex(stopBits_, m_nStopBits);
    delay_->setText(QString::number(m_nRecvDelay));
}

void CCommSettingsDlg::showEvent(QShowEvent* event) {
    loadControls();
    QDialog::showEvent(event);
}

bool CCommSettingsDlg::UpdateData() {
    const std::int32_t baud = CheckedIndex(baud_);
    const std::int32_t dataBits = CheckedIndex(dataBits_);
    const std::int32_t parity = CheckedIndex(parity_);
    const std::int32_t port = CheckedIndex(port_);
    const std::int32_t protocol = CheckedIndex(protocol_);
    const std::int32_t stopBits = CheckedIndex(stopBits_);
    bool ok = false;
    const int delay = delay_->text().trimmed().toInt(&ok, 10);
    const auto refuse = [this](const QString& message) {
        prompter_.showMessage(message.toStdString());
        delay_->setFocus();
        delay_->selectAll();
        return false;
    };
    if (!ok) {
        return refuse(QString::fromUtf8(texts::kEnterInteger));
    }
    if (delay < kMinRecvDelay || delay > kMaxRecvDelay) {
        return refuse(
            QString::fromUtf8(texts::kEnterIntegerBetween).arg(kMinRecvDelay).arg(kMaxRecvDelay));
    }
    m_nBaud = baud;
    m_nDataBits = dataBits;
    m_nParity = parity;
    m_nPort = port;
    m_nProtocol = protocol;
    m_nStopBits = stopBits;
    m_nRecvDelay = delay;
    return true;
}

void CCommSettingsDlg::accept() {
    if (UpdateData()) {
        QDialog::accept();
    }
}

}  // namespace vrk
