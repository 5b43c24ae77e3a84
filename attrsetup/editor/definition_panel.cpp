#include "editor/definition_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "editor/dialog_controls.h"
#include "editor/dialog_template.h"
#include "editor/editor_area_host.h"
#include "editor/editor_messages.h"
#include "editor/field_grid_cells.h"
#include "editor/field_row.h"
#include "editor/text_rules.h"
#include "grid/edit_grid_ctrl.h"
#include "schema/attribute_schema.h"
#include "schema/field_catalogue.h"
#include "schema/table_kind.h"

namespace quorbel::editor {

namespace {

QStringList decodedList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        list.append(fromGbk(text));
    }
    return list;
}

}  // namespace

DefinitionPanel::DefinitionPanel(QWidget& dialog, EditorAreaHost& host)
    : QObject(&dialog), m_host(host) {
    const auto makeGrid = [&dialog](int id) {
        auto* grid = new CEditGridCtrl(&dialog);
        grid->setObjectName(idName(id));
        grid->setControlId(id);
        return grid;
    };
    m_grid = makeGrid(IDC_FIELD_GRID);
    connect(makeButton(dialog, IDC_ADD_FIELD, kAddFieldCaption), &QPushButton::clicked, this,
            [this] { onAddField(); });
    connect(makeButton(dialog, IDC_DELETE_FIELD, kDeleteFieldCaption), &QPushButton::clicked, this,
            [this] { onDeleteField(); });
    connect(makeButton(dialog, IDC_SAVE_TABLE, kSaveCaption), &QPushButton::clicked, this,
            [this] { onSaveDefinition(); });
    makeLabel(dialog, IDC_LABEL_NAME, kLabelNameCaption);
    m_name = makeEdit(dialog, IDC_TABLE_NAME);
    makeLabel(dialog, IDC_LABEL_KIND, kLabelKindCaption);
    makeLabel(dialog, IDC_LABEL_DESCRIPTION, kLabelDescriptionCaption);
    m_description = makeEdit(dialog, IDC_TABLE_DESCRIPTION);
    m_kind = makeKindCombo(dialog, IDC_TABLE_KIND);
    m_newName = makeEdit(dialog, IDC_NEW_TABLE_NAME);
    m_newGrid = makeGrid(IDC_NEW_FIELD_GRID);
    m_newKind = makeKindCombo(dialog, IDC_NEW_TABLE_KIND);
    m_newDescription = makeEdit(dialog, IDC_NEW_TABLE_DESCRIPTION);

    // The grids need their columns before the tree's first selection shows a table in them.
    setUpGrid(*m_grid);
    setUpGrid(*m_newGrid);

    for (CEditGridCtrl* grid : {m_grid, m_newGrid}) {
        // The end of a cell edit reaches the grid before the grid writes the cell.
        grid->installEventFilter(this);
        const auto moveKey = [this, grid](QKeyCombination keys, int delta) {
            auto* shortcut = new QShortcut(QKeySequence(keys), grid);
            shortcut->setContext(Qt::WidgetShortcut);
            connect(shortcut, &QShortcut::activated, this, [this, delta] { onMoveField(delta); });
        };
        moveKey(Qt::ALT | Qt::Key_Up, -1);
        moveKey(Qt::ALT | Qt::Key_Down, 1);
    }
}

void DefinitionPanel::setDefinitionSetVisible(bool newTable) {
    m_grid->setVisible(!newTable);
    m_name->setVisible(!newTable);
    m_kind->setVisible(!newTable);
    m_description->setVisible(!newTable);
    m_newGrid->setVisible(newTable);
    m_newName->setVisible(newTable);
    m_newKind->setVisible(newTable);
    m_newDescription->setVisible(newTable);
}

void DefinitionPanel::fillKindCombos(int kindPlusOne) {
    fillKindCombo(*m_kind);
    fillKindCombo(*m_newKind);
    selectKind(*m_kind, kindPlusOne);
    selectKind(*m_newKind, kindPlusOne);
}

void DefinitionPanel::clearFields() {
    m_grid->deleteAllGridRows();
}

void DefinitionPanel::clearHeader() {
    m_name->clear();
    m_description->clear();
    // The deleted table's bytes must not stand for whatever is typed here next.
    m_keptName = {};
    m_keptDescription = {};
    selectKind(*m_kind, 0);
}

void DefinitionPanel::beginNewTable() {
    setDefinitionSetVisible(true);
    m_newName->setText(QString::fromUtf8(kNewTableName));
    m_newDescription->clear();
    m_newGrid->deleteAllGridRows();
}

void DefinitionPanel::setUpGrid(CEditGridCtrl& grid) {
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

void DefinitionPanel::setUpGrids() {
    m_grid->deleteAllGridRows();
    showTableFields();
    m_newGrid->deleteAllGridRows();
}

void DefinitionPanel::showTableFields() {
    const auto position = m_host.schema().findTable(m_host.currentTable());
    if (!position) {
        return;
    }
    for (const quorbel::FieldDef& field : m_host.schema().tables()[*position].fields) {
        const FieldRow row = fieldToRow(field);
        const int index = m_grid->insertGridRow(m_grid->gridRowCount(), QString());
        for (std::size_t column = 0; column < row.size(); ++column) {
            keepInCell(*m_grid, index, static_cast<int>(column), row[column]);
        }
    }
}

void DefinitionPanel::showTableHeader() {
    const auto position = m_host.schema().findTable(m_host.currentTable());
    if (!position) {
        return;
    }
    const quorbel::AttributeTable& table = m_host.schema().tables()[*position];
    m_name->setText(fromGbk(table.name));
    m_keptName = {m_name->text(), table.name};
    m_description->setText(fromGbk(table.description));
    m_keptDescription = {m_description->text(), table.description};
    selectKind(*m_kind, m_host.currentKindPlusOne());
}

void DefinitionPanel::fillKindCombo(QComboBox& combo) {
    combo.clear();
    combo.addItems(decodedList(quorbel::tableKindNames()));
}

void DefinitionPanel::selectKind(QComboBox& combo, int kindPlusOne) {
    const int index = kindPlusOne - 1;
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
    if (combo.currentIndex() < 0) {
        combo.setEditText(QString());
    }
}

int DefinitionPanel::selectedKind(const QComboBox& combo) const {
    // The text can be typed over; a text that is not the selected entry means no selection.
    const int index = combo.currentIndex();
    if (index >= 0 && combo.itemText(index) == combo.currentText()) {
        return index;
    }
    return combo.findText(combo.currentText(), Qt::MatchExactly);
}

CEditGridCtrl& DefinitionPanel::visibleGrid() const {
    return m_host.isNewTableMode() ? *m_newGrid : *m_grid;
}

void DefinitionPanel::queryItems(int column, QStringList& items) const {
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

}  // namespace quorbel::editor
