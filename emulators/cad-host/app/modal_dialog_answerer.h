#pragma once

#include <QObject>
#include <QPointer>

#include "dialog_script.h"

class QDialog;

namespace cadhost {

// Watches for modal dialogs that commands open, reports each on the command line, and closes it
// with the next scripted answer. Without an answer it leaves the dialog to the user, or, where
// there is no user (console mode), cancels it so a script never hangs.
class ModalDialogAnswerer : public QObject {
    Q_OBJECT
  public:
    ModalDialogAnswerer(DialogScript& script, bool cancelUnanswered, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void answer(QPointer<QDialog> dialog);
    void saveShot(QPointer<QDialog> dialog, const QString& path);

    DialogScript& m_script;
    bool m_cancelUnanswered;
};

}  // namespace cadhost
