// The table definition panel: a table's name, kind, description and fields.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "editor/attr_struct_dlg.h"
#include "editor/dialog_template.h"
#include "editor/editor_messages.h"
#include "editor/field_row.h"
#include "editor/text_rules.h"
#include "grid/edit_grid_ctrl.h"
#include "schema/attribute_schema.h"
#include "schema/field_catalogue.h"
#include "schema/table_kind.h"

using namespace quorbel::editor;

namespace {

// Where a grid cell keeps the value it was filled with (see KeptText).
constexpr int kKeptShownRole = Qt::UserRole;
constexpr int kKeptBytesRole = Qt::UserRole + 1;

void keepInCell(CEditGridCtrl& grid, int row, int column, const std::string& bytes) {
    grid.setCellText(row, column, fromGbk(bytes));
    QTableWidgetItem* cell = grid.item(row, column);
    cell->setData(kKeptShownRole, cell->text());
    cell->setData(kKeptBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// A copied cell keeps what its source kept, so a copy of an untouched value is untouched too.
void copyCell(CEditGridCtrl& grid, int from, int to, int column) {
    const QTableWidgetItem* source = grid.item(from, column);
    QTableWidgetItem* target = grid.item(to, column);
    if (source == nullptr || target == nullptr) {
        return;
    }
    target->setText(source->text());
    target->setData(kKeptShownRole, source->data(kKeptShownRole));
    target->setData(kKeptBytesRole, source->data(kKeptBytesRole));
}

bool cellBytes(const CEditGridCtrl& grid, int row, int column, std::string& bytes, bool& typed) {
    const QTableWidgetItem* cell = grid.item(row, column);
    const QString text = cell != nullptr ? cell->text() : QString();
    if (cell == nullptr || !cell->data(kKeptBytesRole).isValid()) {
        typed = true;
        return toGbk(text, bytes);
    }
    const QByteArray kept = cell->data(kKeptBytesRole).toByteArray();
    return bytesOf(text,
                   KeptText{cell->data(kKeptShownRole).toString(),
                            std::string(kept.constData(), static_cast<std::size_t>(kept.size()))},
                   bytes, typed);
}

constexpr TextRule kTableNameRule{quorbel::kEditorTableNameCapacity, false};
constexpr TextRule kTableDescriptionRule{quorbel::kTableDescriptionCapacity, true};

QStringList decodedList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        list.append(fromGbk(text));
    }
    return list;
}

QString fieldProblemMessage(FieldProblem problem, int row) {
    const QString number = QString::number(row);
    switch (problem) {
        case FieldProblem::NameTooLong:
            return QString::fromUtf8(messages::kFieldNameTooLong)
                .arg(number)
                .arg(quorbel::kFieldNameCapacity);
        case FieldProblem::NameSeparator:
            return QString::fromUtf8(messages::kFieldNameSeparator).arg(number);
        case FieldProblem::DescriptionTooLong:
            return QString::fromUtf8(messages::kFieldDescriptionTooLong)
                .arg(number)
                .arg(quorbel::kFieldDescriptionCapacity);
        case FieldProblem::DescriptionSeparator:
            return QString::fromUtf8(messages::kFieldDescriptionSeparator).arg(number);
        case FieldProblem::NumberTooLarge:
            return QString::fromUtf8(messages::kFieldNumberTooLarge).arg(number);
        case FieldProblem::None:
            break;
    }
    return {};
}

}  // namespace

void CAttrStructDlg::setUpGrid(CEditGridCtrl& grid) {
    grid.setExtendedStyle(kGridExtendedStyle);
    for (std::size_t column = 0; column < kGridColumns.size(); ++column) {
        grid.insertGridColumn(static_cast<int>(column),
                              QString::fromUtf8(kGridColumns[column].caption),
                              kGridColumns[column].widthPx);
    }
    grid.SetColumnFilter(QString(), kColumnName);
    grid.SetColumnFilter(QString::fromLatin1(kLengthFilter), kColumnLength);
    grid.SetComboColumn(kColumnType, true);
    grid.SetComboColumn(kColumnDecimals, true);
    grid.SetComboColumn(kColumnDictionary, true);
}

void CAttrStructDlg::setUpGrids() {
    m_grid->deleteAllGridRows();
    showTableFields();
    m_newGrid->deleteAllGridRows();
}

