// Undo and redo of every kind of change, the lock question, the changed-on-disk question and the
// find boxes of the attribute structure dialog.
#include <unistd.h>
#include <QApplication>
#include <QTest>

#include <functional>

#include "editor_fixture.h"
#include "grid/cell_edit_box.h"
#include "schema/schema_lock.h"

namespace quorbel::editor::testing {
namespace {

struct StepCase {
    const char* what;
    std::string tableBefore;  // made current before the steps, and current again after undo
    int steps;                // how many steps of the history the action makes
    std::function<void()> action;
};

class UndoTest : public EditorTest {
  public:
    void selectTable(const std::string& name) {
        const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
        for (int i = 0; i < root()->childCount(); ++i) {
            if (tableItem(i)->data(0, Qt::UserRole).toByteArray() == bytes) {
                select(tableItem(i));
            }
        }
    }
    void click(int id) { control<QPushButton>(id)->click(); }
    void clickTimes(int id, int times) {
        for (int i = 0; i < times; ++i) {
            click(id);
        }
    }
    // Types text over a cell through the grid's own editor, ended with Enter.
    void editInPlace(CEditGridCtrl* g, int row, int column, const QString& text) {
        ASSERT_TRUE(g->ShowEditBox(row, column, g->cellText(row, column)));
        CCellEditBox* box = CCellEditBox::existing();
        ASSERT_TRUE(box != nullptr && box->isEditing());
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void moveFieldDown() {
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_Down, Qt::AltModifier);
    }
    // What 确定 writes now: both files, as one string.
    std::string okBytes() {
        EXPECT_TRUE(schema.saveSchema());
        return readFile("INDEX.INI") + "|" + readFile("attribute.def");
    }
    using EditorTest::available;
    using EditorTest::command;
    using EditorTest::control;
    using EditorTest::grid;
    using EditorTest::included;
    using EditorTest::newGrid;
    using EditorTest::prompter;
};

TEST_F(UndoTest, EveryKindOfStepIsUndoneAndRedoneToTheExactBytes) {
    // Values that GBK cannot round-trip through the screen keep their bytes on undo too.
    std::string def = gbk(kDefaultDef);
    def.resize(def.size() - std::string("[END]\r\n").size());
    const std::string odd = "\xB1\xED\x81";
    writeFile(
        "attribute.def",
        def + "*\xB1\xED\x81,1,\x81\x7F\r\n  F,0,1,0,\x81\r\n  G,0,2,0,\x81\xFF\r\n\r\n[END]\r\n");
    writeFile("INDEX.INI", gbk(kDefaultIndex));
    const std::vector<StepCase> cases = {
        {"rename", gbk("房屋"), 1,
         [this] {
             control<QLineEdit>(IDC_TABLE_NAME)->setText(QString::fromUtf8("新房屋"));
             click(IDC_SAVE_TABLE);
         }},
        {"kind", gbk("道路"), 1,
         [this] {
             control<QComboBox>(IDC_TABLE_KIND)->setCurrentIndex(3);
             click(IDC_SAVE_TABLE);
         }},
        {"cell edited in place, then saved", gbk("房屋"), 2,
         [this] {
             editInPlace(grid(), 1, kColumnLength, QStringLiteral("9"));
             click(IDC_SAVE_TABLE);
         }},
        {"cell beside kept bytes edited, undone and redone, then saved", odd, 2,
         [this] {
             // The rows the redo puts back must still stand for the bytes they were read from.
             editInPlace(grid(), 1, kColumnLength, QStringLiteral("77"));
             click(IDC_UNDO);
             click(IDC_REDO);
             click(IDC_SAVE_TABLE);
         }},
        {"field added, then saved", gbk("房屋"), 2,
         [this] {
             click(IDC_ADD_FIELD);
             click(IDC_SAVE_TABLE);
         }},
        {"field deleted, then saved", odd, 2,
         [this] {
             grid()->selectGridRow(0);
             click(IDC_DELETE_FIELD);
             click(IDC_SAVE_TABLE);
         }},
        {"field moved down twice, then saved", gbk("房屋"), 3,
         [this] {
             grid()->selectGridRow(1);
             moveFieldDown();
             moveFieldDown();
             click(IDC_SAVE_TABLE);
         }},
        {"table added with a field", gbk("道路"), 2,
         [this] {
             command(ID_TABLE_ADD);
             control<QLineEdit>(IDC_NEW_TABLE_NAME)->setText(QStringLiteral("T9"));
             click(IDC_ADD_FIELD);
             click(IDC_SAVE_TABLE);
         }},
        {"table deleted", gbk("房屋"), 1,
         [this] {
             prompter.answers = {true};
             command(ID_TABLE_DELETE);
         }},
        {"table with odd bytes deleted", odd, 1,
         [this] {
             prompter.answers = {true};
             command(ID_TABLE_DELETE);
         }},
        {"features moved out", gbk("房屋"), 1,
         [this] {
             selectLines(included(), {0, 1});
             click(IDC_EXCLUDE);
         }},
        {"features moved in one by one, then saved", gbk("道路"), 3,
         [this] {
             chooseCategory("居民地");
             selectLines(available(), {0});
             click(IDC_INCLUDE);
             selectLines(available(), {1});
             click(IDC_INCLUDE);
             click(IDC_SAVE_INCLUSION);
         }},
    };
    open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (const StepCase& c : cases) {
        selectTable(c.tableBefore);
        ASSERT_EQ(dialog->currentTable(), c.tableBefore) << c.what;
        const std::string before = okBytes();
        const int steps = dialog->steps().index();
        c.action();
        ASSERT_EQ(dialog->steps().index() - steps, c.steps) << c.what;
        const std::string after = okBytes();
        EXPECT_NE(after, before) << c.what;
        clickTimes(IDC_UNDO, c.steps);
        EXPECT_EQ(okBytes(), before) << c.what;
        EXPECT_EQ(dialog->currentTable(), c.tableBefore) << c.what;
        clickTimes(IDC_REDO, c.steps);
        EXPECT_EQ(okBytes(), after) << c.what;
        clickTimes(IDC_UNDO, c.steps);
        EXPECT_EQ(okBytes(), before) << c.what;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(UndoTest, UndoAcrossASaveGoesBackThroughTheSaveThenThroughTheEditsBeforeIt) {
    openDefaults();
    const std::string original = okBytes();
    const auto lengths = [this] { return column(grid(), kColumnLength); };
    const QStringList untouched = lengths();
    editInPlace(grid(), 1, kColumnLength, QStringLiteral("9"));
    click(IDC_ADD_FIELD);  // after row 1, a copy of it
    const QStringList edited = lengths();
    ASSERT_EQ(edited.size(), untouched.size() + 1);
    click(IDC_SAVE_TABLE);
    const std::string saved = okBytes();

    click(IDC_UNDO);  // the save: the schema as before, the rows still edited
    EXPECT_EQ(okBytes(), original);
    EXPECT_EQ(lengths(), edited);
    click(IDC_UNDO);  // the added row
    EXPECT_EQ(lengths().size(), untouched.size());
    EXPECT_EQ(lengths()[1], QStringLiteral("9"));
    click(IDC_UNDO);  // the cell
    EXPECT_EQ(lengths(), untouched);
    EXPECT_EQ(okBytes(), original);
    EXPECT_FALSE(control<QPushButton>(IDC_UNDO)->isEnabled());
    clickTimes(IDC_REDO, 3);
    EXPECT_EQ(lengths(), edited);
    EXPECT_EQ(okBytes(), saved);

    // Moves into the included list, the same way back through their save.
    const QStringList includedBefore = texts(included());
    chooseCategory("居民地");
    ASSERT_EQ(texts(available()), QStringList{QString::fromUtf8("140103    棚房")});
    selectLines(available(), {0});
    click(IDC_INCLUDE);
    click(IDC_SAVE_INCLUSION);
    EXPECT_EQ(tableOf("140103"), gbk("房屋"));
    click(IDC_UNDO);
    EXPECT_EQ(tableOf("140103"), "");
    EXPECT_EQ(texts(included()).size(), includedBefore.size() + 1);
    click(IDC_UNDO);
    EXPECT_EQ(texts(included()), includedBefore);
    EXPECT_EQ(texts(available()), QStringList{QString::fromUtf8("140103    棚房")});

    // An edit dropped by a change of table, as the dialog always did, still has its step.
    editInPlace(grid(), 0, kColumnLength, QStringLiteral("55"));
    select(tableItem(1));
    select(tableItem(0));
    EXPECT_NE(grid()->cellText(0, kColumnLength), QStringLiteral("55"));
    select(tableItem(1));
    click(IDC_UNDO);
    EXPECT_EQ(dialog->currentTable(), gbk("房屋"));
    click(IDC_REDO);
    EXPECT_EQ(grid()->cellText(0, kColumnLength), QStringLiteral("55"));
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(UndoTest, AnOpenCellEditorIsFinishedBeforeTheUndoThatTakesItBack) {
    openDefaults();
    const int rows = grid()->gridRowCount();
    click(IDC_ADD_FIELD);
    const QString old = grid()->cellText(0, kColumnName);
    ASSERT_TRUE(grid()->ShowEditBox(0, kColumnName, old));
    CCellEditBox* box = CCellEditBox::existing();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("XY"));
    click(IDC_UNDO);  // the typing, not the row added before it
    EXPECT_FALSE(box->isEditing());
    EXPECT_EQ(grid()->cellText(0, kColumnName), old);
    EXPECT_EQ(grid()->gridRowCount(), rows + 1);
    click(IDC_REDO);
    EXPECT_EQ(grid()->cellText(0, kColumnName), QStringLiteral("XY"));
}

TEST_F(UndoTest, CtrlZAndCtrlYUndoAndRedoAndTheRenamedTableIsSelected) {
    openDefaults();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    control<QLineEdit>(IDC_TABLE_NAME)->setText(QString::fromUtf8("楼房"));
    click(IDC_SAVE_TABLE);
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tableNames().front(), gbk("房屋"));
    EXPECT_EQ(tableOf("140101"), gbk("房屋"));
    EXPECT_EQ(tree()->currentItem()->text(0), QString::fromUtf8("房屋"));
    QTest::keyClick(tree(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(tableNames().front(), gbk("楼房"));
    EXPECT_EQ(tableOf("140101"), gbk("楼房"));
    EXPECT_EQ(dialog->currentTable(), gbk("楼房"));
    EXPECT_EQ(control<QLineEdit>(IDC_TABLE_NAME)->text(), QString::fromUtf8("楼房"));
}

TEST_F(UndoTest, ALiveLockOfAnotherProcessOpensReadOnlyOrNotAtAll) {
    writeDefaults();
    char hostName[256] = {};
    ::gethostname(hostName, sizeof hostName - 1);
    // The parent process is alive and is not this one.
    writeFile(".quorbel.lock",
              quorbel::formatLockFile({"wang", hostName, ::getppid(), 1'800'000'000}));
    const std::string lock = readFile(".quorbel.lock");

    dialog = std::make_unique<CAttrStructDlg>(schema);
    dialog->setPrompter(&prompter);
    prompter.answers = {false};
    EXPECT_FALSE(dialog->openUnderLock());
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(prompter.questions[0].contains(QString::fromUtf8("wang 在 ") +
                                               QString::fromUtf8(hostName) +
                                               QString::fromUtf8(" 上正在编辑属性结构(自 ")))
        << prompter.questions[0].toStdString();
    EXPECT_EQ(prompter.buttons[0], QString::fromUtf8("只读打开/取消"));

    prompter.answers = {true};
    ASSERT_TRUE(dialog->openUnderLock());
    dialog->show();
    EXPECT_TRUE(dialog->isReadOnly());
    for (const int id : {IDOK, IDC_SAVE_TABLE, IDC_INCLUDE, IDC_EXCLUDE, IDC_ADD_FIELD, IDC_UNDO}) {
        EXPECT_FALSE(control<QWidget>(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(control<QWidget>(IDCANCEL)->isEnabled());
    selectLines(included(), {0});
    command(IDC_EXCLUDE);
    EXPECT_EQ(included()->count(), 2);
    dialog->accept();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(readFile("INDEX.INI"), gbk(kDefaultIndex));
    dialog.reset();
    EXPECT_EQ(readFile(".quorbel.lock"), lock);
}

TEST_F(UndoTest, FilesChangedOnDiskAreNamedAndEachAnswerDoesWhatItSays) {
    openDefaults();
    command(IDC_EXCLUDE);  // nothing selected: nothing changes
    selectLines(included(), {0});
    command(IDC_EXCLUDE);
    const std::string theirs = gbk("130101,gc1,0.0000,三角点,0,别人的表\r\nEND\r\n");
    writeFile("INDEX.INI", theirs);

    prompter.answers = {false};
    dialog->accept();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(
        prompter.questions[0].startsWith(QString::fromUtf8("INDEX.INI 在本对话框打开后已被修改(")))
        << prompter.questions[0].toStdString();
    EXPECT_FALSE(prompter.questions[0].contains(QStringLiteral("attribute.def")));
    EXPECT_EQ(prompter.buttons[0], QString::fromUtf8("覆盖/取消"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(readFile("INDEX.INI"), theirs);
    EXPECT_EQ(tableOf("140101"), "");  // the user's exclusion is still there

    prompter.answers = {true};
    dialog->accept();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(prompter.questions.size(), 2u);
    EXPECT_NE(readFile("INDEX.INI").find(gbk("140101,area1,0.0000,一般房屋,0\r\n")),
              std::string::npos);
}

TEST_F(UndoTest, FindBoxesFilterByCodeOrNameAndMovesTakeOnlyShownLines) {
    openDefaults();
    select(tableItem(1));  // 道路, Line
    chooseCategory("居民地");
    ASSERT_EQ(available()->count(), 3);
    selectLines(available(), {0, 1, 2});
    control<QLineEdit>(IDC_AVAILABLE_FIND)->setText(QString::fromUtf8("房屋"));
    EXPECT_EQ(texts(available()), (QStringList{QString::fromUtf8("140101    一般房屋"),
                                               QString::fromUtf8("140102    简单房屋")}));
    command(IDC_INCLUDE);
    control<QLineEdit>(IDC_AVAILABLE_FIND)->clear();
    EXPECT_EQ(texts(available()), QStringList{QString::fromUtf8("140103    棚房")});
    EXPECT_TRUE(available()->selectedItems().isEmpty());
    EXPECT_EQ(included()->count(), 3);

    control<QLineEdit>(IDC_INCLUDED_FIND)->setText(QStringLiteral("0101"));
    EXPECT_EQ(texts(included()), (QStringList{QString::fromUtf8("160101    国道"),
                                              QString::fromUtf8("140101    一般房屋")}));
    control<QLineEdit>(IDC_TREE_FIND)->setText(QString::fromUtf8("表"));
    EXPECT_TRUE(tableItem(0)->isHidden());
    EXPECT_FALSE(tableItem(2)->isHidden());  // 控制点表
    EXPECT_FALSE(tableItem(3)->isHidden());  // 空表
    EXPECT_FALSE(root()->isHidden());
}

}  // namespace
}  // namespace quorbel::editor::testing
