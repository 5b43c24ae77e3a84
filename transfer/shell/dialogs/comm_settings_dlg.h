#pragma once

#include <QDialog>

#include <cstdint>

#include "link/comm_settings.h"

class QButtonGroup;
class QGridLayout;
class QLineEdit;

namespace vrk {

class Prompter;

// 通讯参数设置. Its members are what the dialog exchanges with its controls: six radio-group
// indexes and the receive delay. Validation on OK keeps the dialog open with the focus on the
// delay when the text is not an integer between 1 and 1000.
class CCommSettingsDlg final : public QDialog {
    Q_OBJECT
  public:
    CCommSettingsDlg(Prompter& prompter, QWidget* parent = nullptr);

    std::int32_t m_nBaud = -1;
    std::int32_t m_nDataBits = -1;
    std::int32_t m_nParity = -1;
    std::int32_t m_nPort = -1;
    std::int32_t m_nProtocol = -1;
    std::int32_t m_nStopBits = -1;
    std::int32_t m_nRecvDelay = 0;

    void setFrom(const CommSettings& settings);
    CommSettings values() const;

    // Reads the controls into the members; false (with the message shown) when the delay fails.
    bool UpdateData();

    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QButtonGroup* addGroup(QGridLayout* grid, int row, int column, const char* title,
                           std::initializer_list<std::pair<int, const char*>> buttons);
    void loadControls();

    Prompter& prompter_;
    QButtonGroup* baud_ = nullptr;
    QButtonGroup* dataBits_ = nullptr;
    QButtonGroup* parity_ = nullptr;
    QButtonGroup* port_ = nullptr;
    QButtonGroup* protocol_ = nullptr;
    QButtonGroup* stopBits_ = nullptr;
    QLineEdit* delay_ = nullptr;
};

}  // namespace vrk
