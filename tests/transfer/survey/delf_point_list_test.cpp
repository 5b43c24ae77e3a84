#include <gtest/gtest.h>

#include "survey/delf_point_list.h"

namespace vrk {
namespace {

TEST(DelfPointList, ReadsWhatTheUploadSendsWithLinesAndOffsets) {
    const std::string text =
        "  K1 ,ZD, 100.5,200.25,3\r\n"  // line 1
        "\r\n"                          // blank: neither point nor skipped
        "no commas here\r\n"            // skipped
        "K2,,1,2,3,4\r\n"               // five commas: skipped
        "K3,TR,-1e1,2.5x,\r\n";         // line 5
    const SurveyPointList list = ReadDelfPoints(text);
    ASSERT_EQ(list.points.size(), 2u);
    EXPECT_EQ(list.skippedLines, (std::vector<std::size_t>{3, 4}));

    const SurveyPoint& first = list.points[0];
    EXPECT_EQ(first.name, "K1");
    EXPECT_EQ(first.code, "ZD");
    EXPECT_DOUBLE_EQ(first.y, 100.5);
    EXPECT_DOUBLE_EQ(first.x, 200.25);
    EXPECT_DOUBLE_EQ(first.h, 3.0);
    EXPECT_EQ(first.line, 1u);
    EXPECT_EQ(first.offset, 0u);

    const SurveyPoint& last = list.points[1];
    EXPECT_EQ(last.line, 5u);
    EXPECT_EQ(text.substr(last.offset, 3), "K3,");
    EXPECT_DOUBLE_EQ(last.y, -10.0);
    EXPECT_DOUBLE_EQ(last.x, 2.5);
    EXPECT_DOUBLE_EQ(last.h, 0.0);
}

TEST(DelfPointList, AnEmptyLineEndsTheListAndWhatFollowsCountsAsSkipped) {
    const SurveyPointList list = ReadDelfPoints("A,,1,2,3\n\nB,,1,2,3\nC,,1,2,3\n");
    ASSERT_EQ(list.points.size(), 1u);
    EXPECT_EQ(list.skippedLines, (std::vector<std::size_t>{3, 4}));
}

}  // namespace
}  // namespace vrk
