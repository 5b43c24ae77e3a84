// The table definition panel of the attribute structure dialog.
#include <QApplication>
#include <QTest>

#include "editor_fixture.h"
#include "grid/cell_drop_list.h"
#include "grid/cell_edit_box.h"
#include "grid/grid_events.h"

namespace quorbel::editor::testing {
namespace {

class DefinitionTest : public EditorTest {
  protected:
    QLineEdit* name() const { return control<QLineEdit>(IDC_TABLE_NAME); }
    QLineEdit* newName() const { return control<QLineEdit>(IDC_NEW_TABLE_NAME); }
    QLineEdit* description() const { return control<QLineEdit>(IDC_TABLE_DESCRIPTION); }
    QLineEdit* newDescription() const { return control<QLineEdit>(IDC_NEW_TABLE_DESCRIPTION); }
    QComboBox* kind() const { return control<QComboBox>(IDC_TABLE_KIND); }
    QComboBox* newKind() const { return control<QComboBox>(IDC_NEW_TABLE_KIND); }
    const AttributeTable& table(const char* utf8Name) const {
        const auto position = schema.findTable(gbk(utf8Name));
        EXPECT_TRUE(position.has_value()) << utf8Name;
        return schema.tables()[position.value_or(0)];
    }
    QStringList query(int column) {
        QStringList items;
        GridQueryItemsEvent event(column, items);
        QApplication::sendEvent(dialog.get(), &event);
        return items;
    }
};

TEST_F(DefinitionTest, SavingTheCurrentTableChecksTheNameAgainstOtherTablesOnly) {
    openDefaults();
    command(IDC_SAVE_TABLE);
    EXPECT_TRUE(prompter.messages.empty());

    name()->setText(QString::fromUtf8("道路"));
    command(IDC_SAVE_TABLE);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], QString::fromUtf8("已经存在道路表,请选择其他名称!"));
    EXPECT_EQ(tableNames()[0], gbk("房屋"));

    name()->clear();
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(), QString::fromUtf8("表名不能为空,请重新输入表名!"));
}

TEST_F(DefinitionTest, RenamingRelabelsTheTreeAndTheFeaturesFollow) {
    openDefaults();
    name()->setText(QStringLiteral("House"));
    description()->setText(QString::fromUtf8("新 说明"));
    kind()->setCurrentIndex(1);
    command(IDC_SAVE_TABLE);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(tableItem(0)->text(0), QStringLiteral("House"));
    EXPECT_EQ(dialog->currentTable(), "House");
    EXPECT_EQ(tableOf("140101"), "House");
    EXPECT_EQ(tableOf("140102"), "House");
    EXPECT_EQ(table("House").kind, 1);
    EXPECT_EQ(table("House").description, gbk("新 说明"));

    // Letter case makes another name.
    name()->setText(QStringLiteral("house"));
    command(IDC_SAVE_TABLE);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(tableOf("140101"), "house");
}

TEST_F(DefinitionTest, WithTheRootSelectedSavingRenamesThePreviousTable) {
    openDefaults();
    select(tableItem(1));
    select(root());
    EXPECT_EQ(name()->text(), QString::fromUtf8("道路"));
    name()->setText(QStringLiteral("Road"));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(root()->text(0), QStringLiteral("Tables"));
    EXPECT_EQ(tableItem(1)->text(0), QStringLiteral("Road"));
    EXPECT_EQ(tableNames()[1], "Road");
    EXPECT_EQ(tableOf("160101"), "Road");
}

