#include "attr_struct_dlg.h"

CAttrStructDlg::CAttrStructDlg(quorbel::AttributeSchema& schema, QWidget* parent)
    : QDialog(parent), m_schema(schema) {}

CAttrStructDlg::~CAttrStructDlg() = default;
