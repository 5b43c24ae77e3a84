#include <gtest/gtest.h>

#include "link/block_packer.h"
#include "link/upload_lines.h"

namespace vrk {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachUploadLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(UploadLines, LinesKeepTheirCrAndAnEmptyLineEndsTheText) {
    EXPECT_EQ(Lines("a\r\nb"), (std::vector<std::string>{"a\r", "b\r"}));
    EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a\r", "\r", "b\r", "\r"}));
    EXPECT_EQ(Lines("a\n\nb"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(Lines("\nb"), (std::vector<std::string>{}));
    EXPECT_EQ(Lines(""), (std::vector<std::string>{"\r"}));
}

TEST(ParseCoordLine, TakesNameAndTheNumbersAfterTheSecondThirdAndFourthComma) {
    const auto p = ParseCoordLine("  P1 x,,1000.000,2000.000,50.000\r");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->name, "P1");
    EXPECT_DOUBLE_EQ(p->y, 1000.0);
    EXPECT_DOUBLE_EQ(p->x, 2000.0);
    EXPECT_DOUBLE_EQ(p->h, 50.0);
    EXPECT_EQ(p->format(), "_+P1        _ x+002000000_ y+001000000_ z+000050000");
}

TEST(ParseCoordLine, OnlyLinesWithExactlyFourCommas) {
    EXPECT_FALSE(ParseCoordLine("P1,P1,1,2,3,4"));
    EXPECT_FALSE(ParseCoordLine("P1,P1,1,2"));
    EXPECT_FALSE(ParseCoordLine(""));
    const auto empty = ParseCoordLine(",,,,");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, "");
    EXPECT_EQ(empty->y, 0.0);
    const auto junk = ParseCoordLine("K1,K1,abc,inf,nan\r");
    ASSERT_TRUE(junk);
    EXPECT_EQ(junk->format(), "_+K1        _ x+000000000_ y+000000000_ z+000000000");
}

TEST(ParsePcodeLine, NumberCommaText) {
    const auto r = ParsePcodeLine("12,\xb5\xe7,\xb8\xcb\r");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->number, 12);
    EXPECT_EQ(r->text, "\xb5\xe7,\xb8\xcb") << "later commas belong to the text, CRs go";
    EXPECT_EQ(ParsePcodeLine(",TREE")->format(), "_:000TREE      ");
    EXPECT_EQ(ParsePcodeLine("1,\xb5\xe7\xb8\xcb")->format(), "_:001\xb5\xe7\xb8\xcb      ");
    EXPECT_FALSE(ParsePcodeLine("no comma here"));
}

TEST(BuildUpload, SkipsWhatIsNotARecordAndPacksTheRest) {
    const std::string text =
        "header line\r\nP1,P1,1000.000,2000.000,50.000\r\nbad,1,2\r\nP2,P2,1,2,3\r\n";
    const std::string upload = BuildCoordUpload(text);
    ASSERT_EQ(CountUploadBlocks(upload), 1u);
    EXPECT_EQ(upload.substr(0, 103),
              "_+P1        _ x+002000000_ y+001000000_ z+000050000"
              "_+P2        _ x+000002000_ y+000001000_ z+000003000_");
    EXPECT_EQ(BuildCoordUpload(""), "_" + std::string(127, ' ') + "\x02");
    EXPECT_EQ(BuildPcodeUpload("7,A\r\nnone\r\n"),
              "_:007A         _" + std::string(112, ' ') + "\x02");
}

}  // namespace
}  // namespace vrk
