#include <gtest/gtest.h>

#include "editor/find_filter.h"
#include "editor/inclusion_lists.h"

namespace quorbel::editor {
namespace {

TEST(FindFilterTest, MatchesOnCharactersOfGbkAndFoldsOnlyAsciiLetters) {
    const std::string diwu = "\xB5\xD8\xCE\xEF";  // 地物
    EXPECT_TRUE(gbkContains(diwu, "\xCE\xEF"));
    // Trail byte of 地 and lead byte of 物 are a character of their own; it is not in the text.
    EXPECT_FALSE(gbkContains(diwu, "\xD8\xCE"));
    EXPECT_TRUE(gbkContains("gc1301", "GC13"));
    // A trail byte that looks like a letter is not folded: 癩 is B0 41 in GBK, 癮 is not B0 61.
    EXPECT_FALSE(gbkContains("\xB0\x41", "\xB0\x61"));
    EXPECT_FALSE(gbkContains("a\xB0\x41",
                             "A"
                             "\xB0\x61"));
    EXPECT_TRUE(gbkContains("x", ""));
    EXPECT_FALSE(gbkContains("", "x"));
}

TEST(FindFilterTest, AFeatureLineMatchesByCodeOrNameButNotAcrossThePadding) {
    FeatureLine line;
    line.key = "130101";
    line.text = "130101    \xC8\xFD\xBD\xC7\xB5\xE3";  // 三角点
    EXPECT_TRUE(featureLineMatches(line, "0101"));
    EXPECT_TRUE(featureLineMatches(line, "\xBD\xC7\xB5\xE3"));
    EXPECT_FALSE(featureLineMatches(line, "1 "));
    EXPECT_FALSE(featureLineMatches(line, "01\xC8\xFD"));
}

}  // namespace
}  // namespace quorbel::editor
