#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "import/survey_import.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace vrk {

// What the user chose in the import dialog.
struct ImportChoice {
    ImportFormat format = ImportFormat::Delimited;
    DelimitedOptions delimited;
};

// 导入: the file's first lines, the format found in them (changeable), and for delimited text
// the delimiter, the length unit and the role of every column over a table of the first rows.
class CImportDlg final : public QDialog {
    Q_OBJECT
  public:
    // `remembered`: the last column map, delimiter and unit, offered unless the file's header
    // names its columns itself.
    CImportDlg(const QString& fileName, std::string bytes, ImportFormat detected,
               const DelimitedOptions& remembered, QWidget* parent = nullptr);

    ImportChoice choice() const;

    QComboBox* formatCombo() const { return format_; }
    QComboBox* delimiterCombo() const { return delimiter_; }
    QComboBox* columnCombo(int column) const;
    int columnCount() const { return static_cast<int>(roles_.size()); }

  private:
    void showFormat();
    void fillTable();
    char chosenDelimiter() const;

    std::string bytes_;
    std::string gbkText_;  // the head of the file, as delimited text is read
    QComboBox* format_ = nullptr;
    QLabel* detected_ = nullptr;
    QPlainTextEdit* preview_ = nullptr;
    QGroupBox* delimitedBox_ = nullptr;
    QComboBox* delimiter_ = nullptr;
    QComboBox* unit_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<QComboBox*> roles_;
    std::vector<ColumnRole> initialColumns_;
};

}  // namespace vrk
