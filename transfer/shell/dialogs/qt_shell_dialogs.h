#pragma once

#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"

namespace vrk {

// The real dialogs: file choosers offering only all files, the settings dialog, Qt's print,
// page setup and preview dialogs, and the About box.
class QtShellDialogs final : public ShellDialogs {
  public:
    explicit QtShellDialogs(ShellPrompter& prompter) : prompter_(prompter) {}

    std::optional<QString> chooseOpenFile(QWidget* parent) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const QString& suggested) override;
    bool editCommSettings(QWidget* parent, CommSettings& settings) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void pageSetup(QWidget* parent, QPrinter& printer) override;
    void preview(QWidget* parent, QPrinter& printer, int& pages,
                 const std::function<void(QPrinter*)>& paint) override;
    void about(QWidget* parent) override;
    bool editPortMapping(QWidget* parent) override;

  private:
    ShellPrompter& prompter_;
};

}  // namespace vrk
