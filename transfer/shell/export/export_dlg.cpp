#include "shell/export/export_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <vector>

#include "export/coordinate_systems.h"
#include "shell/dialogs/dialog_buttons.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/export/crs_chooser.h"
#include "shell/export/export_in_background.h"
#include "shell/export/export_texts.h"
#include "shell/program_profile.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/vrk410_view.h"
#include "survey/delf_point_list.h"

namespace vrk {

namespace {

constexpr const char* kFormatKey = "Export/Format";
constexpr const char* kSystemKey = "Export/System";
constexpr const char* kEncodingKey = "Export/Encoding";
constexpr const char* kFileKey = "Export/File";
// Enough line numbers to find the lines; the rest are summed up.
constexpr std::size_t kListedLines = 12;

QString Summary(const SurveyPointList& list) {
    QString text = QString::fromUtf8(texts::kExportSummary)
                       .arg(list.points.size())
                       .arg(list.skippedLines.size());
    if (list.skippedLines.empty()) {
        return text;
    }
    QStringList numbers;
    for (std::size_t i = 0; i < list.skippedLines.size() && i < kListedLines; ++i) {
        numbers << QString::number(list.skippedLines[i]);
    }
    text += QString::fromUtf8(texts::kExportSkippedLines).arg(numbers.join(QStringLiteral("、")));
    if (list.skippedLines.size() > kListedLines) {
        text += QString::fromUtf8(texts::kExportMoreLines);
    }
    return text;
}

QString WithEnding(const QString& path, ExportFormat format) {
    return QString::fromStdString(WithFormatEnding(path.toStdString(), format));
}

}  // namespace

CExportDlg::CExportDlg(std::string viewText, ShellDialogs& dialogs, ShellPrompter& prompter,
                       QWidget* parent)
    : QDialog(parent),
      viewText_(std::move(viewText)),
      list_(ReadDelfPoints(viewText_)),
      dialogs_(dialogs),
      prompter_(prompter) {
    setObjectName(QString::number(ids::kExportDialog));
    setWindowTitle(QString::fromUtf8(texts::kExportTitle));
    summary_ = Named(new QLabel(Summary(list_)), ids::kExportSummary);
    summary_->setWordWrap(true);
    format_ = Named(new QComboBox, ids::kExportFormat);
    for (const ExportFormat format : kExportFormats) {
        format_->addItem(
            QString::fromUtf8(ExportFormatLabel(format).data(),
                              static_cast<qsizetype>(ExportFormatLabel(format).size())),
            static_cast<int>(format));
    }
    encoding_ = Named(new QComboBox, ids::kExportEncoding);
    encoding_->addItem(QStringLiteral("UTF-8"));
    encoding_->addItem(QStringLiteral("GBK"));
    file_ = Named(new QLineEdit, ids::kExportFile);
    auto* browse =
        Named(new QPushButton(QString::fromUtf8(texts::kExportBrowse)), ids::kExportBrowse);
    system_ = new CrsChooser;

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8(texts::kExportFormatLabel), format_);
    form->addRow(QString::fromUtf8(texts::kExportEncodingLabel), encoding_);
    form->addRow(QString::fromUtf8(texts::kExportFileLabel), fileRow);
    auto* systemBox = new QGroupBox(QString::fromUtf8(texts::kExportSystemGroup));
    auto* systemLayout = new QVBoxLayout(systemBox);
    systemLayout->addWidget(system_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addLayout(form);
    layout->addWidget(systemBox);
    layout->addWidget(MakeOkCancelButtons(*this));

    const QSettings profile = ProgramProfile();
    const auto format =
        ExportFormatFromWord(profile.value(QLatin1String(kFormatKey)).toString().toStdString());
    format_->setCurrentIndex(
        format_->findData(static_cast<int>(format.value_or(ExportFormat::kDxf))));
    encoding_->setCurrentIndex(
        profile.value(QLatin1String(kEncodingKey)).toString() == QStringLiteral("GBK") ? 1 : 0);
    system_->setEpsg(
        profile.value(QLatin1String(kSystemKey), GaussKrugerEpsg(GaussKrugerZone{})).toInt());
    std::vector<double> eastings;
    eastings.reserve(list_.points.size());
    for (const SurveyPoint& point : list_.points) {
        eastings.push_back(point.y);
    }
    system_->proposeFrom(eastings);
    const QString lastFile = profile.value(QLatin1String(kFileKey)).toString();
    const QFileInfo last(lastFile);
    file_->setText(lastFile.isEmpty()
                       ? QDir::home().filePath(QString::fromUtf8(texts::kExportDefaultName))
                       : last.dir().filePath(last.completeBaseName()));
    formatChanged();

    connect(format_, &QComboBox::currentIndexChanged, this, &CExportDlg::formatChanged);
    connect(browse, &QPushButton::clicked, this, &CExportDlg::browse);
}

ExportFormat CExportDlg::chosenFormat() const {
    return static_cast<ExportFormat>(format_->currentData().toInt());
}

void CExportDlg::formatChanged() {
    encoding_->setEnabled(chosenFormat() == ExportFormat::kCsv);
    if (!file_->text().isEmpty()) {
        const QFileInfo info(file_->text());
        const bool known = ExportFormatFromWord(info.suffix().toLower().toStdString()).has_value();
        const QString stem = known ? info.dir().filePath(info.completeBaseName()) : file_->text();
        file_->setText(WithEnding(stem, chosenFormat()));
    }
}

void CExportDlg::browse() {
    const QString suggested = WithEnding(file_->text(), chosenFormat());
    if (const auto chosen = dialogs_.chooseSaveFile(this, suggested)) {
        file_->setText(WithEnding(*chosen, chosenFormat()));
        // The file dialog has asked about replacing it already.
        confirmedReplace_ = *chosen == file_->text() ? file_->text() : QString();
    }
}

void CExportDlg::keepChoices() const {
    QSettings profile = ProgramProfile();
    const std::string_view word = ExportFormatWord(chosenFormat());
    profile.setValue(QLatin1String(kFormatKey),
                     QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    profile.setValue(QLatin1String(kSystemKey), system_->epsg());
    profile.setValue(QLatin1String(kEncodingKey), encoding_->currentText());
    profile.setValue(QLatin1String(kFileKey), file_->text());
}

void CExportDlg::accept() {
    if (file_->text().trimmed().isEmpty()) {
        prompter_.showMessage(texts::kExportNeedsFile);
        return;
    }
    const QString path = WithEnding(file_->text().trimmed(), chosenFormat());
    file_->setText(path);
    ExportRequest request{chosenFormat(), system_->epsg(),
                          chosenFormat() == ExportFormat::kCsv && encoding_->currentIndex() == 1,
                          path.toStdString()};
    if (const auto refusal = ExportRefusal(request, list_)) {
        prompter_.showMessage(*refusal);
        return;
    }
    if (QFileInfo::exists(path) && path != confirmedReplace_ &&
        !prompter_.askYesNo(QString::fromUtf8(texts::kExportReplace).arg(path).toStdString())) {
        return;
    }
    keepChoices();
    setEnabled(false);
    const ExportOutcome outcome = ExportInBackground(this, viewText_, list_, request);
    setEnabled(true);
    result_ = QString::fromStdString(outcome.message);
    if (!outcome.written) {
        prompter_.showMessage(outcome.message);
        return;
    }
    QDialog::accept();
}

QString ShowExportDialog(QWidget* parent, CVRK410View& view, ShellDialogs& dialogs) {
    CExportDlg dialog(view.rawText().bytes, dialogs, view.prompter(), parent);
    return dialog.exec() == QDialog::Accepted ? dialog.result() : QString();
}

}  // namespace vrk
