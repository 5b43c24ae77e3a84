#include <QWheelEvent>

#include "grid_fixture.h"

TEST_F(GridTest, ClickIntoAnotherCellCommitsAndTheNextDoubleClickReusesTheEditor) {
    doubleClickCell(newGrid, 0, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QStringLiteral("north"));

    QTest::mouseClick(newGrid->viewport(), Qt::LeftButton, {}, cellCentre(newGrid, 2, 4));
    EXPECT_EQ(newGrid->cellText(0, 0), QStringLiteral("north"));
    ASSERT_EQ(dialog->changes.size(), 1U);
    EXPECT_FALSE(box->isEditing());
    EXPECT_TRUE(box->windowExists());  // its close is still pending

    // The double-click arrives before the pending close: the same window serves the new cell.
    QTest::mouseDClick(newGrid->viewport(), Qt::LeftButton, {}, cellCentre(newGrid, 2, 4));
    ASSERT_EQ(openEditBox(), box);
    EXPECT_EQ(box->row(), 2);
    EXPECT_EQ(box->column(), 4);
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(box->geometry().left(), newGrid->visualRect(newGrid->model()->index(2, 4)).left());
    settle();
    EXPECT_TRUE(box->isEditing());
    EXPECT_TRUE(box->isVisible());

    QTest::keyClicks(box, QStringLiteral("kerb"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(newGrid->cellText(2, 4), QStringLiteral("kerb"));
    EXPECT_EQ(newGrid->cellText(0, 0), QStringLiteral("north"));
}

TEST_F(GridTest, ScrollingTheGridCommitsTheOpenEditorFirst) {
    fill(grid, 30);
    doubleClickCell(grid, 1, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QStringLiteral("scrolled"));
    QScrollBar* vertical = grid->verticalScrollBar();
    ASSERT_GT(vertical->maximum(), 0);
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->cellText(1, 0), QStringLiteral("scrolled"));
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(vertical->value(), 1);

    doubleClickCell(grid, 3, 0);
    ASSERT_NE(openEditBox(), nullptr);
    QTest::keyClicks(box, QStringLiteral("sideways"));
    grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->cellText(3, 0), QStringLiteral("sideways"));

    grid->horizontalScrollBar()->setValue(0);
    doubleClickCell(grid, 4, 0);
    ASSERT_NE(openEditBox(), nullptr);
    QTest::keyClicks(box, QStringLiteral("wheel"));
    const QPoint at = cellCentre(grid, 5, 0);
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid->viewport(), &wheel);
    EXPECT_EQ(grid->cellText(4, 0), QStringLiteral("wheel"));
    ASSERT_EQ(dialog->changes.size(), 3U);
}

TEST_F(GridTest, EditorsMoveBetweenTheTwoGrids) {
    dialog->setItems(3, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    doubleClickCell(grid, 0, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QStringLiteral("first"));

    doubleClickCell(newGrid, 1, 0);
    ASSERT_EQ(openEditBox(), box);
    EXPECT_EQ(box->parentWidget(), newGrid->viewport());
    QTest::keyClicks(box, QStringLiteral("second"));
    QTest::keyClick(box, Qt::Key_Return);

    doubleClickCell(newGrid, 0, 3);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    doubleClickCell(grid, 2, 3);
    ASSERT_EQ(openDropList(), list);
    EXPECT_EQ(list->parentWidget(), grid->viewport());
    QTest::keyClick(list, Qt::Key_1);
    QTest::keyClick(list, Qt::Key_Return);

    EXPECT_EQ(grid->cellText(0, 0), QStringLiteral("first"));
    EXPECT_EQ(newGrid->cellText(1, 0), QStringLiteral("second"));
    EXPECT_EQ(grid->cellText(2, 3), QStringLiteral("1"));
    ASSERT_EQ(dialog->changes.size(), 4U);
    EXPECT_EQ(dialog->changes[0].gridId, GridTestDialog::kGridId);
    EXPECT_EQ(dialog->changes[1].gridId, GridTestDialog::kNewGridId);
    EXPECT_EQ(dialog->changes[2].gridId, GridTestDialog::kNewGridId);
    EXPECT_EQ(dialog->changes[3].gridId, GridTestDialog::kGridId);
}

TEST_F(GridTest, DestroyingAGridTakesTheEditorsAndKeepsTheOtherGridsEdit) {
    doubleClickCell(newGrid, 0, 3);
    doubleClickCell(grid, 1, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    ASSERT_NE(CCellDropList::existing(), nullptr);
    QTest::keyClicks(box, QStringLiteral("kept"));

    delete newGrid;
    EXPECT_EQ(CCellEditBox::existing(), nullptr);
    EXPECT_EQ(CCellDropList::existing(), nullptr);
    EXPECT_EQ(grid->cellText(1, 0), QStringLiteral("kept"));
    settle();

    doubleClickCell(grid, 2, 0);
    ASSERT_NE(openEditBox(), nullptr);
}

TEST_F(GridTest, RowsChangedUnderAnOpenEditorKeepItsTextOnItsRow) {
    doubleClickCell(newGrid, 1, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QStringLiteral("moved"));
    newGrid->insertGridRow(0, QStringLiteral("new"));
    newGrid->deleteGridRow(3);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(newGrid->cellText(2, 0), QStringLiteral("moved"));

    doubleClickCell(newGrid, 1, 0);
    ASSERT_EQ(openEditBox(), box);
    QTest::keyClicks(box, QStringLiteral("lost row"));
    newGrid->deleteAllGridRows();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(newGrid->gridRowCount(), 0);
    EXPECT_EQ(dialog->changes.size(), 1U);
}
