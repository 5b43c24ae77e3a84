#include "grid/cell_geometry.h"

#include <gtest/gtest.h>

#include <array>

using quorbel::grid::cellRectAfterScroll;
using quorbel::grid::chooseHorizontalScroll;
using quorbel::grid::dropListRect;
using quorbel::grid::GetCellRect;
using quorbel::grid::GridRect;
using quorbel::grid::HitTestCell;

namespace {
// The field grid's layout: 50, 70, 40, 60, 80 and 90 pixels, 390 in all.
constexpr std::array<int, 6> kWidths{50, 70, 40, 60, 80, 90};
constexpr GridRect kRow{0, 20, 390, 38};
constexpr GridRect kClient{0, 0, 200, 120};

GridRect shifted(const GridRect& rect, int dx) {
    return {rect.left + dx, rect.top, rect.right + dx, rect.bottom};
}
}  // namespace

TEST(HitTestCell, BordersBelongToTheLeftColumn) {
    EXPECT_EQ(HitTestCell(kRow, kWidths, 0, 25), 0);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 50, 25), 0);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 51, 25), 1);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 120, 25), 1);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 121, 25), 2);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 389, 25), 5);
}

TEST(HitTestCell, PointsOutsideTheRowOrItsColumnsHaveNoCell) {
    EXPECT_EQ(HitTestCell(kRow, kWidths, 390, 25), -1);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 450, 25), -1);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 10, 19), -1);
    EXPECT_EQ(HitTestCell(kRow, kWidths, 10, 38), -1);
    EXPECT_EQ(HitTestCell(kRow, std::span<const int>{}, 0, 25), -1);
    // A row wider than its columns (as the list may report it) still ends at the last column.
    const GridRect wide{0, 20, 500, 38};
    EXPECT_EQ(HitTestCell(wide, kWidths, 391, 25), -1);
}

TEST(HitTestCell, FollowsTheRowWhenScrolledSideways) {
    const GridRect scrolledRight = shifted(kRow, -100);
    EXPECT_EQ(HitTestCell(scrolledRight, kWidths, 0, 25), 1);
    EXPECT_EQ(HitTestCell(scrolledRight, kWidths, 20, 25), 1);
    EXPECT_EQ(HitTestCell(scrolledRight, kWidths, 21, 25), 2);
    EXPECT_EQ(HitTestCell(scrolledRight, kWidths, 289, 25), 5);
    EXPECT_EQ(HitTestCell(scrolledRight, kWidths, 290, 25), -1);
    const GridRect indented = shifted(kRow, 30);
    EXPECT_EQ(HitTestCell(indented, kWidths, 29, 25), -1);
    EXPECT_EQ(HitTestCell(indented, kWidths, 30, 25), 0);
}

TEST(HitTestCell, ZeroWidthColumnIsFoundOnlyAtTheRowsLeftEdge) {
    constexpr std::array<int, 3> widths{0, 40, 0};
    EXPECT_EQ(HitTestCell(kRow, widths, 0, 25), 0);
    EXPECT_EQ(HitTestCell(kRow, widths, 1, 25), 1);
    EXPECT_EQ(HitTestCell(kRow, widths, 40, 25), 1);
}

TEST(ChooseHorizontalScroll, TheThreeCases) {
    // Left edge outside the client on either side: that edge comes to the client's left.
    EXPECT_EQ(chooseHorizontalScroll(-30, 40, kClient), -30);
    EXPECT_EQ(chooseHorizontalScroll(220, 80, kClient), 220);
    // Only the right part hidden: the right edge comes to the client's right.
    EXPECT_EQ(chooseHorizontalScroll(160, 60, kClient), 20);
    EXPECT_EQ(chooseHorizontalScroll(200, 60, kClient), 60);
    // Fully visible, touching either edge.
    EXPECT_EQ(chooseHorizontalScroll(0, 50, kClient), 0);
    EXPECT_EQ(chooseHorizontalScroll(150, 50, kClient), 0);
    // Wider than the client: the right edge wins, pushing the left edge out.
    EXPECT_EQ(chooseHorizontalScroll(10, 300, kClient), 110);
}

TEST(GetCellRect, CellIsPlacedWhereTheScrollPutsIt) {
    const auto visible = GetCellRect(kRow, kClient, kWidths, 2);
    EXPECT_EQ(visible.scroll, 0);
    EXPECT_EQ(visible.cell, (GridRect{120, 20, 160, 38}));

    const auto rightHidden = GetCellRect(kRow, kClient, kWidths, 3);
    EXPECT_EQ(rightHidden.scroll, 20);
    EXPECT_EQ(rightHidden.cell, (GridRect{140, 20, 200, 38}));

    const auto beyond = GetCellRect(kRow, kClient, kWidths, 5);
    EXPECT_EQ(beyond.scroll, 300);
    EXPECT_EQ(beyond.cell, (GridRect{0, 20, 90, 38}));

    const auto leftHidden = GetCellRect(shifted(kRow, -150), kClient, kWidths, 2);
    EXPECT_EQ(leftHidden.scroll, -30);
    EXPECT_EQ(leftHidden.cell, (GridRect{0, 20, 40, 38}));
}

TEST(GetCellRect, ClampedScrollMovesTheCellOnlyAsFarAsTheListWent) {
    // Asked for 300 but the list stops at 190: the column's left edge lands at 300 - 190.
    EXPECT_EQ(cellRectAfterScroll(kRow, kWidths, 5, 190), (GridRect{110, 20, 200, 38}));
    EXPECT_EQ(cellRectAfterScroll(kRow, kWidths, 0, 0), (GridRect{0, 20, 50, 38}));
}

TEST(DropListRect, RoomForItemsPlusTenBelowTenItemsElseEleven) {
    const GridRect cell{40, 20, 110, 38};  // 18 pixels high
    EXPECT_EQ(dropListRect(cell, 0).bottom, 38 + 18 * 10);
    EXPECT_EQ(dropListRect(cell, 7).bottom, 38 + 18 * 17);
    EXPECT_EQ(dropListRect(cell, 9).bottom, 38 + 18 * 19);
    EXPECT_EQ(dropListRect(cell, 10).bottom, 38 + 18 * 11);
    EXPECT_EQ(dropListRect(cell, 26).bottom, 38 + 18 * 11);
    const GridRect rect = dropListRect(cell, 3);
    EXPECT_EQ(rect.left, cell.left);
    EXPECT_EQ(rect.right, cell.right);
    EXPECT_EQ(rect.top, cell.top);
}
