#include "schema/compact_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorbel {
namespace {

// Lengths around the 15 bytes that stand inline, with zero and GBK bytes among them.
std::vector<std::string> samples() {
    std::vector<std::string> texts;
    constexpr std::string_view kBytes("ab\xB5\xD8\0cd", 7);
    for (const std::size_t size : {0U, 1U, 14U, 15U, 16U, 17U, 300U}) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += kBytes[i % kBytes.size()];
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(CompactText, KeepsEveryByteAcrossCopyMoveAndAssignment) {
    for (const std::string& a : samples()) {
        for (const std::string& b : samples()) {
            SCOPED_TRACE(std::to_string(a.size()) + " then " + std::to_string(b.size()));
            CompactText text(a);
            EXPECT_EQ(text.size(), a.size());
            EXPECT_EQ(text, a);
            EXPECT_EQ(text.empty(), a.empty());

            CompactText copy(text);
            text = b;
            EXPECT_EQ(copy, a);
            EXPECT_EQ(text, b);

            CompactText moved(std::move(copy));
            EXPECT_EQ(moved, a);
            EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): moved from is empty

            moved = std::move(text);
            EXPECT_EQ(moved, b);
            text = moved;
            EXPECT_EQ(text, b);
            EXPECT_EQ(text == moved, true);

            text.clear();
            EXPECT_TRUE(text.empty());
            EXPECT_EQ(text, "");
        }
    }
}

TEST(CompactText, TakesAPartOfItself) {
    for (const std::string& a : samples()) {
        for (std::size_t start = 0; start <= a.size(); start += 3) {
            CompactText text(a);
            text.assign(std::string_view(text).substr(start));
            EXPECT_EQ(text, a.substr(start)) << a.size() << " from " << start;
        }
        CompactText text(a);
        const CompactText& same = text;
        text = same;
        EXPECT_EQ(text, a);
    }
}

TEST(CompactText, ComparesAsItsBytes) {
    const CompactText text("13100");
    EXPECT_TRUE(text == "13100");
    EXPECT_TRUE(text == std::string("13100"));
    EXPECT_FALSE(text == "1310");
    EXPECT_FALSE(text == std::string_view("13100\0", 6));
    EXPECT_TRUE(text < "2");
    EXPECT_TRUE(CompactText("a") != CompactText("b"));
}

}  // namespace
}  // namespace quorbel
