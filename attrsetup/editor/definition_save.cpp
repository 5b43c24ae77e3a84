// The saving half of the definition panel: reading and checking what the controls hold, and the
// undoable steps that bring it into the schema.
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "editor/change_table_description_command.h"
#include "editor/change_table_kind_command.h"
#include "editor/definition_panel.h"
#include "editor/dialog_template.h"
#include "editor/editor_area_host.h"
#include "editor/editor_messages.h"
#include "editor/field_grid_cells.h"
#include "editor/field_row.h"
#include "editor/rename_table_command.h"
#include "editor/replace_fields_command.h"
#include "editor/save_definition_command.h"
#include "editor/text_rules.h"
#include "grid/edit_grid_ctrl.h"
#include "schema/attribute_schema.h"

namespace quorbel::editor {

namespace {

constexpr TextRule kTableNameRule{quorbel::kEditorTableNameCapacity, false};
constexpr TextRule kTableDescriptionRule{quorbel::kTableDescriptionCapacity, true};

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

void DefinitionPanel::onSaveDefinition() {
    if (m_host.isNewTableMode()) {
        saveNewTable();
    } else {
        saveCurrentTable();
    }
}

bool DefinitionPanel::readText(const QLineEdit& edit, const KeptText& kept, std::string& bytes,
                               bool& typed) {
    if (bytesOf(edit.text(), kept, bytes, typed)) {
        return true;
    }
    m_host.inform(QString::fromUtf8(messages::kUnencodable).arg(edit.text()));
    return false;
}

bool DefinitionPanel::readFields(CEditGridCtrl& grid, std::vector<quorbel::FieldDef>& fields) {
    fields.clear();
    const int rows = grid.gridRowCount();
    fields.reserve(static_cast<std::size_t>(rows > 0 ? rows : 0));
    for (int row = 0; row < rows; ++row) {
        FieldRow texts;
        TypedCells typed;
        for (std::size_t column = 0; column < texts.size(); ++column) {
            bool cellTyped = true;
            if (!cellBytes(grid, row, static_cast<int>(column), texts[column], cellTyped)) {
                m_host.inform(QString::fromUtf8(messages::kUnencodable)
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
            m_host.inform(fieldProblemMessage(problem, row + 1));
            return false;
        }
        fields.push_back(std::move(field));
    }
    return true;
}

bool DefinitionPanel::checkTableName(const std::string& name) {
    switch (checkText(name, kTableNameRule)) {
        case TextProblem::None:
            return true;
        case TextProblem::TooLong:
            m_host.inform(QString::fromUtf8(messages::kTableNameTooLong)
                              .arg(quorbel::kEditorTableNameCapacity));
            return false;
        case TextProblem::Comma:
        case TextProblem::Space:
            m_host.inform(QString::fromUtf8(messages::kTableNameSeparator));
            return false;
    }
    return false;
}

bool DefinitionPanel::checkTableDescription(const std::string& description) {
    switch (checkText(description, kTableDescriptionRule)) {
        case TextProblem::None:
            return true;
        case TextProblem::TooLong:
            m_host.inform(QString::fromUtf8(messages::kTableDescriptionTooLong)
                              .arg(quorbel::kTableDescriptionCapacity));
            return false;
        case TextProblem::Comma:
        case TextProblem::Space:
            m_host.inform(QString::fromUtf8(messages::kTableDescriptionComma));
            return false;
    }
    return false;
}

void DefinitionPanel::saveCurrentTable() {
    quorbel::AttributeSchema& schema = m_host.schema();
    const auto position = schema.findTable(m_host.currentTable());
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
        m_host.inform(QString::fromUtf8(messages::kTableNameEmpty));
        return;
    }
    const auto holder = schema.findTable(name);
    if (holder && *holder != *position) {
        m_host.inform(QString::fromUtf8(messages::kTableNameTakenByOther).arg(m_name->text()));
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

    // One undo step for the save, made of the parts that change something.
    const quorbel::AttributeTable& table = schema.tables()[*position];
    auto step = std::make_unique<SaveDefinitionCommand>(table.name, name);
    if (name != table.name) {
        step->add(std::make_unique<RenameTableCommand>(schema, *position, name));
    }
    const int kind = selectedKind(*m_kind);
    if (kind != table.kind) {
        step->add(std::make_unique<ChangeTableKindCommand>(schema, *position, kind));
    }
    if (description != table.description) {
        step->add(std::make_unique<ChangeTableDescriptionCommand>(schema, *position, description));
    }
    for (quorbel::FieldDef& field : fields) {
        if (field.type != 0) {
            field.dictionary.clear();  // as replaceFields stores it
        }
    }
    if (fields != table.fields) {
        step->add(std::make_unique<ReplaceFieldsCommand>(schema, *position, std::move(fields)));
    }
    m_host.renameCurrentTable(name);
    m_keptName = {m_name->text(), name};
    m_keptDescription = {m_description->text(), description};
    if (!step->empty()) {
        // The grid is not rebuilt by the save: undoing it leaves the rows as they were saved,
        // unsaved again, and the edits before it are undone from there.
        step->setViewAfterUndo(showingGrid(gridView()));
        step->setViewAfterRedo(showingGrid(gridView()));
        m_host.pushStep(step.release());
    }
}

void DefinitionPanel::saveNewTable() {
    std::string name;
    bool typed = true;
    if (!readText(*m_newName, KeptText{}, name, typed)) {
        return;
    }
    if (m_host.schema().findTable(name)) {
        m_host.inform(QString::fromUtf8(messages::kTableNameTakenByAny).arg(m_newName->text()));
        return;
    }
    if (name.empty()) {
        m_host.inform(QString::fromUtf8(messages::kTableNameEmpty));
        return;
    }
    quorbel::AttributeTable table;
    if (!checkTableName(name) ||
        !readText(*m_newDescription, KeptText{}, table.description, typed) ||
        !checkTableDescription(table.description) || !readFields(*m_newGrid, table.fields)) {
        return;
    }
    table.name = name;
    table.kind = selectedKind(*m_newKind);
    table.auxToken = "NULL";
    m_host.insertNewTable(std::move(table));
}

}  // namespace quorbel::editor
