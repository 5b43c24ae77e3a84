// Opening, closing and the table tree of the attribute structure dialog.
#include <QContextMenuEvent>
#include <QTest>

#include "editor_fixture.h"

namespace quorbel::editor::testing {
namespace {

QString label(const QTreeWidgetItem* item) {
    return item != nullptr ? item->text(0) : QStringLiteral("<null>");
}

TEST_F(EditorTest, OpeningShowsEveryTableWithTheFirstCurrent) {
    openDefaults();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("属性结构设置"));
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(label(root()), QStringLiteral("Tables"));
    EXPECT_TRUE(root()->isExpanded());
    ASSERT_EQ(root()->childCount(), 4);
    EXPECT_EQ(label(tableItem(1)), QString::fromUtf8("道路"));
    EXPECT_TRUE(tableItem(0)->isSelected());
    EXPECT_EQ(dialog->currentTable(), gbk("房屋"));
    EXPECT_EQ(dialog->currentKindPlusOne(), 4);
    EXPECT_FALSE(dialog->isNewTableMode());
    EXPECT_EQ(dialog->currentItem(), tableItem(0));
    EXPECT_EQ(dialog->currentParent(), root());

    EXPECT_EQ(column(grid(), 0),
              (QStringList{QString::fromUtf8("名称"), QString::fromUtf8("层数"),
                           QString::fromUtf8("面积"), QString::fromUtf8("高度")}));
    EXPECT_EQ(column(grid(), 1),
              (QStringList{QString::fromUtf8("字符串"), QString::fromUtf8("短整数"),
                           QString::fromUtf8("宗地面积"), QString::fromUtf8("长整数")}));
    EXPECT_EQ(grid()->cellText(0, 5), QStringLiteral("TBL_LandUseCode"));
    EXPECT_EQ(grid()->cellText(3, 2), QStringLiteral("8"));

    EXPECT_EQ(texts(included()), (QStringList{QString::fromUtf8("140101    一般房屋"),
                                              QString::fromUtf8("140102    简单房屋")}));
    EXPECT_EQ(category()->currentText(), QString::fromUtf8("居民地"));
    EXPECT_EQ(texts(available()), QStringList{QString::fromUtf8("140103    棚房")});
    EXPECT_EQ(dialog->currentCategory(), gbk("控制点"));
    EXPECT_EQ(control<QLineEdit>(IDC_TABLE_NAME)->text(), QString::fromUtf8("房屋"));
    EXPECT_EQ(control<QLineEdit>(IDC_TABLE_DESCRIPTION)->text(), QString::fromUtf8("房屋面"));
    EXPECT_EQ(control<QComboBox>(IDC_TABLE_KIND)->currentIndex(), 3);
    EXPECT_EQ(control<QComboBox>(IDC_NEW_TABLE_KIND)->currentIndex(), 3);
    EXPECT_TRUE(grid()->isVisible());
    EXPECT_FALSE(newGrid()->isVisible());
    EXPECT_FALSE(control<QLineEdit>(IDC_NEW_TABLE_NAME)->isVisible());
    EXPECT_TRUE(tree()->hasFocus() || !dialog->isActiveWindow());
}

TEST_F(EditorTest, LayoutFollowsTheTemplateInDialogUnits) {
    openDefaults();
    const QFontMetrics metrics(dialog->font());
    const int baseX = (metrics.horizontalAdvance(
                           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                           26 +
                       1) /
                      2;
    const int baseY = metrics.height();
    EXPECT_EQ(dialog->width(), (427 * baseX + 2) / 4);
    EXPECT_EQ(dialog->height(), (361 * baseY + 4) / 8);
    const QWidget* treeWidget = tree();
    EXPECT_EQ(treeWidget->x(), (5 * baseX + 2) / 4);
    // The find box takes the top of the tree's place in the template.
    EXPECT_EQ(control<QWidget>(IDC_TREE_FIND)->y(), (13 * baseY + 4) / 8);
    EXPECT_EQ(treeWidget->y(), (27 * baseY + 4) / 8);
    // The two definition sets lie on each other; the grids differ by one unit, as in the template.
    EXPECT_EQ(control<QWidget>(IDC_TABLE_NAME)->geometry(),
              control<QWidget>(IDC_NEW_TABLE_NAME)->geometry());
    EXPECT_LT(newGrid()->x(), grid()->x());
    for (const int id : {IDOK, IDCANCEL, IDC_INCLUDE, IDC_EXCLUDE, IDC_SAVE_INCLUSION,
                         IDC_ADD_FIELD, IDC_DELETE_FIELD, IDC_SAVE_TABLE}) {
        EXPECT_TRUE(control<QPushButton>(id)->isFlat()) << id;
    }
    EXPECT_TRUE(control<QPushButton>(IDCANCEL)->isDefault());
    EXPECT_EQ(control<QPushButton>(IDC_INCLUDE)->text(), QString::fromUtf8("    添加>>   "));
}

TEST_F(EditorTest, RootAndATableNamedLikeItKeepThePreviousTableCurrent) {
    writeFile("attribute.def",
              gbk("*甲,1,\r\n  字段,0,1,0,说明\r\n\r\n*Tables,2,\r\n\r\n*乙,2,\r\n\r\n[END]\r\n"));
    writeFile("INDEX.INI", gbk("130101,gc1,0.0000,三角点,0,甲\r\nEND\r\n"));
    open();
    select(tableItem(2));
    EXPECT_EQ(dialog->currentTable(), gbk("乙"));
    select(root());
    EXPECT_EQ(dialog->currentTable(), gbk("乙"));
    EXPECT_EQ(dialog->currentParent(), nullptr);
    EXPECT_EQ(control<QLineEdit>(IDC_TABLE_NAME)->text(), QString::fromUtf8("乙"));

    select(tableItem(0));
    select(tableItem(1));
    EXPECT_EQ(dialog->currentTable(), gbk("甲"));
    EXPECT_EQ(grid()->gridRowCount(), 1);
    EXPECT_EQ(texts(included()).size(), 1);

    // The menu is not offered on either, so neither can delete the table it does not show.
    const QPoint inside = tree()->mapToGlobal(QPoint(5, 5));
    QContextMenuEvent event(QContextMenuEvent::Mouse, dialog->mapFromGlobal(inside), inside);
    QApplication::sendEvent(dialog.get(), &event);
    select(root());
    QApplication::sendEvent(dialog.get(), &event);
    EXPECT_EQ(prompter.popups, 0);
}

TEST_F(EditorTest, MenuOnlyFromTheMouseInsideTheTreeOnATable) {
    openDefaults();
    const QPoint inside = tree()->mapToGlobal(QPoint(10, 10));
    const QPoint outside = grid()->mapToGlobal(QPoint(10, 10));
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, dialog->mapFromGlobal(inside), inside);
    QApplication::sendEvent(dialog.get(), &keyboard);
    QContextMenuEvent elsewhere(QContextMenuEvent::Mouse, dialog->mapFromGlobal(outside), outside);
    QApplication::sendEvent(dialog.get(), &elsewhere);
    EXPECT_EQ(prompter.popups, 0);

    prompter.menuChoice = ID_TABLE_ADD;
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, dialog->mapFromGlobal(inside), inside);
    QApplication::sendEvent(dialog.get(), &mouse);
    EXPECT_EQ(prompter.popups, 1);
    EXPECT_EQ(prompter.menuTitle, QString::fromUtf8("属性设置"));
    EXPECT_TRUE(dialog->isNewTableMode());
    EXPECT_TRUE(newGrid()->isVisible());
    EXPECT_FALSE(grid()->isVisible());
    EXPECT_EQ(control<QLineEdit>(IDC_NEW_TABLE_NAME)->text(), QStringLiteral("NewName"));
    EXPECT_EQ(dialog->currentTable(), gbk("房屋"));

