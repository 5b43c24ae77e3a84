// Stands in for the dialog's sources until the grid library is part of the build: the dialog
// opens empty and closes without touching the schema.
#include "attr_struct_dlg.h"

#include "attribute_schema.h"

CAttrStructDlg::CAttrStructDlg(quorbel::AttributeSchema& schema, QWidget* parent)
    : QDialog(parent), m_schema(schema) {}

CAttrStructDlg::~CAttrStructDlg() {
    m_schema.clear();
}

void CAttrStructDlg::setPrompter(quorbel::editor::EditorPrompter* prompter) {
    m_prompter = prompter != nullptr ? prompter : &m_messageBoxes;
}

void CAttrStructDlg::onCommand(int) {}

void CAttrStructDlg::accept() {
    QDialog::accept();
}

void CAttrStructDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
}

void CAttrStructDlg::contextMenuEvent(QContextMenuEvent* event) {
    QDialog::contextMenuEvent(event);
}

bool CAttrStructDlg::event(QEvent* event) {
    return QDialog::event(event);
}