TEST_F(DefinitionTest, AddRowCopiesTheRowAboveInTheExistingSetOnly) {
    openDefaults();
    select(tableItem(3));  // no fields
    command(IDC_ADD_FIELD);
    ASSERT_EQ(grid()->gridRowCount(), 1);
    EXPECT_EQ(grid()->cellText(0, 0), QString());
    EXPECT_EQ(grid()->selectedGridRow(), 0);

    select(tableItem(0));
    grid()->insertGridRow(4, QStringLiteral("fifth"));
    grid()->selectGridRow(1);
    command(IDC_ADD_FIELD);
    ASSERT_EQ(grid()->gridRowCount(), 6);
    EXPECT_EQ(grid()->selectedGridRow(), 2);
    for (int col = 0; col <= 4; ++col) {
        EXPECT_EQ(grid()->cellText(2, col), grid()->cellText(1, col)) << col;
    }
    EXPECT_EQ(grid()->cellText(2, 5), QString());
    EXPECT_EQ(grid()->cellText(0, 5), QStringLiteral("TBL_LandUseCode"));

    command(IDC_DELETE_FIELD);
    EXPECT_EQ(grid()->gridRowCount(), 5);

    command(ID_TABLE_ADD);
    command(IDC_ADD_FIELD);
    newGrid()->setCellText(0, 0, QStringLiteral("A"));
    newGrid()->setCellText(0, 1, QString::fromUtf8("短整数"));
    command(IDC_ADD_FIELD);
    ASSERT_EQ(newGrid()->gridRowCount(), 2);
    EXPECT_EQ(newGrid()->cellText(1, 0), QStringLiteral("A"));
    EXPECT_EQ(newGrid()->cellText(1, 1), QString());
    EXPECT_EQ(grid()->gridRowCount(), 5);
}

TEST_F(DefinitionTest, ANewTableGoesAfterTheCurrentOneAndBecomesCurrent) {
    openDefaults();
    select(tableItem(1));
    command(ID_TABLE_ADD);
    newName()->setText(QString::fromUtf8("房屋"));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(), QString::fromUtf8("已经存在房屋表,请选择其它名称!"));
    EXPECT_TRUE(dialog->isNewTableMode());
    newName()->clear();
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(), QString::fromUtf8("表名不能为空,请重新输入表名!"));

    newName()->setText(QStringLiteral("Pipe"));
    newDescription()->setText(QString::fromUtf8("管 线"));
    newKind()->setCurrentIndex(2);
    command(IDC_ADD_FIELD);
    newGrid()->setCellText(0, 0, QStringLiteral("DN"));
    newGrid()->setCellText(0, 1, QString::fromUtf8("长整数"));
    newGrid()->setCellText(0, 2, QStringLiteral("6"));
    command(IDC_SAVE_TABLE);
    EXPECT_FALSE(dialog->isNewTableMode());
    EXPECT_EQ(tableNames(), (std::vector<std::string>{gbk("房屋"), gbk("道路"), "Pipe",
                                                      gbk("控制点表"), gbk("空表")}));
    EXPECT_EQ(tableItem(2)->text(0), QStringLiteral("Pipe"));
    EXPECT_TRUE(tableItem(2)->isSelected());
    EXPECT_EQ(dialog->currentTable(), "Pipe");
    const AttributeTable& pipe = table("Pipe");
    EXPECT_EQ(pipe.kind, 2);
    EXPECT_EQ(pipe.auxToken, "NULL");
    EXPECT_EQ(pipe.description, gbk("管 线"));
    ASSERT_EQ(pipe.fields.size(), 1u);
    EXPECT_EQ(pipe.fields[0].type, 2);
    EXPECT_EQ(pipe.fields[0].length, 6);
    EXPECT_EQ(grid()->cellText(0, 0), QStringLiteral("DN"));
    EXPECT_EQ(category()->currentIndex(), -1);
    EXPECT_EQ(included()->count(), 0);

    // No kind selected stores -1, which offers nothing.
    command(ID_TABLE_ADD);
    newName()->setText(QStringLiteral("NoKind"));
    newKind()->setCurrentIndex(-1);
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(table("NoKind").kind, -1);
    EXPECT_EQ(kind()->currentIndex(), -1);
    chooseCategory("控制点");
    EXPECT_EQ(available()->count(), 0);
}

