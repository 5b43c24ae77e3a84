#include <QMenu>
#include <QMessageBox>
#include <QPoint>
#include <QPushButton>

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

bool EditorMessageBoxPrompter::ask(const QString& text, const QString& caption, const QString& yes,
                                   const QString& no) {
    QMessageBox box(QMessageBox::Question, caption, text);
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(noButton);
    box.setEscapeButton(noButton);
    box.exec();
    // A box closed by accept() from outside (a scripted host) counts as the first button.
    return box.clickedButton() == yesButton ||
           (box.clickedButton() == nullptr && box.result() == QDialog::Accepted);
}

QAction* EditorMessageBoxPrompter::popup(QMenu& menu, const QPoint& globalPos) {
    return menu.exec(globalPos);
}

}  // namespace quorbel::editor