    // A second "添加" starts over.
    control<QLineEdit>(IDC_NEW_TABLE_NAME)->setText(QStringLiteral("X"));
    command(IDC_ADD_FIELD);
    command(ID_TABLE_ADD);
    EXPECT_EQ(control<QLineEdit>(IDC_NEW_TABLE_NAME)->text(), QStringLiteral("NewName"));
    EXPECT_EQ(newGrid()->gridRowCount(), 0);

    // A right click does not make the item under the pointer current.
    const QPoint other = tree()->visualItemRect(tableItem(2)).center();
    QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, other);
    EXPECT_EQ(dialog->currentTable(), gbk("房屋"));
    EXPECT_TRUE(dialog->isNewTableMode());

    // Another table, or the root, drops the unsaved definition.
    select(tableItem(1));
    EXPECT_FALSE(dialog->isNewTableMode());
    EXPECT_TRUE(grid()->isVisible());
}

TEST_F(EditorTest, DeletingSelectsTheNextThenThePreviousThenNothing) {
    openDefaults();
    select(tableItem(1));
    prompter.answers = {false};
    command(ID_TABLE_DELETE);
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], QString::fromUtf8("确定要删除道路表么?"));
    EXPECT_EQ(prompter.captions[0], QString::fromUtf8("确认"));
    EXPECT_EQ(schema.tables().size(), 4u);

    prompter.answers = {true};
    command(ID_TABLE_DELETE);
    EXPECT_EQ(tableNames(), (std::vector<std::string>{gbk("房屋"), gbk("控制点表"), gbk("空表")}));
    EXPECT_EQ(tableOf("160101"), "");
    EXPECT_EQ(dialog->currentTable(), gbk("控制点表"));
    EXPECT_EQ(label(tree()->currentItem()), QString::fromUtf8("控制点表"));

    select(tableItem(2));
    prompter.answers = {true};
    command(ID_TABLE_DELETE);
    EXPECT_EQ(dialog->currentTable(), gbk("控制点表"));
    EXPECT_EQ(root()->childCount(), 2);

    prompter.answers = {true, true};
    command(ID_TABLE_DELETE);
    command(ID_TABLE_DELETE);
    EXPECT_TRUE(schema.tables().empty());
    EXPECT_EQ(root()->childCount(), 0);
    EXPECT_TRUE(tree()->selectedItems().isEmpty());
    EXPECT_EQ(grid()->gridRowCount(), 0);
    EXPECT_EQ(included()->count(), 0);
    EXPECT_EQ(dialog->currentParent(), nullptr);
    // With nothing current, saving does nothing rather than act on a table that is gone.
    command(IDC_SAVE_TABLE);
    command(IDC_SAVE_INCLUSION);
    EXPECT_TRUE(schema.tables().empty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EditorTest, OkRewritesBothFilesAndCancelWritesNothing) {
    openDefaults();
    selectLines(included(), {0});
    command(IDC_EXCLUDE);
    EXPECT_EQ(tableOf("140101"), "");
    dialog->reject();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    dialog.reset();
    EXPECT_TRUE(schema.tables().empty());
    EXPECT_TRUE(schema.features().empty());
    EXPECT_EQ(readFile("INDEX.INI"), gbk(kDefaultIndex));
    EXPECT_EQ(readFile("attribute.def"), gbk(kDefaultDef));

    open();
    command(IDOK);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(readFile("INDEX.INI"), gbk(kDefaultIndex));
    // The table of kind 2 had an explicit NULL token, which is written as absent.
    const std::string def = gbk(kDefaultDef);
    const std::size_t token = def.find(",NULL,");
    ASSERT_NE(token, std::string::npos);
    EXPECT_EQ(readFile("attribute.def"), def.substr(0, token) + def.substr(token + 5));
}