TEST_F(DefinitionTest, TextsTheFilesCannotHoldAreRefusedWithAMessage) {
    openDefaults();
    const std::vector<FieldDef> before = table("房屋").fields;
    name()->setText(QString(36, QLatin1Char('n')));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(), QString::fromUtf8("表名不能超过35个字节,请重新输入表名!"));
    name()->setText(QString::fromUtf8("房 屋"));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(),
              QString::fromUtf8("表名不能含有逗号或空格,请重新输入表名!"));
    name()->setText(QString::fromUtf8("房屋"));
    description()->setText(QStringLiteral("a,b"));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(), QString::fromUtf8("说明不能含有逗号,请重新输入说明!"));
    description()->setText(QString::fromUtf8("好"));
    grid()->setCellText(2, kColumnName, QString::fromUtf8("面 积"));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(),
              QString::fromUtf8("第3行字段名不能含有逗号或空格,请重新输入字段名!"));
    grid()->setCellText(2, kColumnName, QStringLiteral("ok"));
    grid()->setCellText(2, kColumnDescription, QString::fromUtf8("一,二"));
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.back(),
              QString::fromUtf8("第3行说明不能含有逗号或空格,请重新输入说明!"));
    grid()->setCellText(2, kColumnDescription, QString::fromUtf8("\u20ac\U0001F600"));
    command(IDC_SAVE_TABLE);
    EXPECT_TRUE(
        prompter.messages.back().endsWith(QString::fromUtf8("中含有无法保存的字符,请重新输入!")));
    EXPECT_EQ(prompter.messages.size(), 6u);
    // Nothing was changed by any refused save.
    EXPECT_EQ(table("房屋").fields, before);
    EXPECT_EQ(table("房屋").description, gbk("房屋面"));

    // Empty and repeated field names are allowed.
    grid()->setCellText(2, kColumnDescription, QString());
    grid()->setCellText(2, kColumnName, QString());
    grid()->setCellText(3, kColumnName, QString());
    command(IDC_SAVE_TABLE);
    EXPECT_EQ(prompter.messages.size(), 6u);
    EXPECT_EQ(table("房屋").fields[3].name, "");
}

