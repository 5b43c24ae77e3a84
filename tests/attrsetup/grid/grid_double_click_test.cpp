#include "grid_fixture.h"

TEST_F(GridTest, DoubleClickOnNoCellOpensNothing) {
    const int lastRowBottom = newGrid->visualRect(newGrid->model()->index(2, 0)).bottom();
    doubleClickAt(newGrid, QPoint(30, lastRowBottom + 20));
    EXPECT_EQ(openEditBox(), nullptr);
    EXPECT_EQ(openDropList(), nullptr);

    // Right of the last column (390 pixels of columns in a wider grid).
    doubleClickAt(newGrid, QPoint(430, cellCentre(newGrid, 1, 0).y()));
    EXPECT_EQ(openEditBox(), nullptr);
    EXPECT_EQ(openDropList(), nullptr);
    EXPECT_TRUE(dialog->queriedColumns.empty());
}

TEST_F(GridTest, ShiftOrCtrlDoubleClickSelectsButDoesNotEdit) {
    doubleClickAt(newGrid, cellCentre(newGrid, 1, 0), Qt::ShiftModifier);
    EXPECT_EQ(openEditBox(), nullptr);
    EXPECT_EQ(newGrid->selectedGridRow(), 1);

    doubleClickAt(newGrid, cellCentre(newGrid, 2, 1), Qt::ControlModifier);
    EXPECT_EQ(openDropList(), nullptr);
    EXPECT_TRUE(dialog->queriedColumns.empty());
}

TEST_F(GridTest, DoubleClickOpensTheEditorOfTheColumnOverTheCell) {
    doubleClickCell(newGrid, 1, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), newGrid->viewport());
    EXPECT_EQ(box->row(), 1);
    EXPECT_EQ(box->column(), 0);
    EXPECT_EQ(box->text(), QStringLiteral("f1"));
    EXPECT_EQ(box->selectedText(), QStringLiteral("f1"));
    EXPECT_TRUE(box->hasFocus());
    const QRect cell = newGrid->visualRect(newGrid->model()->index(1, 0));
    EXPECT_EQ(box->geometry().left(), cell.left());
    EXPECT_EQ(box->geometry().top(), cell.top());
    EXPECT_EQ(box->geometry().width(), 50);
    EXPECT_EQ(box->filter(), QString());

    doubleClickCell(newGrid, 2, 2);
    ASSERT_EQ(openEditBox(), box);
    EXPECT_EQ(box->filter(), QStringLiteral("0123456789"));
}

TEST_F(GridTest, DropDownPreselectsTheFirstItemBeginningWithTheCellText) {
    dialog->setItems(1, {u8("字符串"), u8("短整数"), u8("长整数")});
    newGrid->setCellText(0, 1, u8("长整数"));
    newGrid->setCellText(1, 1, u8("长"));
    newGrid->setCellText(2, 1, u8("日期"));

    doubleClickCell(newGrid, 0, 1);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(dialog->queriedColumns, std::vector<int>{1});
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentIndex(), 2);

    doubleClickCell(newGrid, 1, 1);
    ASSERT_EQ(openDropList(), list);
    EXPECT_EQ(list->currentIndex(), 2);

    doubleClickCell(newGrid, 2, 1);
    ASSERT_EQ(openDropList(), list);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentIndex(), -1);
}

TEST_F(GridTest, PrefixMatchIgnoresCase) {
    dialog->setItems(5, {QStringLiteral("ROADS"), QStringLiteral("rivers")});
    newGrid->setCellText(0, 5, QStringLiteral("Riv"));
    doubleClickCell(newGrid, 0, 5);
    ASSERT_NE(openDropList(), nullptr);
    EXPECT_EQ(openDropList()->currentText(), QStringLiteral("rivers"));
}

TEST_F(GridTest, NarrowDropDownColumnDoesNotOpenButAZeroWidthEditColumnDoes) {
    dialog->setItems(1, {QStringLiteral("a")});
    newGrid->setGridColumnWidth(1, 9);
    doubleClickAt(newGrid, QPoint(54, cellCentre(newGrid, 0, 0).y()));
    EXPECT_EQ(openDropList(), nullptr);
    EXPECT_EQ(dialog->queriedColumns, std::vector<int>{1});

    newGrid->setGridColumnWidth(1, 10);
    doubleClickAt(newGrid, QPoint(54, cellCentre(newGrid, 0, 0).y()));
    EXPECT_NE(openDropList(), nullptr);
    settle();

    newGrid->setGridColumnWidth(0, 0);
    EXPECT_TRUE(newGrid->ShowEditBox(1, 0, QStringLiteral("f1")));
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry().width(), 0);
}

TEST_F(GridTest, DropDownHeightLeavesRoomForItsItems) {
    QStringList nine;
    for (int i = 0; i < 9; ++i) {
        nine << QString::number(i);
    }
    const int rowHeight = newGrid->rowHeight(0);
    ASSERT_TRUE(newGrid->ShowDropList(0, 3, nine, QString()));
    EXPECT_EQ(openDropList()->windowRect().height(), rowHeight * 20);
    EXPECT_EQ(openDropList()->maxVisibleItems(), 19);
    EXPECT_EQ(openDropList()->height(), rowHeight);

    ASSERT_TRUE(newGrid->ShowDropList(1, 3, nine + nine, QString()));
    EXPECT_EQ(openDropList()->windowRect().height(), rowHeight * 12);
    EXPECT_EQ(openDropList()->count(), 18);
}

TEST_F(GridTest, EditorScrollsAPartlyHiddenColumnJustIntoView) {
    QScrollBar* sideways = grid->horizontalScrollBar();
    const int clientWidth = grid->viewport()->width();
    ASSERT_LT(clientWidth, 220);  // columns 0 to 2 fit, column 3 (160..220) does not
    doubleClickAt(grid, QPoint(165, cellCentre(grid, 1, 0).y()));
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(sideways->value(), 220 - clientWidth);
    EXPECT_EQ(list->geometry().right() + 1, clientWidth);
    EXPECT_EQ(list->width(), 60);
}

TEST_F(GridTest, EditorBringsAColumnScrolledOutToTheLeftToTheLeftEdge) {
    QScrollBar* sideways = grid->horizontalScrollBar();
    grid->horizontalScrollBar()->setValue(150);
    ASSERT_EQ(sideways->value(), 150);
    // Column 2 spans 120..160, now -30..10 on screen.
    doubleClickAt(grid, QPoint(5, cellCentre(grid, 1, 0).y()));
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->column(), 2);
    EXPECT_EQ(sideways->value(), 120);
    EXPECT_EQ(box->geometry().left(), 0);
    EXPECT_EQ(box->width(), 40);
}

TEST_F(GridTest, EditorFollowsAColumnTheListCannotScrollAllTheWayLeft) {
    // Column 5 starts at 300; the list cannot scroll that far, so the column stops short of the
    // left edge and the editor must sit where the column really is.
    QScrollBar* sideways = grid->horizontalScrollBar();
    const QRect cell = grid->GetCellRect(1, 5);
    EXPECT_EQ(sideways->value(), sideways->maximum());
    EXPECT_EQ(cell.left(), 300 - sideways->value());
    EXPECT_EQ(cell.left(), grid->visualRect(grid->model()->index(1, 5)).left());
    EXPECT_EQ(cell.width(), 90);
}
