#include <gtest/gtest.h>

#include <string>

#include "import/delimited_reader.h"
#include "import/survey_import.h"

namespace vrk {
namespace {

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

ImportResult Read(std::string_view text, std::string_view columns = {}, char delimiter = 0) {
    DelimitedOptions options;
    options.delimiter = delimiter;
    if (!columns.empty()) {
        options.columns = *ParseColumnMap(columns);
    }
    return ReadDelimited(text, options, kNoLimit);
}

TEST(DelimitedReaderTest, HeaderlessTextIsReadInDelfOrder) {
    const ImportResult result = Read("P1,TREE,100.0,200.0,10.5\r\n\r\n0A12,,1,2,3\n0,,4,5,6");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "P1,TREE,100.000,200.000,10.500\r\n"
              "0A12,,1.000,2.000,3.000\r\n"
              "0,,4.000,5.000,6.000\r\n");
}

TEST(DelimitedReaderTest, AGbkHeaderNamesTheColumns) {
    // 点名,X,Y,高程 in GBK: X is the northing, Y the easting.
    const std::string text =
        "\xB5\xE3\xC3\xFB,X,Y,\xB8\xDF\xB3\xCC\r\n"
        "\xBD\xE7\xD6\xB7"
        "1,3000.1234,500.0005,12\r\n";
    const ImportResult result = Read(text);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "\xBD\xE7\xD6\xB7"
              "1,,500.001,3000.123,12.000\r\n");  // 界址1
}

TEST(DelimitedReaderTest, Utf8WithItsMarkBecomesGbk) {
    const ImportResult result = Read(
        "\xEF\xBB\xBFname;E;N;H\n\xE7\x95\x8C\xE5\x9D\x80"
        "2;1;2;3\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "\xBD\xE7\xD6\xB7"
              "2,,1.000,2.000,3.000\r\n");
}

TEST(DelimitedReaderTest, ColumnMapDelimitersAndMissingParts) {
    const ImportResult blanks = Read("  7   1.5\t2.5  \n 8 \t 3  4 9.25\n", "name,E,N,H", ' ');
    ASSERT_TRUE(blanks.ok) << blanks.message;
    EXPECT_EQ(blanks.text, "7,,1.500,2.500,\r\n8,,3.000,4.000,9.250\r\n");
    ASSERT_EQ(blanks.notes.size(), 1U);
    EXPECT_EQ(blanks.notes[0].text, "没有高程,H 留空");

    const ImportResult tabs = Read("x\t2\t1\tK\n\t4\t3\t\n", "-,N,E,code");
    ASSERT_TRUE(tabs.ok) << tabs.message;
    EXPECT_EQ(tabs.text, "1,K,1.000,2.000,\r\n2,,3.000,4.000,\r\n");
    EXPECT_EQ(tabs.notes[2].text, "没有点名,以行号 2 为点名");

    const ImportResult quoted = Read("\"A,1\",\"say \"\"hi\"\"\",1,2,3\nB,,x,2,3\n");
    ASSERT_TRUE(quoted.ok) << quoted.message;
    EXPECT_EQ(quoted.text, "A,1,say \"hi\",1.000,2.000,3.000\r\n");
    ASSERT_EQ(quoted.skipped, 1U);
    EXPECT_EQ(quoted.notes[0].line, 2U);
    EXPECT_EQ(quoted.notes[0].text, "东坐标 不是数字: x");
}

TEST(DelimitedReaderTest, TextWithoutCoordinatesIsRefusedWhereReadingStopped) {
    const ImportResult result = Read("just a note\nP1,,east,2,3\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "文件不是分隔文本: 第 2 行读不下去(东坐标 不是数字: east)");
    EXPECT_FALSE(ParseColumnMap("name,E,E").has_value());
    EXPECT_FALSE(ParseColumnMap("name,Q").has_value());
    EXPECT_EQ(ColumnMapText(*ParseColumnMap(" NAME ,,e,n")), "name,-,E,N");
}

TEST(DelimitedReaderTest, TheFormatIsDetectedFromTheContent) {
    EXPECT_EQ(DetectImportFormat("\r\n*110001+0000000000000001 81..00+0000000000000001 \r\n"),
              ImportFormat::Gsi);
    EXPECT_EQ(DetectImportFormat("110001+00000001 81..00+00000001 \r\n"), ImportFormat::Gsi);
    EXPECT_EQ(DetectImportFormat("00NMSDR33 V04-04.02 \r\n"), ImportFormat::Sdr);
    EXPECT_EQ(DetectImportFormat("08KI   1  1000.000  2000.000\r\n"), ImportFormat::Sdr);
    EXPECT_EQ(DetectImportFormat("12,TREE,1,2,3\r\n"), ImportFormat::Delimited);
    EXPECT_EQ(DetectImportFormat(""), ImportFormat::Delimited);
}

}  // namespace
}  // namespace vrk
