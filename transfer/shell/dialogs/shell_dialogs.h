#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "link/comm_settings.h"

class QPrinter;
class QWidget;

namespace vrk {

// The program's modal dialogs other than message boxes, behind one seam so that tests can
// answer them without a real modal loop.
class ShellDialogs {
  public:
    virtual ~ShellDialogs() = default;

    virtual std::optional<QString> chooseOpenFile(QWidget* parent) = 0;
    virtual std::optional<QString> chooseSaveFile(QWidget* parent, const QString& suggested) = 0;
    // 通讯参数设置: true and the new values when confirmed, false (values untouched) otherwise.
    virtual bool editCommSettings(QWidget* parent, CommSettings& settings) = 0;
    // The print dialog; true when the user chose to print.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    virtual void pageSetup(QWidget* parent, QPrinter& printer) = 0;
    // Print preview; `pages` says how many pages side by side (the stored preview setting).
    virtual void preview(QWidget* parent, QPrinter& printer, int& pages,
                         const std::function<void(QPrinter*)>& paint) = 0;
    virtual void about(QWidget* parent) = 0;
    // 端口映射: shows the COM port mapping and keeps it when confirmed; true when confirmed.
    virtual bool editPortMapping(QWidget* parent) = 0;
};

}  // namespace vrk
