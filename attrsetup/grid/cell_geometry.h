// Where a cell lies in a report-view list and how far the list must scroll sideways to show it.
// Plain rectangles and column widths, so the rules are the same for the widget and its tests.
#pragma once

#include <span>

namespace quorbel::grid {

// A rectangle with exclusive right and bottom edges, in the list's client coordinates.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// The column under x within a row whose bounding rectangle is rowRect, or -1. Each column spans
// its running left edge to that edge plus its width with both ends included, so a point on the
// border between two columns belongs to the left one. A point outside rowRect has no column.
int HitTestCell(const GridRect& rowRect, std::span<const int> columnWidths, int x, int y);

// The left edge of a column: the row's left edge plus the widths of all columns before it.
int leftEdgeOfColumn(const GridRect& rowRect, std::span<const int> columnWidths, int column);

// The sideways scroll (in pixels, relative, negative scrolls left) that brings a column with left
// edge x and width w into the client area: its left edge to the client's left when that edge is
// outside, its right edge to the client's right when only its right part is hidden, else 0.
int chooseHorizontalScroll(int columnLeft, int columnWidth, const GridRect& client);

struct CellPlacement {
    int scroll = 0;  // to apply to the list, even when 0
    GridRect cell;   // the cell once that scroll has been applied
};

// The scroll to apply and the cell rectangle that results from it, for column of the row whose
// bounding rectangle is rowRect.
CellPlacement GetCellRect(const GridRect& rowRect, const GridRect& client,
                          std::span<const int> columnWidths, int column);

// The cell rectangle when the list scrolled by appliedScroll, which is less than asked for when
// the list reaches the end of its scroll range.
GridRect cellRectAfterScroll(const GridRect& rowRect, std::span<const int> columnWidths, int column,
                             int appliedScroll);

// The whole window rectangle of a drop-down opened over cell with itemCount items: the closed
// field plus room for the list below it.
GridRect dropListRect(const GridRect& cell, int itemCount);

// The number of rows the list part of a drop-down with itemCount items has room for.
int dropListRows(int itemCount);

}  // namespace quorbel::grid