TEST_F(EditorTest, OkWithAMissingFileStaysOpenWithTheMessageOnTheCommandLine) {
    writeFile("INDEX.INI", gbk(kDefaultIndex));
    open();
    EXPECT_NE(host.printed.find(gbk("没有找到属性文件!")), std::string::npos);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    host.printed.clear();
    dialog->accept();
    EXPECT_FALSE(dialog->isHidden());
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_EQ(host.printed, gbk("\n没有找到attribute.def文件!"));
    EXPECT_EQ(readFile("INDEX.INI"), gbk(kDefaultIndex));
    dialog->reject();
    EXPECT_TRUE(dialog->isHidden());
}

TEST_F(EditorTest, EnterOnTheTreeCancelsAndEscapeToo) {
    openDefaults();
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    dialog.reset();

    open();
    QTest::keyClick(tree(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(readFile("INDEX.INI"), gbk(kDefaultIndex));
}

TEST_F(EditorTest, ADialogClosedInNewTableModeOpensInExistingTableMode) {
    openDefaults();
    command(ID_TABLE_ADD);
    EXPECT_TRUE(dialog->isNewTableMode());
    dialog->reject();
    dialog.reset();
    open();
    EXPECT_FALSE(dialog->isNewTableMode());
    EXPECT_FALSE(newGrid()->isVisible());
    EXPECT_TRUE(grid()->isVisible());
}

TEST_F(EditorTest, ANameThatDoesNotDecodeIsKeptByItsBytes) {
    // 0x81 followed by a space is no GBK character.
    const std::string odd = std::string("T\x81", 2);
    writeFile("attribute.def", "*" + odd + " ,1,x\r\n\r\n*B,1,y\r\n\r\n[END]\r\n");
    writeFile("INDEX.INI", "130101,gc1,0.0000,N,0," + odd + "\r\nEND\r\n");
    open();
    ASSERT_EQ(root()->childCount(), 2);
    EXPECT_EQ(dialog->currentTable(), odd);
    EXPECT_EQ(included()->count(), 1);
    command(IDC_SAVE_TABLE);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(schema.tables()[0].name, odd);
    EXPECT_EQ(tableOf("130101"), odd);
    select(tableItem(1));
    select(tableItem(0));
    EXPECT_EQ(dialog->currentTable(), odd);
}

TEST_F(EditorTest, OpeningNamesTheLinesTheNextSaveDropsOncePerKind) {
    writeFile("INDEX.INI", gbk("; 索引\r\n130101,gc1,0,a,0\r\n[点]\r\n\r\nEND\r\n1,2\r\n3,4\r\n"));
    std::string def = "  early,0,1,0,d\r\n*T,1,d\r\n";
    for (int i = 0; i < 6; ++i) {
        def += "  short,0\r\n";
    }
    writeFile("attribute.def", def + "[END]\r\nmore\r\n");
    open();
    EXPECT_EQ(
        host.printed,
        gbk("\nINDEX.INI中有2行不是地物行(如备注、标题),保存时不会写回:第1、3行!"
            "\nINDEX.INI第6行起的内容在END行之后,保存时不会写回!"
            "\nattribute.def中有1行字段行在第一个表行之前,保存时不会写回:第1行!"
            "\nattribute.def中有6行逗号少于四个,不是字段行,保存时不会写回:第3、4、5、6、7行等!"
            "\nattribute.def第10行起的内容在[END]行之后,保存时不会写回!"));
}

}  // namespace
}  // namespace quorbel::editor::testing
