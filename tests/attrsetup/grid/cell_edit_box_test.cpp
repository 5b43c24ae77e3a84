#include <QClipboard>
#include <QInputMethodEvent>

#include "grid_fixture.h"

namespace {
constexpr int kLength = 2;
}

TEST_F(GridTest, FilterRefusesKeysOutsideItWithOneBeepEach) {
    doubleClickCell(newGrid, 0, kLength);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QStringLiteral("1a2"));
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps, 1);

    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("1"));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(beeps, 2);

    QApplication::clipboard()->setText(QStringLiteral("x9"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("1x9"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1x9"));
    EXPECT_EQ(beeps, 2);
}

TEST_F(GridTest, ChineseCharacterIsRefusedInAFilteredColumnOnly) {
    doubleClickCell(newGrid, 0, kLength);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    box->clear();
    sendText(box, u8("长"));
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(beeps, 1);

    // Text from an input method goes through the same filter.
    QInputMethodEvent composed;
    composed.setCommitString(u8("3长4"));
    QCoreApplication::sendEvent(box, &composed);
    EXPECT_EQ(box->text(), QStringLiteral("34"));
    EXPECT_EQ(beeps, 2);

    doubleClickCell(newGrid, 0, 4);
    ASSERT_EQ(openEditBox(), box);
    box->clear();
    sendText(box, u8("长"));
    QInputMethodEvent more;
    more.setCommitString(u8("度a"));
    QCoreApplication::sendEvent(box, &more);
    EXPECT_EQ(box->text(), u8("长度a"));
    EXPECT_EQ(beeps, 2);
}

TEST_F(GridTest, EscRestoresTheOldTextAndStillNotifiesTheParent) {
    doubleClickCell(newGrid, 1, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QStringLiteral("changed"));
    QTest::keyClick(box, Qt::Key_Escape);

    EXPECT_EQ(newGrid->cellText(1, 0), QStringLiteral("f1"));
    ASSERT_EQ(dialog->changes.size(), 1U);
    EXPECT_EQ(dialog->changes[0].gridId, GridTestDialog::kNewGridId);
    EXPECT_EQ(dialog->changes[0].row, 1);
    EXPECT_EQ(dialog->changes[0].column, 0);
    EXPECT_EQ(dialog->changes[0].text, QStringLiteral("f1"));
    EXPECT_EQ(dialog->rejects, 0);
    EXPECT_EQ(dialog->cancelPresses, 0);
    EXPECT_TRUE(newGrid->hasFocus());
    EXPECT_TRUE(box->cancelled());

    settle();
    EXPECT_FALSE(box->windowExists());
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(CCellEditBox::existing(), box);
}

TEST_F(GridTest, EnterCommitsWithoutPressingTheDefaultButton) {
    doubleClickCell(newGrid, 2, 4);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QStringLiteral("edge of road"));
    QTest::keyClick(box, Qt::Key_Return);

    EXPECT_EQ(newGrid->cellText(2, 4), QStringLiteral("edge of road"));
    ASSERT_EQ(dialog->changes.size(), 1U);
    EXPECT_EQ(dialog->changes[0].text, QStringLiteral("edge of road"));
    EXPECT_EQ(dialog->okPresses, 0);
    EXPECT_EQ(dialog->accepts, 0);

    // Once the editor is gone the keys are the dialog's again.
    settle();
    QTest::keyClick(newGrid, Qt::Key_Return);
    EXPECT_EQ(dialog->okPresses, 1);
}

TEST_F(GridTest, ContextMenuDoesNotEndTheEdit) {
    doubleClickCell(newGrid, 0, 0);
    CCellEditBox* box = openEditBox();
    ASSERT_NE(box, nullptr);
    QFocusEvent popupFocus(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(box, &popupFocus);
    EXPECT_EQ(openEditBox(), box);
    EXPECT_TRUE(dialog->changes.empty());
}