TEST_F(DefinitionTest, DropDownItemsOnlyWhileTheFocusIsInTheVisibleGrid) {
    openDefaults();
    QApplication::setActiveWindow(dialog.get());
    tree()->setFocus();
    EXPECT_TRUE(query(kColumnType).isEmpty());
    grid()->setFocus();
    if (QApplication::focusWidget() != grid()) {
        GTEST_SKIP() << "no focus without an active window";
    }
    const QStringList types = query(kColumnType);
    ASSERT_EQ(types.size(), 26);
    EXPECT_EQ(types.front(), QString::fromUtf8("字符串"));
    EXPECT_EQ(types.back(), QString::fromUtf8("界址线长度"));
    EXPECT_EQ(query(kColumnDecimals), (QStringList{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(query(kColumnDictionary).size(), 14);
    EXPECT_TRUE(query(kColumnName).isEmpty());

    command(ID_TABLE_ADD);
    control<QWidget>(IDC_INCLUDED)->setFocus();
    EXPECT_TRUE(query(kColumnType).isEmpty());
    newGrid()->setFocus();
    EXPECT_EQ(query(kColumnType).size(), 26);
}

TEST_F(DefinitionTest, CancelAfterChangesWritesNothingAndOkWritesThem) {
    openDefaults();
    name()->setText(QStringLiteral("House"));
    command(IDC_SAVE_TABLE);
    dialog->reject();
    EXPECT_EQ(readFile("INDEX.INI"), gbk(kDefaultIndex));
    EXPECT_EQ(readFile("attribute.def"), gbk(kDefaultDef));
    dialog.reset();

    open();
    name()->setText(QStringLiteral("House"));
    kind()->setCurrentIndex(-1);
    command(IDC_SAVE_TABLE);
    command(IDOK);
    const std::string index = gbk(kDefaultIndex);
    const std::string house = gbk(",房屋\r\n");
    const std::size_t first = index.find(house);
    const std::size_t second = index.find(house, first + 1);
    ASSERT_NE(second, std::string::npos);
    const std::string expected = index.substr(0, first) + ",House\r\n" +
                                 index.substr(first + house.size(), second - first - house.size()) +
                                 ",House\r\n" + index.substr(second + house.size());
    EXPECT_EQ(readFile("INDEX.INI"), expected);
    const std::string def = readFile("attribute.def");
    EXPECT_EQ(def.substr(0, def.find('\n') + 1), gbk("*House,-1,房屋面\r\n"));
    EXPECT_NE(def.find(gbk("  高度,2,8,1,高度\r\n")), std::string::npos);
}

TEST_F(DefinitionTest, UntouchedValuesAreWrittenBackAsReadAndOnlyTypedTextIsChecked) {
    // A 37-byte table name and a description with commas, which the editor refuses when typed;
    // negative numbers; two field names that are not GBK and look alike on screen.
    const std::string longName(37, 'N');
    const std::string def = "*" + longName +
                            ",1,x,a b,c\r\n"
                            "  f,0,-1,-2,d\r\n"
                            "  g\x81\x7F,0,1,0,d\r\n"
                            "  g\x82\x7F,0,1,0,d\r\n"
                            "\r\n"
                            "[END]\r\n";
    writeFile("attribute.def", def);
    writeFile("INDEX.INI", "END\r\n");
    open();
    EXPECT_EQ(grid()->cellText(1, 0), grid()->cellText(2, 0));
    grid()->selectGridRow(2);
    command(IDC_ADD_FIELD);
    command(IDC_SAVE_TABLE);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().toStdString();
    command(IDOK);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(readFile("attribute.def"), "*" + longName +
                                             ",1,x,a b,c\r\n"
                                             "  f,0,-1,-2,d\r\n"
                                             "  g\x81\x7F,0,1,0,d\r\n"
                                             "  g\x82\x7F,0,1,0,d\r\n"
                                             "  g\x82\x7F,0,1,0,d\r\n"
                                             "\r\n"
                                             "[END]\r\n");

    // The same texts typed by the user are judged.
    open();
    name()->setText(QString::fromStdString(longName + "M"));
    command(IDC_SAVE_TABLE);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], QString::fromUtf8("表名不能超过35个字节,请重新输入表名!"));
}

void doubleClickCell(CEditGridCtrl* grid, int row, int column) {
    const QPoint point = grid->visualRect(grid->model()->index(row, column)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, point);
}

TEST_F(DefinitionTest, CellsEditedInPlaceAreSavedAndEnterThereLeavesTheDialogOpen) {
    openDefaults();
    QApplication::setActiveWindow(dialog.get());
    doubleClickCell(grid(), 1, kColumnType);
    CCellDropList* list = CCellDropList::existing();
    ASSERT_TRUE(list != nullptr && list->isEditing());
    EXPECT_EQ(list->count(), 26);
    EXPECT_EQ(list->currentText(), QString::fromUtf8("短整数"));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(grid()->cellText(1, kColumnType), QString::fromUtf8("长整数"));

    doubleClickCell(grid(), 1, kColumnName);
    CCellEditBox* box = CCellEditBox::existing();
    ASSERT_TRUE(box != nullptr && box->isEditing());
    QTest::keyClicks(box, QStringLiteral("JS"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(grid()->cellText(1, kColumnName), QStringLiteral("JS"));
    EXPECT_TRUE(dialog->isVisible());

    command(IDC_SAVE_TABLE);
    EXPECT_EQ(table("房屋").fields[1].name, "JS");
    EXPECT_EQ(table("房屋").fields[1].type, 2);
}

}  // namespace
}  // namespace quorbel::editor::testing
