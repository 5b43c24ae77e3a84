#include <QMenu>
#include <QMessageBox>
#include <QPoint>

#include "editor/dialog_template.h"
#include "editor/editor_prompter.h"

namespace quorbel::editor {

bool EditorMessageBoxPrompter::confirm(const QString& text, const QString& caption) {
    // No owner window, like the confirmation it replaces.
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void EditorMessageBoxPrompter::inform(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kDialogCaption), text, QMessageBox::Ok);
    box.exec();
}

QAction* EditorMessageBoxPrompter::popup(QMenu& menu, const QPoint& globalPos) {
    return menu.exec(globalPos);
}

}  // namespace quorbel::editor
