#include <gtest/gtest.h>

#include "schema/attribute_schema.h"
#include "schema_test_support.h"

namespace quorbel {
namespace {

using testing::gbk;

const std::string kIndexPath = "/support/INDEX.INI";
const std::string kDefPath = "/support/attribute.def";
const std::string kIndexBytes = "1301,gc1,0,a,0,T\r\n1302,gc2,0,b,0\r\nEND\r\n";
const std::string kDefBytes = "*T,1,d\r\n  f,0,1,0,d\r\n\r\n[END]\r\n";

class SchemaFilesTest : public ::testing::Test {
  protected:
    testing::FakeHost host;
    testing::MemoryFileStore store;
    AttributeSchema schema{host, store};

    void SetUp() override {
        host.files = {{"index.ini", kIndexPath}, {"attribute.def", kDefPath}};
        store.contents = {{kIndexPath, kIndexBytes}, {kDefPath, kDefBytes}};
    }
};

TEST_F(SchemaFilesTest, LoadsIndexThenTablesAndSavesBothUnchanged) {
    ASSERT_TRUE(schema.loadSchema());
    EXPECT_EQ(host.searched, (std::vector<std::string>{"index.ini", "attribute.def"}));
    EXPECT_TRUE(host.printed.empty());
    EXPECT_EQ(schema.features().size(), 2u);
    EXPECT_EQ(schema.tables().size(), 1u);
    ASSERT_TRUE(schema.saveSchema());
    EXPECT_EQ(store.contents[kIndexPath],
              "1301,gc1,0.0000,a,0,T\r\n1302,gc2,0.0000,b,0\r\nEND\r\n");
    EXPECT_EQ(store.contents[kDefPath], kDefBytes);
    EXPECT_EQ(store.replaceCalls, 1);
}

TEST_F(SchemaFilesTest, MissingIndexStopsLoadingBeforeTheTables) {
    host.files.erase("index.ini");
    schema.reset({{"Kept", 1, "NULL", "", {}}}, {});
    EXPECT_FALSE(schema.loadSchema());
    EXPECT_EQ(host.printed, (std::vector<std::string>{gbk("\n没有找到INDEX.INI文件!")}));
    EXPECT_EQ(host.printed[0],
              "\n\xC3\xBB\xD3\xD0\xD5\xD2\xB5\xBD"
              "INDEX.INI\xCE\xC4\xBC\xFE!");
    EXPECT_EQ(host.searched, (std::vector<std::string>{"index.ini"}));
    EXPECT_EQ(schema.tables().size(), 1u);
}

TEST_F(SchemaFilesTest, MissingTablesFileFailsTheLoadWithItsMessage) {
    host.files.erase("attribute.def");
    EXPECT_FALSE(schema.loadSchema());
    EXPECT_EQ(schema.features().size(), 2u);
    EXPECT_EQ(host.printed, (std::vector<std::string>{gbk("\n没有找到属性文件!")}));
}

TEST_F(SchemaFilesTest, SaveLocatesBothFilesBeforeWritingEither) {
    ASSERT_TRUE(schema.loadSchema());
    host.files.erase("attribute.def");
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(host.printed, (std::vector<std::string>{gbk("\n没有找到attribute.def文件!")}));
    EXPECT_EQ(store.replaceCalls, 0);

    host.printed.clear();
    host.files.erase("index.ini");
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(host.printed, (std::vector<std::string>{gbk("\n没有找到INDEX.INI文件!")}));
    EXPECT_EQ(store.replaceCalls, 0);
}

TEST_F(SchemaFilesTest, UnreadableFileIsNeverOverwritten) {
    store.unreadable.insert(kIndexPath);
    ASSERT_TRUE(schema.loadSchema());
    EXPECT_TRUE(schema.features().empty());
    EXPECT_TRUE(host.printed.empty());
    EXPECT_EQ(schema.indexLoadState(), FileLoadState::Unreadable);
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_FALSE(schema.writeIndexIni());
    EXPECT_EQ(store.replaceCalls, 0);
    ASSERT_FALSE(host.printed.empty());
    EXPECT_EQ(host.printed[0], gbk("\nINDEX.INI文件未能读入,为保护原有内容,不写入该文件!"));
    EXPECT_EQ(store.contents[kIndexPath], kIndexBytes);
}

TEST_F(SchemaFilesTest, TablesFileSkippedByAFailedLoadIsNotOverwritten) {
    host.files.erase("index.ini");
    EXPECT_FALSE(schema.loadSchema());
    host.files["index.ini"] = kIndexPath;
    host.printed.clear();
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(store.replaceCalls, 0);
    EXPECT_EQ(store.contents[kDefPath], kDefBytes);
    // A new session starts afresh.
    schema.clear();
    ASSERT_TRUE(schema.loadSchema());
    EXPECT_TRUE(schema.saveSchema());
}

TEST_F(SchemaFilesTest, FailedWriteIsReportedAndKeepsTheSchema) {
    ASSERT_TRUE(schema.loadSchema());
    schema.assignFeature("1302", "T");
    store.failReplace = true;
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(
        host.printed,
        (std::vector<std::string>{gbk("\n写入INDEX.INI或attribute.def文件失败,原文件保持不变!")}));
    EXPECT_EQ(store.contents[kIndexPath], kIndexBytes);
    EXPECT_EQ(schema.featuresOfTable("T").size(), 2u);
    store.failReplace = false;
    EXPECT_TRUE(schema.saveSchema());
}

TEST_F(SchemaFilesTest, ReadOnlyFileStopsTheSaveBeforeEitherIsWritten) {
    ASSERT_TRUE(schema.loadSchema());
    store.readOnly.insert(kDefPath);
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_FALSE(schema.writeAttributeDef());
    EXPECT_EQ(host.printed,
              (std::vector<std::string>(2, gbk("\nattribute.def文件是只读的,不能写入!"))));
    EXPECT_EQ(store.replaceCalls, 0);
}

TEST_F(SchemaFilesTest, SecondFileFailingAfterTheFirstNamesBoth) {
    ASSERT_TRUE(schema.loadSchema());
    store.failReplace = true;
    store.writtenBeforeFailure = 1;
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(host.printed,
              (std::vector<std::string>{
                  gbk("\nINDEX.INI已写入,attribute.def写入失败,两个文件的内容现在不一致!")}));
}

TEST_F(SchemaFilesTest, FileLeftHalfWrittenIsNamedInsteadOfCalledUnchanged) {
    ASSERT_TRUE(schema.loadSchema());
    store.failReplace = true;
    store.failureDamages = true;
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(
        host.printed,
        (std::vector<std::string>{gbk("\nINDEX.INI写入失败,原内容也未能恢复,该文件可能已损坏!")}));

    host.printed.clear();
    store.writtenBeforeFailure = 1;
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(host.printed,
              (std::vector<std::string>{
                  gbk("\nINDEX.INI已写入,attribute.def写入失败,两个文件的内容现在不一致!"),
                  gbk("\nattribute.def写入失败,原内容也未能恢复,该文件可能已损坏!")}));
}

TEST_F(SchemaFilesTest, OpeningNamesCutValuesDroppedDictionariesAndParamsThatAreNoNumbers) {
    store.contents[kIndexPath] =
        gbk("1301,gc1,x,一般 房屋,0\r\n1302,gc2,0,b c,0,T T\r\n1303,gc3,y,c,0\r\nEND\r\n");
    store.contents[kDefPath] = "*T,1,d\r\n  f,1,8,0,d,DICT\r\n  g g,0,1,0,d\r\n[END]\r\n";
    ASSERT_TRUE(schema.loadSchema());
    schema.reportLinesNotWrittenBack();
    EXPECT_EQ(
        host.printed,
        (std::vector<std::string>{
            gbk("\nINDEX.INI中有2行的参数不是数字,保存时将写为0.0000:第1、3行!"),
            gbk("\nINDEX.INI中有2行的值含有空格,空格之后的文字保存时不会写回:第1、2行!"),
            gbk("\nattribute.def中有1行字段不是字符串类型却带有字典,字典保存时不会写回:第2行!"),
            gbk("\nattribute.def中有1行的值含有空格,空格之后的文字保存时不会写回:第3行!")}));
}

TEST_F(SchemaFilesTest, IncompleteTableLineIsNamedAndItsTablesSurviveASave) {
    store.contents[kDefPath] = "*A,1,a\r\n\r\n*B\r\n  g,0,1,0,d\r\n*C,1,c\r\n[END]\r\n";
    ASSERT_TRUE(schema.loadSchema());
    EXPECT_EQ(schema.tables().size(), 1u);
    EXPECT_EQ(host.printed,
              (std::vector<std::string>{gbk("\nattribute.def第3行的表定义不完整,"
                                            "该行及其后的内容未读入,保存时将原样保留!")}));
    ASSERT_TRUE(schema.saveSchema());
    EXPECT_EQ(store.contents[kDefPath], "*A,1,a\r\n\r\n*B\r\n  g,0,1,0,d\r\n*C,1,c\r\n[END]\r\n");
}

TEST_F(SchemaFilesTest, SingleStepWritesFollowTheirOwnLookups) {
    ASSERT_TRUE(schema.loadSchema());
    host.files.erase("attribute.def");
    EXPECT_TRUE(schema.writeIndexIni());
    EXPECT_FALSE(schema.writeAttributeDef());
    EXPECT_EQ(host.printed, (std::vector<std::string>{gbk("\n没有找到attribute.def文件!")}));
}

}  // namespace
}  // namespace quorbel
