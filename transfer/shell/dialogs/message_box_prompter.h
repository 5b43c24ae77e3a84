#pragma once

#include <QPointer>
#include <QWidget>

#include "shell/dialogs/shell_prompter.h"

namespace vrk {

// The real message boxes. Called on the UI thread only (workers go through UiThreadPrompter).
class MessageBoxPrompter final : public ShellPrompter {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    SaveAnswer askSaveChanges(const QString& documentName) override;
    bool askSendAnyway(const UploadFindings& findings) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace vrk
