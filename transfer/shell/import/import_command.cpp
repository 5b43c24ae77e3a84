#include "shell/import/import_command.h"

#include "commands/confirm_discard.h"
#include "files/file_reader.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/import/import_dlg.h"
#include "shell/import/import_profile.h"
#include "shell/import/import_report_window.h"
#include "shell/windows/file_failure_reason.h"
#include "shell/windows/shell_texts.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"

namespace vrk {

namespace {

// An instrument's file is two to three times the DELF text it makes; the text itself may not
// pass the document's limit.
constexpr qint64 kMaxImportFileSize = 4 * CVRK410Doc::kMaxFileSize;
constexpr auto kImportTooLarge = "该文件太大，无法导入。";
constexpr auto kStatus = "导入 %1 个点, 跳过 %2 条";

bool ReadImportFile(const QString& path, std::string& bytes, ShellPrompter& prompter) {
    const FileResult read =
        ReadFile(LocalPath(path), bytes, static_cast<std::size_t>(kMaxImportFileSize));
    if (read.fault == FileFault::TooLarge) {
        prompter.showMessage(kImportTooLarge);
        return false;
    }
    if (!read.ok()) {
        prompter.showMessage((QString::fromUtf8(texts::kOpenFailed) + QLatin1Char('\n') +
                              OpenFailureReason(path, read))
                                 .toStdString());
        return false;
    }
    return true;
}

CImportReportWindow& ReportWindow(QWidget* frame) {
    auto* window = frame->findChild<CImportReportWindow*>();
    return window != nullptr ? *window : *new CImportReportWindow(frame);
}

}  // namespace

QString OnFileImport(CVRK410View& view, ShellDialogs& dialogs, QWidget* frame) {
    // The result replaces the text a running transfer is still writing into.
    if (view.isTransferRunning() || !ConfirmDiscardText(view.textServices(), view.prompter())) {
        return {};
    }
    const std::optional<QString> path = dialogs.chooseOpenFile(frame);
    std::string bytes;
    if (!path || !ReadImportFile(*path, bytes, view.prompter())) {
        return {};
    }
    const ImportFormat detected = DetectImportFormat(bytes);
    CImportDlg dialog(*path, bytes, detected, LoadImportColumns(), frame);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const ImportChoice choice = dialog.choice();
    ImportOptions options;
    options.delimited = choice.delimited;
    options.maxTextBytes = static_cast<std::size_t>(CVRK410Doc::kMaxFileSize);
    const ImportResult result = ImportSurveyFile(bytes, choice.format, options);
    if (!result.ok) {
        view.prompter().showMessage(result.message);
        return {};
    }
    if (choice.format == ImportFormat::Delimited) {
        SaveImportColumns(choice.delimited);
    }
    view.textServices().clearText();
    view.textServices().setText(result.text);
    if (!result.notes.empty()) {
        ReportWindow(frame).show(*path, result);
    } else if (auto* stale = frame->findChild<CImportReportWindow*>()) {
        stale->close();  // it told of an earlier file
    }
    return QString::fromUtf8(kStatus).arg(result.points).arg(result.skipped);
}

}  // namespace vrk
