#include <gtest/gtest.h>

#include <string>

#include "import/sdr_reader.h"

namespace vrk {
namespace {

constexpr std::size_t kNoSdrTextLimit = static_cast<std::size_t>(-1);

// Fixed columns: ids and numbers right-aligned, descriptions left-aligned.
std::string R(std::string_view text, std::size_t width) {
    return std::string(width - text.size(), ' ') + std::string(text);
}
std::string L(std::string_view text, std::size_t width) {
    return std::string(text) + std::string(width - text.size(), ' ');
}

// "00NM", version (16), "0000", date and time (16), then angle, distance, pressure,
// temperature units, coordinate order and a 1.
std::string Header(std::string_view version, std::string_view units) {
    return "00NM" + L(version, 16) + "0000" + L("08-Dec-26 09:30", 16) + std::string(units) +
           "\r\n";
}

TEST(SdrReaderTest, NarrowIdsNorthFirstInMetres) {
    const std::string file = Header("SDR20V03-05", "111111") + "08KI" + R("12", 4) +
                             R("2000.123", 10) + R("1000.456", 10) + R("50.5", 10) + L("TREE", 16) +
                             "\r\n" + "08KI" + R("13", 4) + R("-20.0004", 10) + R("-10.0005", 10) +
                             "\r\n";
    const ImportResult result = ReadSdr(file, kNoSdrTextLimit);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "12,TREE,1000.456,2000.123,50.500\r\n"
              "13,,-10.001,-20.000,\r\n");
}

TEST(SdrReaderTest, WideIdsEastFirstInFeet) {
    const std::string file = Header("SDR33 V04-04.02", "121121") + "08KI" +
                             R("CP-0001-NORTHWAL", 16) + R("100.000", 16) + R("200.000", 16) +
                             R("10.000", 16) + L("FENCE POST", 16) + "\r\n";
    const ImportResult result = ReadSdr(file, kNoSdrTextLimit);
    ASSERT_TRUE(result.ok) << result.message;
    // Easting 100 ft = 30.480 m, northing 200 ft = 60.960 m, height 10 ft = 3.048 m.
    EXPECT_EQ(result.text, "CP-0001-NORTHWAL,FENCE POST,30.480,60.960,3.048\r\n");
}

// Station 1 at N 5000, E 5000, Z 100, instrument 1.55 high; point 2 bears 45° and is read at 0;
// target 1.7 high. Point 3: HA 90° (bearing 135°), zenith 88.5°, slope 50 m, worked by hand:
// E 5035.343, N 4964.657, Z 101.159.
TEST(SdrReaderTest, ObservationsFromAnOrientedStation) {
    const std::string file =
        Header("SDR20V03-05", "111111") + "01KI1" + L("SET", 45) + "1\r\n" + "09F1" + R("1", 4) +
        R("3", 4) + R("50.000", 10) + R("88.5", 10) + R("90.0", 10) + "\r\n" + "02TP" + R("1", 4) +
        R("5000.000", 10) + R("5000.000", 10) + R("100.000", 10) + R("1.550", 10) + L("STN", 16) +
        "\r\n" + "09F1" + R("1", 4) + R("3", 4) + R("50.000", 10) + R("88.5", 10) + R("90.0", 10) +
        "\r\n" + "07TP" + R("1", 4) + R("2", 4) + R("45.0", 10) + R("0.0", 10) + "\r\n" + "03NM" +
        R("1.700", 10) + "\r\n" + "09F1" + R("1", 4) + R("3", 4) + R("50.000", 10) + R("88.5", 10) +
        R("90.0", 10) + L("TREE", 16) + "\r\n" + "09F1" + R("7", 4) + R("4", 4) + R("50.000", 10) +
        R("88.5", 10) + R("90.0", 10) + "\r\n";
    const ImportResult result = ReadSdr(file, kNoSdrTextLimit);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text,
              "1,STN,5000.000,5000.000,100.000\r\n"
              "3,TREE,5035.343,4964.657,101.159\r\n");
    EXPECT_EQ(result.skipped, 3U);
    ASSERT_EQ(result.notes.size(), 3U);
    EXPECT_EQ(result.notes[0].line, 3U);
    EXPECT_EQ(result.notes[0].text, "观测没有测站坐标,不推算");
    EXPECT_EQ(result.notes[1].line, 5U);
    EXPECT_EQ(result.notes[1].text, "测站没有定向(后视点或方位角),观测不推算");
    EXPECT_EQ(result.notes[2].line, 9U);
    EXPECT_EQ(result.notes[2].text, "观测的测站 7 不是当前测站");
}

TEST(SdrReaderTest, AFileOfAnotherFormatIsRefusedAtItsFirstLine) {
    const ImportResult result = ReadSdr("P1,,1,2,3\r\n", kNoSdrTextLimit);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "文件不是 SDR 格式: 第 1 行读不下去(不是 SDR 记录)");
}

}  // namespace
}  // namespace vrk
