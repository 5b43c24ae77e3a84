#include "schema/attribute_def_file.h"

#include <gtest/gtest.h>

#include "schema_test_support.h"

namespace quorbel {
namespace {

using testing::gbk;

std::string roundTrip(std::string_view bytes) {
    const auto content = parseAttributeDef(bytes);
    return formatAttributeDef(content.tables, content.unreadText);
}

TEST(AttributeDefFile, WritesTablesFieldsAndEndLineWithCrLf) {
    AttributeTable table{"NewName", 3, "NULL", gbk("宗地面积"), {}};
    table.fields = {{gbk("编码"), 10, 6, 0, gbk("编码"), ""},
                    {gbk("地类"), 0, 4, 0, gbk("地类"), "TBL_LandUseCode"},
                    {gbk("宗地面积"), 203, 12, 2, gbk("宗地面积"), ""}};
    const std::string expected =
        gbk("*NewName,3,宗地面积\r\n"
            "  编码,10,6,0,编码\r\n"
            "  地类,0,4,0,地类,TBL_LandUseCode\r\n"
            "  宗地面积,203,12,2,宗地面积\r\n"
            "\r\n"
            "[END]\r\n");
    EXPECT_EQ(formatAttributeDef({table}), expected);
    EXPECT_EQ(parseAttributeDef(expected).tables, std::vector<AttributeTable>{table});
    EXPECT_EQ(formatAttributeDef({}), "[END]\r\n");
}

TEST(AttributeDefFile, TwoAndThreeCommaTableLines) {
    const auto content = parseAttributeDef("*A,1,desc with spaces\n*B,2,AUX,d\n*C,-1,nULLx,d\n");
    ASSERT_EQ(content.tables.size(), 3u);
    EXPECT_EQ(content.tables[0].auxToken, "NULL");
    EXPECT_EQ(content.tables[0].description, "desc with spaces");
    EXPECT_EQ(content.tables[1].auxToken, "AUX");
    EXPECT_EQ(content.tables[1].description, "d");
    EXPECT_EQ(content.tables[2].kind, -1);
    // Any token starting with the letters of NULL counts as absent and is not written back.
    EXPECT_EQ(formatAttributeDef(content.tables),
              "*A,1,desc with spaces\r\n\r\n*B,2,AUX,d\r\n\r\n*C,-1,d\r\n\r\n[END]\r\n");
}

TEST(AttributeDefFile, DescriptionWithOneCommaKeepsItsBytes) {
    const std::string file = gbk("*T,1,北区,一号\r\n\r\n[END]\r\n");
    const auto content = parseAttributeDef(file);
    ASSERT_EQ(content.tables.size(), 1u);
    EXPECT_EQ(content.tables[0].auxToken, gbk("北区"));
    EXPECT_EQ(content.tables[0].description, gbk("一号"));
    EXPECT_EQ(roundTrip(file), file);
}

TEST(AttributeDefFile, MoreThanThreeCommasKeepTheRestAsDescription) {
    ReadNotes notes;
    const auto content = parseAttributeDef("*T,1,a,b,c\n", &notes);
    ASSERT_EQ(content.tables.size(), 1u);
    EXPECT_EQ(content.tables[0].auxToken, "NULL");
    EXPECT_EQ(content.tables[0].description, "a,b,c");
    EXPECT_EQ(roundTrip("*T,1,a,b,c\n"), "*T,1,a,b,c\r\n\r\n[END]\r\n");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::TableLineExtraCommas);

    notes.clear();
    const auto cut = parseAttributeDef("*my table,1,aux token,d\n", &notes);
    EXPECT_EQ(cut.tables.at(0).name, "my");
    EXPECT_EQ(cut.tables[0].auxToken, "aux");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::TokenCut);
}

