#include <gtest/gtest.h>

#include "survey/upload_check.h"

namespace vrk {
namespace {

std::vector<std::string> Lines(const UploadFindings& findings) {
    std::vector<std::string> out;
    for (const UploadFinding& finding : findings) {
        out.push_back(std::to_string(finding.line) + ": " + finding.text);
    }
    return out;
}

TEST(CoordUploadCheck, ACleanListHasNoFindings) {
    EXPECT_TRUE(CheckCoordUpload("P1,ZD,100.000,200.000,3.5\r\n\r\nP2,,-1,2e2,+3 \r\n").empty());
    EXPECT_TRUE(CheckCoordUpload("").empty());
}

TEST(CoordUploadCheck, EachKindOfFindingWithItsLine) {
    const std::string text =
        "P1,,1,2,3\r\n"           // 1 clean
        "P2,1,2,3\r\n"            // 2 three commas
        "ABCDEFGHIJK,,1,2,3\r\n"  // 3 name of 11 bytes
        "A_B,,1,2,3\r\n"          // 4 underscore
        "P5,,12.3abc,2,\r\n"      // 5 Y not whole, H empty
        "P6,,1,1000000,3\r\n"     // 6 X needs ten millimetre digits
        "P1,,7,8,9\r\n";          // 7 duplicate of line 1
    EXPECT_EQ(Lines(CheckCoordUpload(text)), (std::vector<std::string>{
                                                 "2: 不是恰好4个逗号,此行不发送",
                                                 "3: 点名超过10个字节,记录会变长",
                                                 "4: 点名含有\"_\",全站仪会读成另一个点",
                                                 "5: Y值不是完整的数字,只发送能读出的开头",
                                                 "5: H值为空,按0发送",
                                                 "6: X值超过9位毫米数字",
                                                 "7: 点名与第1行重复",
                                             }));
}

TEST(CoordUploadCheck, LinesAfterAnEmptyLineAreNeverSent) {
    EXPECT_EQ(Lines(CheckCoordUpload("P1,,1,2,3\n\n\nP2,,1,2,3\n")),
              (std::vector<std::string>{"4: 前面有空行,此行及以后各行不发送"}));
    EXPECT_TRUE(CheckCoordUpload("P1,,1,2,3\n\n \r\n").empty());
}

TEST(PcodeUploadCheck, EachKindOfFindingWithItsLine) {
    const std::string text =
        "1,ROAD\r\n"         // 1 clean
        "HOUSE\r\n"          // 2 no comma
        "51,TREE\r\n"        // 3 sent as 50
        "-2,WELL\r\n"        // 4 below 0
        "1,AGAIN\r\n"        // 5 repeated
        "7,ABCDEFGHIJK\r\n"  // 6 text of 11 bytes
        "8,A_B\r\n"          // 7 underscore
        "60,FENCE\r\n";      // 8 above 50 and, as sent, the same as line 3
    EXPECT_EQ(Lines(CheckPcodeUpload(text)), (std::vector<std::string>{
                                                 "2: 没有逗号,此行不发送",
                                                 "3: 编号51大于50,按50发送",
                                                 "4: 编号-2小于0",
                                                 "5: 发送的编号1与第1行重复",
                                                 "6: 文本超过10个字节,会被截短",
                                                 "7: 文本含有\"_\",会拆开全站仪的字段",
                                                 "8: 编号60大于50,按50发送",
                                                 "8: 发送的编号50与第3行重复",
                                             }));
    EXPECT_TRUE(CheckPcodeUpload("0,A\r\n50,ABCDEFGHIJ\r\n\r\n").empty());
}

TEST(UploadFindings, FormatOneALine) {
    EXPECT_EQ(FormatFindings({{2, "a"}, {10, "b"}}), "2: a\n10: b\n");
}

}  // namespace
}  // namespace vrk
