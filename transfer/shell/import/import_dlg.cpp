#include "shell/import/import_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "import/text_lines.h"
#include "shell/dialogs/dialog_buttons.h"
#include "shell/windows/command_ids.h"
#include "text/gbk_text_codec.h"

namespace vrk {

namespace {

constexpr auto kImportTitle = "导入";
constexpr auto kFileLabel = "文件:";
constexpr auto kFormatLabel = "格式:";
constexpr auto kDetected = "按内容识别为: %1";
constexpr auto kPreviewTitle = "文件开头";
constexpr auto kDelimitedTitle = "分隔文本的列";
constexpr auto kDelimiterLabel = "分隔符:";
constexpr auto kUnitLabel = "长度单位:";
constexpr std::size_t kPreviewLines = 12;
constexpr int kPreviewHeight = 150;
constexpr int kTableRows = 8;
constexpr std::size_t kMaxColumns = 16;
constexpr std::size_t kHeadBytes = 64 * 1024;

struct FormatItem {
    ImportFormat format;
    const char* text;
};
constexpr FormatItem kFormats[] = {
    {ImportFormat::Gsi, "GSI (GSI-8 / GSI-16)"},
    {ImportFormat::Sdr, "SDR (SDR2x / SDR33)"},
    {ImportFormat::Delimited, "分隔文本 (CSV、TXT)"},
};

struct DelimiterItem {
    char delimiter;
    const char* text;
};
constexpr DelimiterItem kDelimiters[] = {
    {kAutoDelimiter, "自动"},   {',', "逗号 ,"}, {'\t', "制表符"}, {';', "分号 ;"},
    {kBlanksDelimiter, "空格"},
};

struct UnitItem {
    LengthUnit unit;
    const char* text;
};
constexpr UnitItem kUnits[] = {
    {LengthUnit::Metre, "米"},
    {LengthUnit::Foot, "国际英尺 (0.3048 米)"},
    {LengthUnit::UsSurveyFoot, "美国测量英尺 (1200/3937 米)"},
};

struct RoleItem {
    ColumnRole role;
    const char* text;
};
constexpr RoleItem kRoles[] = {
    {ColumnRole::Ignore, "(不用)"}, {ColumnRole::Name, "点名"},      {ColumnRole::Code, "编码"},
    {ColumnRole::East, "东 E (Y)"}, {ColumnRole::North, "北 N (X)"}, {ColumnRole::Height, "高程 H"},
};

QString ViewString(std::string_view bytes) {
    const std::u16string text = DecodeForView(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string HeadLines(std::string_view text, std::size_t count) {
    std::string head;
    ForEachTextLine(text, [&](std::string_view line, std::size_t number) {
        head.append(line);
        head += "\r\n";
        return number < count;
    });
    return head;
}

bool NamesEastAndNorth(const std::vector<ColumnRole>& columns) {
    return std::find(columns.begin(), columns.end(), ColumnRole::East) != columns.end() &&
           std::find(columns.begin(), columns.end(), ColumnRole::North) != columns.end();
}

}  // namespace

CImportDlg::CImportDlg(const QString& fileName, std::string bytes, ImportFormat detected,
                       const DelimitedOptions& remembered, QWidget* parent)
    : QDialog(parent), bytes_(std::move(bytes)) {
    setObjectName(QString::number(ids::kImportDialog));
    setWindowTitle(QString::fromUtf8(kImportTitle));
    std::size_t unencodableLine = 0;
    gbkText_ = DelimitedTextAsGbk(std::string_view(bytes_).substr(0, kHeadBytes), unencodableLine);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8(kFileLabel), new QLabel(QFileInfo(fileName).fileName()));
    format_ = new QComboBox;
    format_->setObjectName(QString::number(ids::kImportFormat));
    for (const FormatItem& item : kFormats) {
        format_->addItem(QString::fromUtf8(item.text), static_cast<int>(item.format));
    }
    format_->setCurrentIndex(format_->findData(static_cast<int>(detected)));
    detected_ = new QLabel(QString::fromUtf8(kDetected).arg(
        QString::fromUtf8(kFormats[format_->currentIndex()].text)));
    detected_->setObjectName(QString::number(ids::kImportDetected));
    form->addRow(QString::fromUtf8(kFormatLabel), format_);
    form->addRow(QString(), detected_);
    layout->addLayout(form);

    auto* previewBox = new QGroupBox(QString::fromUtf8(kPreviewTitle));
    auto* previewLayout = new QVBoxLayout(previewBox);
    preview_ = new QPlainTextEdit;
    preview_->setObjectName(QString::number(ids::kImportPreview));
    preview_->setReadOnly(true);
    preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
    preview_->setPlainText(ViewString(HeadLines(gbkText_, kPreviewLines)));
    preview_->setFont(QFont(QStringLiteral("Noto Sans Mono CJK SC")));
    preview_->setMaximumHeight(kPreviewHeight);
    previewLayout->addWidget(preview_);
    layout->addWidget(previewBox);

    delimitedBox_ = new QGroupBox(QString::fromUtf8(kDelimitedTitle));
    auto* boxLayout = new QVBoxLayout(delimitedBox_);
    auto* options = new QFormLayout;
    delimiter_ = new QComboBox;
    delimiter_->setObjectName(QString::number(ids::kImportDelimiter));
    for (const DelimiterItem& item : kDelimiters) {
        delimiter_->addItem(QString::fromUtf8(item.text), static_cast<int>(item.delimiter));
    }
    delimiter_->setCurrentIndex(
        std::max(0, delimiter_->findData(static_cast<int>(remembered.delimiter))));
    unit_ = new QComboBox;
    unit_->setObjectName(QString::number(ids::kImportUnit));
    for (const UnitItem& item : kUnits) {
        unit_->addItem(QString::fromUtf8(item.text), static_cast<int>(item.unit));
    }
    unit_->setCurrentIndex(std::max(0, unit_->findData(static_cast<int>(remembered.unit))));
    options->addRow(QString::fromUtf8(kDelimiterLabel), delimiter_);
    options->addRow(QString::fromUtf8(kUnitLabel), unit_);
    boxLayout->addLayout(options);
    table_ = new QTableWidget;
    table_->setObjectName(QString::number(ids::kImportTable));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    boxLayout->addWidget(table_);
    layout->addWidget(delimitedBox_);
    layout->addWidget(MakeOkCancelButtons(*this));

    // The file's header wins over the remembered map when it names the two coordinates.
    DelimitedOptions fromFile;
    fromFile.delimiter = remembered.delimiter;
    const DelimitedLayout found = ResolveDelimitedLayout(gbkText_, fromFile);
    initialColumns_ = found.header && NamesEastAndNorth(found.columns) ? found.columns
                      : remembered.columns.empty()                     ? found.columns
                                                                       : remembered.columns;
    fillTable();
    showFormat();
    connect(format_, &QComboBox::currentIndexChanged, this, &CImportDlg::showFormat);
    connect(delimiter_, &QComboBox::currentIndexChanged, this, &CImportDlg::fillTable);
    resize(720, 560);
}

QComboBox* CImportDlg::columnCombo(int column) const {
    return column >= 0 && column < columnCount() ? roles_[static_cast<std::size_t>(column)]
                                                 : nullptr;
}

char CImportDlg::chosenDelimiter() const {
    return static_cast<char>(delimiter_->currentData().toInt());
}

void CImportDlg::showFormat() {
    delimitedBox_->setEnabled(choice().format == ImportFormat::Delimited);
}

// One row of role choices over the first rows of the file, cut as the chosen delimiter cuts.
void CImportDlg::fillTable() {
    std::vector<ColumnRole> current = initialColumns_;
    if (!roles_.empty()) {
        current = choice().delimited.columns;
    }
    DelimitedOptions options;
    options.delimiter = chosenDelimiter();
    const char delimiter = ResolveDelimitedLayout(gbkText_, options).delimiter;
    std::vector<std::vector<std::string>> rows;
    std::size_t columns = 0;
    ForEachTextLine(gbkText_, [&](std::string_view line, std::size_t) {
        if (!TrimBlanks(line).empty()) {
            rows.push_back(SplitDelimitedLine(line, delimiter));
            columns = std::max(columns, rows.back().size());
        }
        return rows.size() < static_cast<std::size_t>(kTableRows);
    });
    if (rows.empty()) {
        columns = current.size();
    }
    columns = std::min(columns, kMaxColumns);
    table_->clear();
    table_->setColumnCount(static_cast<int>(columns));
    table_->setRowCount(static_cast<int>(rows.size()) + 1);
    roles_.clear();
    for (std::size_t c = 0; c < columns; ++c) {
        auto* combo = new QComboBox;
        combo->setObjectName(QString::number(ids::kImportColumnFirst + static_cast<int>(c)));
        for (const RoleItem& item : kRoles) {
            combo->addItem(QString::fromUtf8(item.text), static_cast<int>(item.role));
        }
        const ColumnRole role = c < current.size() ? current[c] : ColumnRole::Ignore;
        combo->setCurrentIndex(combo->findData(static_cast<int>(role)));
        table_->setCellWidget(0, static_cast<int>(c), combo);
        table_->setHorizontalHeaderItem(static_cast<int>(c),
                                        new QTableWidgetItem(QString::number(c + 1)));
        roles_.push_back(combo);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (c < rows[r].size()) {
                table_->setItem(static_cast<int>(r) + 1, static_cast<int>(c),
                                new QTableWidgetItem(ViewString(rows[r][c])));
            }
        }
    }
    table_->resizeColumnsToContents();
}

ImportChoice CImportDlg::choice() const {
    ImportChoice chosen;
    chosen.format = static_cast<ImportFormat>(format_->currentData().toInt());
    chosen.delimited.delimiter = chosenDelimiter();
    chosen.delimited.unit = static_cast<LengthUnit>(unit_->currentData().toInt());
    for (const QComboBox* combo : roles_) {
        chosen.delimited.columns.push_back(static_cast<ColumnRole>(combo->currentData().toInt()));
    }
    while (!chosen.delimited.columns.empty() &&
           chosen.delimited.columns.back() == ColumnRole::Ignore) {
        chosen.delimited.columns.pop_back();
    }
    return chosen;
}

}  // namespace vrk