TEST(AttributeDefFile, FieldLineTokensNumbersAndDictionaryRule) {
    ReadNotes notes;
    const auto content = parseAttributeDef(
        "*T,1,d\n"
        "  f1,0,10,0,two words,TBL_X,ignored\n"
        "  f2,3,8,x,d,TBL_Y\n"
        "  f3, 2 ,-4,+2,d\n"
        "  f4,0,1,0,d,\n",
        &notes);
    ASSERT_EQ(content.tables.size(), 1u);
    const auto& f = content.tables[0].fields;
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0], (FieldDef{"f1", 0, 10, 0, "two", "TBL_X"}));
    EXPECT_EQ(f[1], (FieldDef{"f2", 3, 8, 0, "d", ""}));
    EXPECT_EQ(f[2], (FieldDef{"f3", 2, -4, 2, "d", ""}));
    EXPECT_EQ(f[3], (FieldDef{"f4", 0, 1, 0, "d", ""}));
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::TokenCut);
    EXPECT_EQ(notes[0].line, 2u);
    EXPECT_EQ(notes[1].kind, ReadNoteKind::DictionaryDropped);
    EXPECT_EQ(notes[1].line, 3u);
}

TEST(AttributeDefFile, EndLineInAnyCaseStopsReading) {
    ReadNotes notes;
    const auto content = parseAttributeDef("*A,1,a\n[end] trailing\n*B,1,b\n", &notes);
    ASSERT_EQ(content.tables.size(), 1u);
    EXPECT_EQ(content.tables[0].name, "A");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::IgnoredAfterEnd);
    EXPECT_EQ(notes[0].line, 3u);
}

TEST(AttributeDefFile, SkippedLinesAndFieldsBeforeAnyTable) {
    ReadNotes notes;
    const auto content =
        parseAttributeDef("  early,0,1,0,d\nremark\n\n   \n*T,1,d\n  short,0,1\n", &notes);
    ASSERT_EQ(content.tables.size(), 1u);
    EXPECT_TRUE(content.tables[0].fields.empty());
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::FieldBeforeTable);
    EXPECT_EQ(notes[1].kind, ReadNoteKind::LineSkipped);
    EXPECT_EQ(notes[1].line, 2u);
    EXPECT_EQ(notes[2].line, 6u);
}

TEST(AttributeDefFile, LastLineWithoutTerminatorAndLongLinesAreReadWhole) {
    const std::string longDescription(1000, 'x');
    const auto content = parseAttributeDef("*T,1,a\r\n  f,0,1,0,d,TBL_LandUseCode");
    ASSERT_EQ(content.tables.at(0).fields.size(), 1u);
    EXPECT_EQ(content.tables[0].fields[0].dictionary, "TBL_LandUseCode");
    const auto longLine = parseAttributeDef("*T,1," + longDescription + "\n*U,1,b\n");
    ASSERT_EQ(longLine.tables.size(), 2u);
    EXPECT_EQ(longLine.tables[0].description, longDescription);
}

TEST(AttributeDefFile, IncompleteTableLineKeepsTheRestVerbatim) {
    const std::string file =
        "*A,1,a\r\n  f,0,1,0,d\r\n\r\n*broken,1\r\n  g,0,1,0,d\n*C,2,c\r\n[END]\r\nafter\r\n";
    ReadNotes notes;
    const auto content = parseAttributeDef(file, &notes);
    ASSERT_EQ(content.tables.size(), 1u);
    EXPECT_EQ(content.incompleteLine, 4u);
    EXPECT_EQ(content.unreadText, "*broken,1\r\n  g,0,1,0,d\n*C,2,c\r\n");
    const std::string written = formatAttributeDef(content.tables, content.unreadText);
    EXPECT_EQ(written,
              "*A,1,a\r\n  f,0,1,0,d\r\n\r\n*broken,1\r\n  g,0,1,0,d\n*C,2,c\r\n[END]\r\n");
    EXPECT_EQ(roundTrip(written), written);
    // Without an end line and without a last terminator the tail still ends with a line break.
    EXPECT_EQ(roundTrip("*x\n*C,2,c"), "*x\n*C,2,c\r\n[END]\r\n");
}

}  // namespace
}  // namespace quorbel
