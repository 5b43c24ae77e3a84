#include "grid_fixture.h"

namespace {
constexpr int kType = 1;

QStringList typeNames() {
    return {u8("字符串"), u8("短整数"), u8("长整数"), u8("日期")};
}
}  // namespace

TEST_F(GridTest, DropDownEscOnAnEmptyCellLeavesItEmpty) {
    dialog->setItems(kType, typeNames());
    doubleClickCell(newGrid, 0, kType);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentIndex(), -1);
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->currentIndex(), 0);
    EXPECT_TRUE(list->isEditing());
    QTest::keyClick(list, Qt::Key_Escape);

    EXPECT_EQ(newGrid->cellText(0, kType), QString());
    ASSERT_EQ(dialog->changes.size(), 1U);
    EXPECT_EQ(dialog->changes[0].text, QString());
    EXPECT_EQ(dialog->rejects, 0);
}

TEST_F(GridTest, DropDownEnterCommitsTheSelectionOrNothing) {
    dialog->setItems(kType, typeNames());
    newGrid->setCellText(0, kType, u8("短"));
    newGrid->setCellText(1, kType, u8("双精度"));

    doubleClickCell(newGrid, 0, kType);
    ASSERT_NE(openDropList(), nullptr);
    QTest::keyClick(openDropList(), Qt::Key_Return);
    EXPECT_EQ(newGrid->cellText(0, kType), u8("短整数"));

    doubleClickCell(newGrid, 1, kType);
    ASSERT_NE(openDropList(), nullptr);
    QTest::keyClick(openDropList(), Qt::Key_Enter);
    EXPECT_EQ(newGrid->cellText(1, kType), QString());
    ASSERT_EQ(dialog->changes.size(), 2U);
    EXPECT_EQ(dialog->changes[1].text, QString());
    EXPECT_EQ(dialog->okPresses, 0);
    EXPECT_EQ(dialog->accepts, 0);
}

TEST_F(GridTest, DropDownWithoutItemsCommitsAnEmptyText) {
    newGrid->setCellText(2, 5, QStringLiteral("old"));
    doubleClickCell(newGrid, 2, 5);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(newGrid->cellText(2, 5), QString());
}

TEST_F(GridTest, ClickOnAnItemOfTheOpenListCommitsIt) {
    dialog->setItems(kType, typeNames());
    doubleClickCell(newGrid, 1, kType);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    // The open list ignores a release that comes within a double-click interval of opening.
    const int interval = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(1);
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_TRUE(list->isEditing());
    QTest::qWait(20);
    const QRect item = view->visualRect(view->model()->index(2, 0));
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QApplication::setDoubleClickInterval(interval);

    EXPECT_EQ(newGrid->cellText(1, kType), u8("长整数"));
    ASSERT_EQ(dialog->changes.size(), 1U);
    EXPECT_EQ(dialog->changes[0].text, u8("长整数"));
    EXPECT_FALSE(list->isEditing());
    settle();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(dialog->changes.size(), 1U);
}

TEST_F(GridTest, ClosingTheOpenListWithoutAPickCommitsTheCurrentItem) {
    dialog->setItems(kType, typeNames());
    newGrid->setCellText(0, kType, u8("日"));
    doubleClickCell(newGrid, 0, kType);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    list->showPopup();
    list->view()->window()->hide();
    settle();
    EXPECT_EQ(newGrid->cellText(0, kType), u8("日期"));
    EXPECT_FALSE(list->isEditing());
}

TEST_F(GridTest, EscInTheOpenListCancels) {
    dialog->setItems(kType, typeNames());
    newGrid->setCellText(0, kType, u8("日期"));
    doubleClickCell(newGrid, 0, kType);
    CCellDropList* list = openDropList();
    ASSERT_NE(list, nullptr);
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Escape);
    settle();
    EXPECT_EQ(newGrid->cellText(0, kType), u8("日期"));
    ASSERT_EQ(dialog->changes.size(), 1U);
    EXPECT_EQ(dialog->rejects, 0);
}
