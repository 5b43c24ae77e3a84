// DELF and PCODE files as the station reads and writes them: exact millimetres, GBK untouched.
#include <gtest/gtest.h>

#include "delf_file.h"
#include "pcode_file.h"

namespace tssim {
namespace {

TEST(DelfFile, ReadsMetresExactlyAndKeepsGbkNames) {
    const std::string text =
        "\xBF\xD8\xD6\xC6\xB5\xE3\x31,code,3512.406,2210.118,48.215\r\n"
        "K18,K18,3560.8,2235.21,-0.004\r\n"
        "\r\n"
        "R,R,1.0005,-0.0004,-0.0\n"
        "Z,Z,0.001,12,7";  // no line end after the last line
    const DelfParse parsed = parseDelf(text);
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front();
    ASSERT_EQ(parsed.points.size(), 4u);
    EXPECT_EQ(parsed.points[0], (Point{"\xBF\xD8\xD6\xC6\xB5\xE3\x31", 2210118, 3512406, 48215}));
    EXPECT_EQ(parsed.points[1], (Point{"K18", 2235210, 3560800, -4}));
    EXPECT_EQ(parsed.points[2], (Point{"R", 0, 1001, 0}));
    EXPECT_EQ(parsed.points[3], (Point{"Z", 12000, 1, 7000}));
}

TEST(DelfFile, ReportsBadLinesByNumberAndKeepsTheRest) {
    const DelfParse parsed = parseDelf(
        "A,A,1,2,3\n"
        "B,B,1,2\n"      // a comma short
        "C,C,1,2,3,4\n"  // one too many
        "D,D,1,x2,3\n"   // not a number
        " ,E,1,2,3\n"    // no name
        "F,F,1,2,3\n");
    EXPECT_EQ(parsed.points.size(), 2u);
    ASSERT_EQ(parsed.errors.size(), 4u);
    EXPECT_EQ(parsed.errors[0].substr(0, 7), "line 2:");
    EXPECT_EQ(parsed.errors[3].substr(0, 7), "line 5:");
}

TEST(DelfFile, WritesWhatItReads) {
    const std::vector<Point> points = {{"P1", 2000000, 1000000, 50000}, {"K1", -12345, 7, -4}};
    const std::string text = formatDelf(points);
    EXPECT_EQ(text, "P1,P1,1000.000,2000.000,50.000\r\nK1,K1,0.007,-12.345,-0.004\r\n");
    EXPECT_EQ(parseDelf(text).points, points);
}

TEST(PcodeFile, ReadsNumberAndTextAfterTheFirstComma) {
    const PcodeParse parsed = parsePcode("1,\xCA\xF7\r\n7,a,b\r\nx,bad\r\n1000,big\r\nnocomma\r\n");
    ASSERT_EQ(parsed.entries.size(), 2u);
    EXPECT_EQ(parsed.entries[0], (PcodeEntry{1, "\xCA\xF7"}));
    EXPECT_EQ(parsed.entries[1], (PcodeEntry{7, "a,b"}));
    EXPECT_EQ(parsed.errors.size(), 3u);
}

TEST(PcodeFile, CutsLongTextsAtACharacterBoundary) {
    // "1" and five GBK characters: 11 bytes, the last character straddles the 10-byte limit.
    const std::string straddling = "1\xBA\xC5\xB5\xE7\xC1\xA6\xCF\xDF\xB8\xCB";
    const PcodeParse parsed = parsePcode("30," + straddling + "\n12,ABCDEFGHIJKL\n3,ABCDEFGHIJ\n");
    ASSERT_EQ(parsed.entries.size(), 3u);
    EXPECT_EQ(parsed.entries[0].text, straddling.substr(0, 9));
    EXPECT_EQ(parsed.entries[1].text, "ABCDEFGHIJ");
    EXPECT_EQ(parsed.entries[2].text, "ABCDEFGHIJ");
    EXPECT_EQ(parsed.textsCut, 2u);
    EXPECT_EQ(formatPcode(parsed.entries).substr(0, 13), "30," + straddling.substr(0, 9) + "\r");
}

}  // namespace
}  // namespace tssim
