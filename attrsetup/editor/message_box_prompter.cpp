#include <QMenu>
#include <QMessageBox>
#include <QPoint>

#include "editor_prompter.h"

namespace quorbel::editor {

bool MessageBoxPrompter::confirm(const QString& text, const QString& caption) {
    // No owner window, like the confirmation it replaces.
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void MessageBoxPrompter::inform(const QString& text) {
    // The dialog's own caption would need the dialog; the host's standard box has an empty one.
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok);
    box.exec();
}

QAction* MessageBoxPrompter::popup(QMenu& menu, const QPoint& globalPos) {
    return menu.exec(globalPos);
}

}  // namespace quorbel::editor
