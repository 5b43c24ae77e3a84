#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "export/export_format.h"
#include "export/export_run.h"
#include "survey/survey_point.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace vrk {

class CrsChooser;
class CVRK410View;
class ShellDialogs;
class ShellPrompter;

// 导出: the view's DELF points to a CAD or GIS file, in a chosen format and coordinate system. It
// says how many points go and which lines are skipped, asks before it replaces a file, and stays
// open when the export is refused or fails, with the reason in a message box.
class CExportDlg final : public QDialog {
    Q_OBJECT
  public:
    CExportDlg(std::string viewText, ShellDialogs& dialogs, ShellPrompter& prompter,
               QWidget* parent = nullptr);

    QLabel& summary() const { return *summary_; }
    QComboBox& format() const { return *format_; }
    QComboBox& encoding() const { return *encoding_; }
    QLineEdit& file() const { return *file_; }
    CrsChooser& system() const { return *system_; }

    // What the last export said; empty before one ran.
    const QString& result() const { return result_; }

    void accept() override;

  private:
    ExportFormat chosenFormat() const;
    void browse();
    void formatChanged();
    void keepChoices() const;

    std::string viewText_;
    SurveyPointList list_;
    ShellDialogs& dialogs_;
    ShellPrompter& prompter_;
    QLabel* summary_ = nullptr;
    QComboBox* format_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QLineEdit* file_ = nullptr;
    CrsChooser* system_ = nullptr;
    QString confirmedReplace_;
    QString result_;
};

// Opens the dialog on the view's text; answers what the export wrote, or nothing.
QString ShowExportDialog(QWidget* parent, CVRK410View& view, ShellDialogs& dialogs);

}  // namespace vrk
