#include <gtest/gtest.h>

#include <string>

#include "editor/feature_line.h"

namespace quorbel::editor {
namespace {

std::size_t spacesAfterCode(std::size_t codeLength) {
    const std::string code(codeLength, '1');
    const std::string line = featureLine(code, "X");
    return line.size() - code.size() - 1;
}

TEST(FeatureLine, PaddingNarrowsFromSevenToTenCharactersButNeverBelowTwo) {
    EXPECT_EQ(spacesAfterCode(1), 4u);
    EXPECT_EQ(spacesAfterCode(6), 4u);
    EXPECT_EQ(spacesAfterCode(7), 3u);
    EXPECT_EQ(spacesAfterCode(8), 2u);
    EXPECT_EQ(spacesAfterCode(9), 2u);
    EXPECT_EQ(spacesAfterCode(10), 2u);
    EXPECT_EQ(spacesAfterCode(11), 4u);
    EXPECT_EQ(spacesAfterCode(12), 4u);
}

TEST(FeatureLine, KeyIsTheCodeEvenWhenTheNameHasSpacesAndGbkBytes) {
    const std::string name = "\xbf\xd8\xd6\xc6\xb5\xe3 a b";  // 控制点 a b
    const std::string line = featureLine("130101", name);
    EXPECT_EQ(line, "130101    " + name);
    EXPECT_EQ(featureLineKey(line), "130101");
    EXPECT_EQ(featureLineKey(featureLine("1234567890", name)), "1234567890");
    EXPECT_EQ(featureLineKey("nospace"), "nospace");
}

}  // namespace
}  // namespace quorbel::editor
