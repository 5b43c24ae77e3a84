#include "grid/cell_geometry.h"

#include <cstddef>

#include "grid/grid_constants.h"

namespace quorbel::grid {

int HitTestCell(const GridRect& rowRect, std::span<const int> columnWidths, int x, int y) {
    if (!rowRect.contains(x, y)) {
        return -1;
    }
    int left = rowRect.left;
    for (std::size_t column = 0; column < columnWidths.size(); ++column) {
        const int right = left + columnWidths[column];
        if (x >= left && x <= right) {
            return static_cast<int>(column);
        }
        left = right;
    }
    return -1;
}

int leftEdgeOfColumn(const GridRect& rowRect, std::span<const int> columnWidths, int column) {
    int left = rowRect.left;
    for (std::size_t c = 0; c < columnWidths.size() && static_cast<int>(c) < column; ++c) {
        left += columnWidths[c];
    }
    return left;
}

int chooseHorizontalScroll(int columnLeft, int columnWidth, const GridRect& client) {
    if (columnLeft < client.left || columnLeft > client.right) {
        return columnLeft;
    }
    if (columnLeft + columnWidth > client.right) {
        return columnLeft + columnWidth - client.right;
    }
    return 0;
}

static int widthOf(std::span<const int> columnWidths, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= columnWidths.size()) {
        return 0;
    }
    return columnWidths[static_cast<std::size_t>(column)];
}

CellPlacement GetCellRect(const GridRect& rowRect, const GridRect& client,
                          std::span<const int> columnWidths, int column) {
    const int left = leftEdgeOfColumn(rowRect, columnWidths, column);
    const int scroll = chooseHorizontalScroll(left, widthOf(columnWidths, column), client);
    return {scroll, cellRectAfterScroll(rowRect, columnWidths, column, scroll)};
}

GridRect cellRectAfterScroll(const GridRect& rowRect, std::span<const int> columnWidths, int column,
                             int appliedScroll) {
    const int left = leftEdgeOfColumn(rowRect, columnWidths, column) - appliedScroll;
    return {left, rowRect.top, left + widthOf(columnWidths, column), rowRect.bottom};
}

int dropListRows(int itemCount) {
    return itemCount < kDropListFewItems ? itemCount + kDropListExtraRows : kDropListManyRows;
}

GridRect dropListRect(const GridRect& cell, int itemCount) {
    GridRect rect = cell;
    rect.bottom += cell.height() * dropListRows(itemCount < 0 ? 0 : itemCount);
    return rect;
}

}  // namespace quorbel::grid
