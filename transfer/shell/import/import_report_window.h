#pragma once

#include <QWidget>

#include "import/import_result.h"

class QLabel;
class QPlainTextEdit;

namespace vrk {

// 导入报告: every record an import skipped, and every point it kept with something missing, by
// line of the file. A window of its own, so the user can keep it open beside the view.
class CImportReportWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit CImportReportWindow(QWidget* parent = nullptr);

    void show(const QString& fileName, const ImportResult& result);
    QString reportText() const;

  private:
    QLabel* summary_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
};

}  // namespace vrk
