#pragma once

#include <QDialog>

namespace quorbel {
class AttributeSchema;
}

class CAttrStructDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAttrStructDlg(quorbel::AttributeSchema& schema, QWidget* parent = nullptr);
    ~CAttrStructDlg() override;

  private:
    quorbel::AttributeSchema& m_schema;
};
