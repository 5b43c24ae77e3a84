#include <gtest/gtest.h>

#include "editor/field_row.h"
#include "schema/gbk_text.h"

namespace quorbel::editor {
namespace {

FieldRow row(std::string name, std::string type, std::string length, std::string decimals,
             std::string description, std::string dictionary) {
    return {std::move(name),     std::move(type),        std::move(length),
            std::move(decimals), std::move(description), std::move(dictionary)};
}

TEST(FieldRow, ShowsKnownCodesByNameAndUnknownCodesEmpty) {
    FieldDef field{"MC", 22, 8, 2, "desc", ""};
    FieldRow shown = fieldToRow(field);
    EXPECT_EQ(shown[1], utf8ToGbk("长整数"));
    EXPECT_EQ(shown[2], "8");
    EXPECT_EQ(shown[3], "2");

    field.type = 5;
    field.length = -3;
    shown = fieldToRow(field);
    EXPECT_EQ(shown[1], "");
    EXPECT_EQ(shown[2], "-3");
}

TEST(FieldRow, SavingMapsNamesBackAndDropsDictionaryOfOtherTypes) {
    FieldDef field;
    ASSERT_EQ(rowToField(row("A", "", "", "", "", "TBL_LandUseCode"), field), FieldProblem::None);
    EXPECT_EQ(field.type, 0);
    EXPECT_EQ(field.length, 0);
    EXPECT_EQ(field.decimals, 0);
    EXPECT_EQ(field.dictionary, "TBL_LandUseCode");

    ASSERT_EQ(rowToField(row("B", utf8ToGbk("浮点数"), "12x", "3", "d", "TBL_LandUseCode"), field),
              FieldProblem::None);
    EXPECT_EQ(field.type, 3);
    EXPECT_EQ(field.length, 12);
    EXPECT_EQ(field.decimals, 3);
    EXPECT_EQ(field.dictionary, "");

    // A name shown for code 63 maps back to the plain float code.
    ASSERT_EQ(rowToField(fieldToRow(FieldDef{"C", 63, 0, 0, "", ""}), field), FieldProblem::None);
    EXPECT_EQ(field.type, 3);

    ASSERT_EQ(rowToField(row("", "unknown", "", "", "", ""), field), FieldProblem::None);
    EXPECT_EQ(field.type, 0);
    EXPECT_EQ(field.name, "");
}

TEST(FieldRow, RefusesWhatTheFilesCannotHold) {
    FieldDef field;
    EXPECT_EQ(rowToField(row(std::string(39, 'n'), "", "", "", std::string(79, 'd'), ""), field),
              FieldProblem::None);
    EXPECT_EQ(rowToField(row(std::string(40, 'n'), "", "", "", "", ""), field),
              FieldProblem::NameTooLong);
    EXPECT_EQ(rowToField(row("a,b", "", "", "", "", ""), field), FieldProblem::NameSeparator);
    EXPECT_EQ(rowToField(row("a b", "", "", "", "", ""), field), FieldProblem::NameSeparator);
    EXPECT_EQ(rowToField(row("a", "", "", "", std::string(80, 'd'), ""), field),
              FieldProblem::DescriptionTooLong);
    EXPECT_EQ(rowToField(row("a", "", "", "", "x y", ""), field),
              FieldProblem::DescriptionSeparator);
    EXPECT_EQ(rowToField(row("a", "", "2147483647", "", "", ""), field), FieldProblem::None);
    EXPECT_EQ(rowToField(row("a", "", "2147483648", "", "", ""), field),
              FieldProblem::NumberTooLarge);
    EXPECT_EQ(rowToField(row("a", "", "", "99999999999", "", ""), field),
              FieldProblem::NumberTooLarge);
}

}  // namespace
}  // namespace quorbel::editor
