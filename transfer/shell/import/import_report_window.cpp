#include "shell/import/import_report_window.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrk {

namespace {

constexpr auto kReportTitle = "导入报告";
constexpr auto kSummary = "%1: 导入 %2 个点, 跳过 %3 条";
constexpr auto kLine = "第 %1 行: %2%3";
constexpr auto kSkippedMark = "(跳过) ";
constexpr auto kMore = "……另有 %1 条未列出";
constexpr auto kClose = "关闭";

}  // namespace

CImportReportWindow::CImportReportWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("CImportReportWindow"));
    setWindowTitle(QString::fromUtf8(kReportTitle));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel;
    layout->addWidget(summary_);
    lines_ = new QPlainTextEdit;
    lines_->setReadOnly(true);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(lines_);
    auto* buttons = new QDialogButtonBox;
    QPushButton* close =
        buttons->addButton(QString::fromUtf8(kClose), QDialogButtonBox::RejectRole);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(buttons);
    resize(560, 360);
}

void CImportReportWindow::show(const QString& fileName, const ImportResult& result) {
    summary_->setText(QString::fromUtf8(kSummary)
                          .arg(QFileInfo(fileName).fileName())
                          .arg(result.points)
                          .arg(result.skipped));
    QStringList lines;
    for (const ImportNote& note : result.notes) {
        lines << QString::fromUtf8(kLine).arg(note.line).arg(
            note.skipped ? QString::fromUtf8(kSkippedMark) : QString(),
            QString::fromStdString(note.text));
    }
    if (result.notesLeftOut != 0) {
        lines << QString::fromUtf8(kMore).arg(result.notesLeftOut);
    }
    lines_->setPlainText(lines.join(QLatin1Char('\n')));
    QWidget::show();
    raise();
}

QString CImportReportWindow::reportText() const {
    return lines_->toPlainText();
}

}  // namespace vrk
