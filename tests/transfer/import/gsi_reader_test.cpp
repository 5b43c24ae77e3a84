#include <gtest/gtest.h>

#include <string>

#include "import/gsi_reader.h"

namespace vrk {
namespace {

constexpr std::size_t kNoGsiTextLimit = static_cast<std::size_t>(-1);

TEST(GsiReaderTest, MixedWordLengthsSignsAndEveryLengthUnit) {
    const std::string file =
        "*110001+00000000000000P1 71....+000000000000TREE 81..00+0000000001234567 "
        "82..00-0000000000765432 83..00+0000000000012345 \r\n"
        "110002+000000P2 81..06+01234567 82..08+12345650 83..08-12345650 \r\n"
        "110003+00000000 81..01+00100000 82..07+00010000 83..10+00001000 \r\n"
        "*110004+0000000000000000 81..00+0000000000000001 82..00+0000000000000002 \r\n";
    const ImportResult result = ReadGsi(file, kNoGsiTextLimit);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "P1,TREE,1234.567,-765.432,12.345\r\n"
              "P2,,123.457,123.457,-123.457\r\n"
              "0,,30.480,0.305,1.000\r\n"
              "0,,0.001,0.002,\r\n");
    EXPECT_EQ(result.points, 4U);
    EXPECT_EQ(result.skipped, 0U);
    ASSERT_EQ(result.notes.size(), 1U);
    EXPECT_EQ(result.notes[0].line, 4U);
    EXPECT_EQ(result.notes[0].text, "没有高程,H 留空");
}

// The station stands at E 1000, N 2000, H 50 with the instrument 1.5 high; B01 (E 1100, N 2000)
// bears 100 gon and is read at 0, so the circle is turned by 100 gon. P1: Hz 50 gon, V 95 gon,
// slope 100 m, target 1.3 m: worked by hand, E 1070.493, N 1929.507, H 58.046.
TEST(GsiReaderTest, ObservationsAreReducedOnceTheStationIsOriented) {
    const std::string file =
        "*110001+0000000000000B01 81..00+0000000001100000 82..00+0000000002000000 "
        "83..00+0000000000050000 \r\n"
        "*110002+00000000000000P0 21.102+0000000001000000 22.102+0000000010000000 "
        "31..00+0000000000010000 \r\n"
        "*110003+0000000000000ST1 84..00+0000000001000000 85..00+0000000002000000 "
        "86..00+0000000000050000 88..00+0000000000001500 \r\n"
        "*110004+00000000000000P9 21.102+0000000001000000 22.102+0000000010000000 "
        "31..00+0000000000010000 \r\n"
        "*110005+0000000000000B01 21.102+0000000000000000 22.102+0000000010000000 \r\n"
        "*110006+00000000000000P1 21.102+0000000005000000 22.102+0000000009500000 "
        "31..00+0000000000100000 87..00+0000000000001300 71....+000000000000WALL \r\n"
        "*110007+00000000000000P2 21.104+0000000009000000 22.104+0000000009000000 "
        "32..00+0000000000010000 \r\n";
    const ImportResult result = ReadGsi(file, kNoGsiTextLimit);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "B01,,1100.000,2000.000,50.000\r\n"
              "P1,WALL,1070.493,1929.507,58.046\r\n"
              "P2,,1000.000,1990.000,50.200\r\n");
    EXPECT_EQ(result.skipped, 2U);
    ASSERT_GE(result.notes.size(), 2U);
    EXPECT_EQ(result.notes[0].line, 2U);
    EXPECT_EQ(result.notes[0].text, "观测没有测站坐标,不推算");
    EXPECT_EQ(result.notes[1].line, 4U);
    EXPECT_EQ(result.notes[1].text, "测站没有定向(后视点或方位角),观测不推算");
}

TEST(GsiReaderTest, AFileOfAnotherFormatIsRefusedAtItsFirstLine) {
    const ImportResult result = ReadGsi("name,code,E,N,H\r\nP1,,1,2,3\r\n", kNoGsiTextLimit);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.text.empty());
    EXPECT_EQ(result.message, "文件不是 GSI 格式: 第 1 行读不下去(不是 GSI 字)");
}

TEST(GsiReaderTest, BadWordsAreReportedAndTheTextStaysWithinItsBound) {
    const std::string file =
        "110001+000000P1 81..00+00001000 82..00+00002000 \r\n"
        "110002+000000P2 81..02+00001000 82..00+00002000 \r\n"
        "110003+000000P3 81..00+0000X000 82..00+00002000 \r\n"
        "110004+000000P4 71....+0000CODE \r\n";
    const ImportResult result = ReadGsi(file, kNoGsiTextLimit);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.text, "P1,,1.000,2.000,\r\n");
    EXPECT_EQ(result.skipped, 3U);
    EXPECT_EQ(result.notes[1].text, "东坐标 的单位代码 2 不是长度单位");
    EXPECT_EQ(result.notes[2].text, "东坐标 不是数字: 0000X000");
    EXPECT_EQ(result.notes[3].text, "没有坐标");

    const ImportResult bounded = ReadGsi(file + file, 80);
    EXPECT_FALSE(bounded.ok);
    EXPECT_EQ(bounded.message, "导入的结果超过 80 字节,读到第 5 行为止");
}

}  // namespace
}  // namespace vrk