void CAttrStructDlg::showTableFields() {
    const auto position = m_schema.findTable(m_strCurTable);
    if (!position) {
        return;
    }
    for (const quorbel::FieldDef& field : m_schema.tables()[*position].fields) {
        const FieldRow row = fieldToRow(field);
        const int index = m_grid->insertGridRow(m_grid->gridRowCount(), QString());
        for (std::size_t column = 0; column < row.size(); ++column) {
            keepInCell(*m_grid, index, static_cast<int>(column), row[column]);
        }
    }
}

void CAttrStructDlg::showTableHeader() {
    const auto position = m_schema.findTable(m_strCurTable);
    if (!position) {
        return;
    }
    const quorbel::AttributeTable& table = m_schema.tables()[*position];
    m_name->setText(fromGbk(table.name));
    m_keptName = {m_name->text(), table.name};
    m_description->setText(fromGbk(table.description));
    m_keptDescription = {m_description->text(), table.description};
    selectKind(*m_kind, m_nCurKind);
}

void CAttrStructDlg::fillKindCombo(QComboBox& combo) {
    combo.clear();
    combo.addItems(decodedList(quorbel::tableKindNames()));
}

void CAttrStructDlg::selectKind(QComboBox& combo, int kindPlusOne) {
    const int index = kindPlusOne - 1;
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
    if (combo.currentIndex() < 0) {
        combo.setEditText(QString());
    }
}

int CAttrStructDlg::selectedKind(const QComboBox& combo) const {
    // The text can be typed over; a text that is not the selected entry means no selection.
    const int index = combo.currentIndex();
    if (index >= 0 && combo.itemText(index) == combo.currentText()) {
        return index;
    }
    return combo.findText(combo.currentText(), Qt::MatchExactly);
}

CEditGridCtrl& CAttrStructDlg::visibleGrid() const {
    return m_bNewTable ? *m_newGrid : *m_grid;
}

void CAttrStructDlg::onAddField() {
    CEditGridCtrl& grid = visibleGrid();
    const int selected = grid.selectedGridRow();
    const int position = selected >= 0 ? selected + 1 : grid.gridRowCount();
    const int source = position - 1;
    const int row = grid.insertGridRow(position, QString());
    if (source >= 0) {
        const int lastCopied = m_bNewTable ? kColumnName : kColumnDescription;
        for (int column = kColumnName; column <= lastCopied; ++column) {
            copyCell(grid, source, row, column);
        }
    }
    grid.setFocus();
    grid.selectGridRow(row);
    grid.ensureGridRowVisible(row);
}

void CAttrStructDlg::onDeleteField() {
    CEditGridCtrl& grid = visibleGrid();
    const int selected = grid.selectedGridRow();
    if (selected >= 0) {
        grid.deleteGridRow(selected);
    }
}

void CAttrStructDlg::onSaveDefinition() {
    if (m_bNewTable) {
        saveNewTable();
    } else {
        saveCurrentTable();
    }
}

bool CAttrStructDlg::readText(const QLineEdit& edit, const KeptText& kept, std::string& bytes,
                              bool& typed) {
    if (bytesOf(edit.text(), kept, bytes, typed)) {
        return true;
    }
    inform(QString::fromUtf8(messages::kUnencodable).arg(edit.text()));
    return false;
}

bool CAttrStructDlg::readFields(CEditGridCtrl& grid, std::vector<quorbel::FieldDef>& fields) {
    fields.clear();
    const int rows = grid.gridRowCount();
    fields.reserve(static_cast<std::size_t>(rows > 0 ? rows : 0));
    for (int row = 0; row < rows; ++row) {
        FieldRow texts;
        TypedCells typed;
        for (std::size_t column = 0; column < texts.size(); ++column) {
            bool cellTyped = true;
            if (!cellBytes(grid, row, static_cast<int>(column), texts[column], cellTyped)) {
                inform(QString::fromUtf8(messages::kUnencodable)
                           .arg(grid.cellText(row, static_cast<int>(column))));
                return false;
            }
            typed[column] = cellTyped;
        }
        quorbel::FieldDef field;
        const FieldProblem problem = rowToField(texts, field, typed);
        if (problem != FieldProblem::None) {
            grid.selectGridRow(row);
            grid.ensureGridRowVisible(row);
            inform(fieldProblemMessage(problem, row + 1));
            return false;
        }
        fields.push_back(std::move(field));
    }
    return true;
}

