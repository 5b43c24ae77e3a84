// The editing half of the definition panel: rows added, deleted and moved, and cells edited, each
// one step of the dialog's history, and what a step shows when it is undone or redone.
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <utility>

#include "editor/add_field_command.h"
#include "editor/definition_panel.h"
#include "editor/delete_field_command.h"
#include "editor/dialog_template.h"
#include "editor/edit_cell_command.h"
#include "editor/editor_area_host.h"
#include "editor/field_grid_cells.h"
#include "editor/move_field_command.h"
#include "grid/edit_grid_ctrl.h"

namespace quorbel::editor {

template <typename Step, typename Change>
void DefinitionPanel::gridStep(Change change) {
    if (m_host.isReadOnly()) {
        return;
    }
    FieldGridView before = gridView();
    change(visibleGrid());
    FieldGridView after = gridView();
    if (!after.rows.sameRows(before.rows)) {
        m_host.pushStep(new Step(m_host.currentTable(), showingGrid(std::move(before)),
                                 showingGrid(std::move(after))));
    }
}

void DefinitionPanel::onAddField() {
    gridStep<AddFieldCommand>([this](CEditGridCtrl& grid) {
        const int selected = grid.selectedGridRow();
        const int position = selected >= 0 ? selected + 1 : grid.gridRowCount();
        const int source = position - 1;
        const int row = grid.insertGridRow(position, QString());
        if (source >= 0) {
            const int lastCopied = m_host.isNewTableMode() ? kColumnName : kColumnDescription;
            for (int column = kColumnName; column <= lastCopied; ++column) {
                copyCell(grid, source, row, column);
            }
        }
        grid.setFocus();
        grid.selectGridRow(row);
        grid.ensureGridRowVisible(row);
    });
}

void DefinitionPanel::onDeleteField() {
    gridStep<DeleteFieldCommand>([](CEditGridCtrl& grid) {
        const int selected = grid.selectedGridRow();
        if (selected >= 0) {
            grid.deleteGridRow(selected);
        }
    });
}

void DefinitionPanel::onMoveField(int delta) {
    gridStep<MoveFieldCommand>([delta](CEditGridCtrl& grid) {
        const int from = grid.selectedGridRow();
        const int to = from + delta;
        if (from < 0 || to < 0 || to >= grid.gridRowCount()) {
            return;
        }
        FieldGridRows rows = gridRows(grid);
        std::swap(rows.rows[static_cast<std::size_t>(from)],
                  rows.rows[static_cast<std::size_t>(to)]);
        rows.selectedRow = to;
        showGridRows(grid, rows);
    });
}

bool DefinitionPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == quorbel::grid::kEndLabelEditEventType &&
        (watched == m_grid || watched == m_newGrid)) {
        m_cellEditGrid = static_cast<const CEditGridCtrl*>(watched);
        m_beforeCellEdit = gridRows(*m_cellEditGrid);
    }
    return QObject::eventFilter(watched, event);
}

void DefinitionPanel::onCellChanged(int gridId) {
    const CEditGridCtrl* grid = m_cellEditGrid;
    m_cellEditGrid = nullptr;
    // Only an edit whose start this panel saw, on the grid that reports it; a cancelled edit or
    // one that typed the same text again is no step.
    if (grid == nullptr || grid->controlId() != gridId || m_host.isReadOnly()) {
        return;
    }
    FieldGridView after{grid == m_newGrid, gridRows(*grid)};
    if (after.rows.sameRows(m_beforeCellEdit)) {
        return;
    }
    m_host.pushStep(new EditCellCommand(
        m_host.currentTable(),
        showingGrid(FieldGridView{grid == m_newGrid, std::move(m_beforeCellEdit)}),
        showingGrid(std::move(after))));
}

FieldGridView DefinitionPanel::gridView() const {
    return {m_host.isNewTableMode(), gridRows(visibleGrid())};
}

void DefinitionPanel::showGridView(const FieldGridView& view) {
    showGridRows(view.newTableGrid ? *m_newGrid : *m_grid, view.rows);
}

NewTableForm DefinitionPanel::newTableForm() const {
    return {m_newName->text(), m_newDescription->text(), m_newKind->currentIndex(),
            m_newKind->currentText(), gridRows(*m_newGrid)};
}

void DefinitionPanel::showNewTableForm(const NewTableForm& form) {
    m_newName->setText(form.name);
    m_newDescription->setText(form.description);
    m_newKind->setCurrentIndex(form.kindIndex);
    m_newKind->setEditText(form.kindText);
    showGridRows(*m_newGrid, form.rows);
}

}  // namespace quorbel::editor
