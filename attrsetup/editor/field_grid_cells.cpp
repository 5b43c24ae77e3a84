#include "editor/field_grid_cells.h"

#include <algorithm>

#include "editor/widget_text.h"
#include "grid/edit_grid_ctrl.h"

namespace quorbel::editor {

namespace {

// Where a grid cell keeps the value it was filled with (see KeptText).
constexpr int kKeptShownRole = Qt::UserRole;
constexpr int kKeptBytesRole = Qt::UserRole + 1;

}  // namespace

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

FieldGridRows gridRows(const CEditGridCtrl& grid) {
    FieldGridRows shown;
    shown.selectedRow = grid.selectedGridRow();
    shown.rows.resize(static_cast<std::size_t>(std::max(grid.gridRowCount(), 0)));
    for (std::size_t row = 0; row < shown.rows.size(); ++row) {
        for (std::size_t column = 0; column < shown.rows[row].size(); ++column) {
            const QTableWidgetItem* cell =
                grid.item(static_cast<int>(row), static_cast<int>(column));
            if (cell != nullptr) {
                shown.rows[row][column] = {cell->text(), cell->data(kKeptShownRole),
                                           cell->data(kKeptBytesRole)};
            }
        }
    }
    return shown;
}

void showGridRows(CEditGridCtrl& grid, const FieldGridRows& shown) {
    grid.deleteAllGridRows();
    for (std::size_t row = 0; row < shown.rows.size(); ++row) {
        const int index = grid.insertGridRow(static_cast<int>(row), QString());
        for (std::size_t column = 0; column < shown.rows[row].size(); ++column) {
            const GridCell& source = shown.rows[row][column];
            grid.setCellText(index, static_cast<int>(column), source.text);
            QTableWidgetItem* cell = grid.item(index, static_cast<int>(column));
            if (cell != nullptr) {
                cell->setData(kKeptShownRole, source.keptShown);
                cell->setData(kKeptBytesRole, source.keptBytes);
            }
        }
    }
    if (shown.selectedRow >= 0 && shown.selectedRow < grid.gridRowCount()) {
        grid.selectGridRow(shown.selectedRow);
        grid.ensureGridRowVisible(shown.selectedRow);
    }
}

}  // namespace quorbel::editor
