#include "editor/field_grid_cells.h"

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

}  // namespace quorbel::editor
