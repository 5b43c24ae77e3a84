// The feature inclusion lists of the attribute structure dialog.
#include "editor_fixture.h"

namespace quorbel::editor::testing {
namespace {

TEST_F(EditorTest, ATableWithoutFeaturesOffersNothingUntilACategoryIsChosen) {
    openDefaults();
    select(tableItem(3));  // 空表, kind Undefined
    EXPECT_EQ(category()->currentIndex(), -1);
    EXPECT_EQ(available()->count(), 0);
    chooseCategory("控制点");
    EXPECT_EQ(available()->count(), 0);
    EXPECT_EQ(dialog->currentCategory(), gbk("控制点"));

    select(tableItem(2));  // 控制点表, kind Point, holds 130101
    EXPECT_EQ(category()->currentText(), QString::fromUtf8("控制点"));
    // The upper-case symbol prefix fits; the text symbol does not; the seven-digit code has three
    // spaces.
    EXPECT_EQ(texts(available()), (QStringList{QString::fromUtf8("130102    导线点"),
                                               QString::fromUtf8("1301011   七位码")}));
}

TEST_F(EditorTest, IncludingAFeatureOfAnotherTableMovesItOnSave) {
    openDefaults();
    select(tableItem(2));
    chooseCategory("居民地");
    EXPECT_EQ(available()->count(), 0);  // area symbols do not fit a point table
    select(tableItem(1));                // 道路, Line
    chooseCategory("居民地");
    ASSERT_EQ(texts(available()).size(), 3);
    selectLines(available(), {0, 2});
    command(IDC_INCLUDE);
    EXPECT_EQ(texts(included()),
              (QStringList{QString::fromUtf8("160101    国道"), QString::fromUtf8("140103    棚房"),
                           QString::fromUtf8("140101    一般房屋")}));
    EXPECT_EQ(included()->selectedItems().size(), 2);
    EXPECT_EQ(texts(available()), QStringList{QString::fromUtf8("140102    简单房屋")});
    EXPECT_EQ(tableOf("140101"), gbk("房屋"));
    command(IDC_SAVE_INCLUSION);
    EXPECT_EQ(tableOf("140101"), gbk("道路"));
    EXPECT_EQ(tableOf("140103"), gbk("道路"));

    select(tableItem(0));
    EXPECT_EQ(texts(included()), QStringList{QString::fromUtf8("140102    简单房屋")});
}

TEST_F(EditorTest, UnsavedInclusionsAreDroppedOnTableChange) {
    openDefaults();
    selectLines(available(), {0});
    command(IDC_INCLUDE);
    EXPECT_EQ(included()->count(), 3);
    // A category change keeps the unsaved line out of the available list.
    chooseCategory("控制点");
    chooseCategory("居民地");
    EXPECT_EQ(available()->count(), 0);
    select(tableItem(1));
    select(tableItem(0));
    EXPECT_EQ(included()->count(), 2);
    EXPECT_EQ(tableOf("140103"), "");
}

TEST_F(EditorTest, ExcludedLinesGoToTheEndOfTheAvailableListAtOnce) {
    openDefaults();
    chooseCategory("交通设施");
    // A feature of another table is offered too.
    EXPECT_EQ(texts(available()), (QStringList{QString::fromUtf8("160101    国道"),
                                               QString::fromUtf8("160102    省道")}));
    selectLines(included(), {0, 1});
    command(IDC_EXCLUDE);
    EXPECT_EQ(texts(available()),
              (QStringList{QString::fromUtf8("160101    国道"), QString::fromUtf8("160102    省道"),
                           QString::fromUtf8("140102    简单房屋"),
                           QString::fromUtf8("140101    一般房屋")}));
    EXPECT_EQ(tableOf("140101"), "");
    EXPECT_EQ(tableOf("140102"), "");
    chooseCategory("交通设施");
    EXPECT_EQ(available()->count(), 2);

    // Double-clicks do the same as the buttons; nothing selected does nothing.
    command(IDC_INCLUDE);
    command(IDC_EXCLUDE);
    EXPECT_EQ(included()->count(), 0);
}

TEST_F(EditorTest, InNewTableModeTheListsKeepWorkingOnThePreviousTable) {
    openDefaults();
    command(ID_TABLE_ADD);
    selectLines(available(), {0});
    command(IDC_INCLUDE);
    command(IDC_SAVE_INCLUSION);
    EXPECT_EQ(tableOf("140103"), gbk("房屋"));
    EXPECT_TRUE(dialog->isNewTableMode());
}

}  // namespace
}  // namespace quorbel::editor::testing