bool CAttrStructDlg::checkTableName(const std::string& name) {
    switch (checkText(name, kTableNameRule)) {
        case TextProblem::None:
            return true;
        case TextProblem::TooLong:
            inform(QString::fromUtf8(messages::kTableNameTooLong)
                       .arg(quorbel::kEditorTableNameCapacity));
            return false;
        case TextProblem::Comma:
        case TextProblem::Space:
            inform(QString::fromUtf8(messages::kTableNameSeparator));
            return false;
    }
    return false;
}

bool CAttrStructDlg::checkTableDescription(const std::string& description) {
    switch (checkText(description, kTableDescriptionRule)) {
        case TextProblem::None:
            return true;
        case TextProblem::TooLong:
            inform(QString::fromUtf8(messages::kTableDescriptionTooLong)
                       .arg(quorbel::kTableDescriptionCapacity));
            return false;
        case TextProblem::Comma:
        case TextProblem::Space:
            inform(QString::fromUtf8(messages::kTableDescriptionComma));
            return false;
    }
    return false;
}

void CAttrStructDlg::saveCurrentTable() {
    const auto position = m_schema.findTable(m_strCurTable);
    if (!position) {
        // Only after the last table was deleted; there is nothing left to save into.
        return;
    }
    std::string name;
    bool nameTyped = true;
    if (!readText(*m_name, m_keptName, name, nameTyped)) {
        return;
    }
    if (name.empty()) {
        inform(QString::fromUtf8(messages::kTableNameEmpty));
        return;
    }
    const auto holder = m_schema.findTable(name);
    if (holder && *holder != *position) {
        inform(QString::fromUtf8(messages::kTableNameTakenByOther).arg(m_name->text()));
        return;
    }
    std::string description;
    bool descriptionTyped = true;
    std::vector<quorbel::FieldDef> fields;
    if ((nameTyped && !checkTableName(name)) ||
        !readText(*m_description, m_keptDescription, description, descriptionTyped) ||
        (descriptionTyped && !checkTableDescription(description)) || !readFields(*m_grid, fields)) {
        return;
    }

    QTreeWidgetItem* item = treeItemOfTable(m_strCurTable);
    m_schema.renameTable(*position, name);
    if (item != nullptr) {
        item->setText(0, fromGbk(name));
        item->setData(0, Qt::UserRole,
                      QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    }
    m_strCurTable = name;
    m_keptName = {m_name->text(), name};
    m_keptDescription = {m_description->text(), description};
    m_schema.setKind(*position, selectedKind(*m_kind));
    m_schema.setDescription(*position, description);
    m_schema.replaceFields(*position, std::move(fields));
}

void CAttrStructDlg::saveNewTable() {
    std::string name;
    bool typed = true;
    if (!readText(*m_newName, KeptText{}, name, typed)) {
        return;
    }
    if (m_schema.findTable(name)) {
        inform(QString::fromUtf8(messages::kTableNameTakenByAny).arg(m_newName->text()));
        return;
    }
    if (name.empty()) {
        inform(QString::fromUtf8(messages::kTableNameEmpty));
        return;
    }
    quorbel::AttributeTable table;
    if (!checkTableName(name) ||
        !readText(*m_newDescription, KeptText{}, table.description, typed) ||
        !checkTableDescription(table.description) || !readFields(*m_newGrid, table.fields)) {
        return;
    }
    m_bNewTable = false;
    table.name = name;
    table.kind = selectedKind(*m_newKind);
    table.auxToken = "NULL";
    m_schema.insertTableAfter(m_schema.findTable(m_strCurTable), std::move(table));

    QTreeWidgetItem* parent = m_hCurParent != nullptr ? m_hCurParent : m_tree->topLevelItem(0);
    QTreeWidgetItem* after = m_hCurParent != nullptr ? m_hCurItem : nullptr;
    selectTreeItem(addTreeItem(parent, after, name));
}

void CAttrStructDlg::queryItems(int column, QStringList& items) const {
    items.clear();
    const QWidget* focus = QApplication::focusWidget();
    const CEditGridCtrl& grid = visibleGrid();
    if (focus == nullptr) {
        return;
    }
    const QRect gridRect(grid.mapToGlobal(QPoint(0, 0)), grid.size());
    if (!gridRect.contains(focus->mapToGlobal(QPoint(0, 0)))) {
        return;
    }
    switch (column) {
        case kColumnType:
            items = decodedList(quorbel::fieldTypeOptions());
            break;
        case kColumnDecimals:
            items = decodedList(quorbel::decimalsOptions());
            break;
        case kColumnDictionary:
            items = decodedList(quorbel::dictionaryOptions());
            break;
        default:
            break;
    }
}
