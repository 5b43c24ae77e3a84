#include <gtest/gtest.h>

#include "schema/candidate_features.h"
#include "schema/feature_category.h"
#include "schema/field_catalogue.h"
#include "schema/gbk_letter_case.h"
#include "schema/gbk_text.h"
#include "schema/table_kind.h"
#include "schema_test_support.h"

namespace quorbel {
namespace {

using testing::gbk;

TEST(GbkText, BuiltInTextsHaveTheirGbkBytes) {
    EXPECT_EQ(utf8ToGbk("字符串"), "\xD7\xD6\xB7\xFB\xB4\xAE");
    EXPECT_EQ(utf8ToGbk("界址线长度"), "\xBD\xE7\xD6\xB7\xCF\xDF\xB3\xA4\xB6\xC8");
    EXPECT_EQ(gbkToUtf8("\xCE\xC4\xD7\xD6"), "文字");
    EXPECT_EQ(gbkToUtf8("a\xCE"), "a\xEF\xBF\xBD");  // a lone lead byte is replaced, not dropped
    EXPECT_EQ(utf8ToGbk(""), "");
}

TEST(GbkText, AsciiFoldingLeavesGbkBytesAlone) {
    // 0xC1 0x41 and 0xC1 0x61 are different characters whose trail bytes look like 'A' and 'a'.
    EXPECT_FALSE(equalsIgnoreAsciiCase("\xC1\x41", "\xC1\x61"));
    EXPECT_TRUE(
        equalsIgnoreAsciiCase("\xC1\x41"
                              "Ab",
                              "\xC1\x41"
                              "aB"));
    EXPECT_EQ(foldedAscii("\xC1\x41"
                          "Ab"),
              "\xC1\x41"
              "ab");
    EXPECT_FALSE(codeHasPrefix("\xC1\x41", "\xC1\x61"));
    EXPECT_TRUE(startsWithIgnoreAsciiCase("[eNd]x", "[END]"));
    EXPECT_FALSE(startsWithIgnoreAsciiCase("\xB5\xD8", "\xB5\xF8"));
}

TEST(FieldCatalogue, NamesAndCodesMapBothWays) {
    const auto& options = fieldTypeOptions();
    ASSERT_EQ(options.size(), 26u);
    EXPECT_EQ(options[0], "\xD7\xD6\xB7\xFB\xB4\xAE");
    EXPECT_EQ(options[9], gbk("文字符号旋转角度"));
    EXPECT_EQ(options[25], gbk("界址线长度"));
    for (const auto& name : options) {
        std::string back;
        fieldTypeName(fieldTypeCode(name), back);
        EXPECT_EQ(back, name);
    }
    EXPECT_EQ(fieldTypeCode(gbk("控制点等级")), 110);
    EXPECT_EQ(fieldTypeCode(gbk("控制点点名")), 120);
    EXPECT_EQ(fieldTypeCode(""), 0);
    EXPECT_EQ(fieldTypeCode("unknown"), 0);
    EXPECT_EQ(fieldTypeCode("\xD7\xD6\xB7\xFB\xB4"), 0);  // a prefix of a name is no name
}

TEST(FieldCatalogue, AliasCodesShowANameThatMapsElsewhere) {
    std::string text;
    fieldTypeName(22, text);
    EXPECT_EQ(text, gbk("长整数"));
    EXPECT_EQ(fieldTypeCode(text), 2);
    fieldTypeName(63, text);
    EXPECT_EQ(text, gbk("浮点数"));
    fieldTypeName(73, text);
    EXPECT_EQ(fieldTypeCode(text), 3);
    std::string untouched = "keep";
    fieldTypeName(5, untouched);
    EXPECT_EQ(untouched, "keep");
    EXPECT_FALSE(hasFieldTypeName(5));
    EXPECT_TRUE(hasFieldTypeName(73));
}

TEST(FieldCatalogue, DecimalsAndDictionaryLists) {
    EXPECT_EQ(decimalsOptions(), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6"}));
    const auto& dictionaries = dictionaryOptions();
    ASSERT_EQ(dictionaries.size(), 14u);
    EXPECT_EQ(dictionaries.front(), "TBL_BuildingStyleCode");
    EXPECT_EQ(dictionaries[3], "TBL_LandUseCode");
    EXPECT_EQ(dictionaries.back(), "TBL_VergePropertyCode");
}

TEST(FeatureCategoryTest, PrefixesAndNames) {
    const auto& categories = featureCategories();
    ASSERT_EQ(categories.size(), 11u);
    EXPECT_EQ(categories.front().name, "\xBF\xD8\xD6\xC6\xB5\xE3");
    EXPECT_EQ(categories.back().name, "\xB5\xD8\xC0\xE0\xD0\xC5\xCF\xA2");
    std::string prefix = "xx";
    categoryPrefix(gbk("交通设施"), prefix);
    EXPECT_EQ(prefix, "16");
    categoryPrefix(gbk("交通"), prefix);
    EXPECT_EQ(prefix, "16");
    std::string name;
    categoryName("30", name);
    EXPECT_EQ(name, gbk("地籍信息"));
    categoryName("99", name);
    EXPECT_EQ(name, gbk("地籍信息"));
    EXPECT_TRUE(codeHasCategory("2101"));
    EXPECT_FALSE(codeHasCategory("9901"));
    EXPECT_FALSE(codeHasCategory(""));
    EXPECT_FALSE(codeHasPrefix("1301", ""));
}

TEST(TableKindTest, SymbolRule) {
    EXPECT_EQ(tableKindNames().size(), 5u);
    EXPECT_EQ(tableKindNames()[0], "\xCE\xB4\xB6\xA8\xD2\xE5");
    EXPECT_TRUE(symbolFitsKind("GC113", 1));
    EXPECT_FALSE(symbolFitsKind("GC113", 2));
    EXPECT_TRUE(symbolFitsKind("TEXT1", 4));
    EXPECT_FALSE(symbolFitsKind("TEXT1", 3));
    EXPECT_TRUE(symbolFitsKind("dl1", 2));
    EXPECT_TRUE(symbolFitsKind("dl1", 3));
    EXPECT_TRUE(symbolFitsKind("tex", 2));  // too short to be a text symbol
    for (const int32_t undefinedLike : {0, -1, 5, 100}) {
        EXPECT_FALSE(symbolFitsKind("gc1", undefinedLike));
        EXPECT_FALSE(symbolFitsKind("dl1", undefinedLike));
        EXPECT_FALSE(symbolFitsKind("text1", undefinedLike));
    }
}

class CandidateFeaturesTest : public ::testing::Test {
  protected:
    testing::FakeHost host;
    AttributeSchema schema{host};

    void SetUp() override {
        schema.reset({}, {
                             {"1301", "gc1", 0, "a", "0", ""},
                             {"1302", "GC2", 0, "b", "0", "Other"},
                             {"1303", "TEXT1", 0, "c", "0", ""},
                             {"1304", "x1", 0, "d", "0", ""},
                             {"9901", "gc1", 0, "e", "0", ""},
                             {"1301", "gc1", 0, "dup", "0", ""},
                         });
    }
};

TEST_F(CandidateFeaturesTest, ByPrefixAndKindInIndexOrder) {
    EXPECT_EQ(candidateFeatures(schema, "13", 1), (std::vector<std::size_t>{0, 1, 5}));
    EXPECT_EQ(candidateFeatures(schema, "13", 4), (std::vector<std::size_t>{2}));
    EXPECT_EQ(candidateFeatures(schema, "13", 2), (std::vector<std::size_t>{3}));
    EXPECT_TRUE(candidateFeatures(schema, "13", 0).empty());
    EXPECT_TRUE(candidateFeatures(schema, "13", -1).empty());
    EXPECT_TRUE(candidateFeatures(schema, "", 1).empty());
    EXPECT_TRUE(candidateFeatures(schema, "14", 1).empty());
}

TEST_F(CandidateFeaturesTest, ExcludedCodesLeaveOutEveryEntryOfTheCode) {
    const std::unordered_multiset<std::string> included{"1301"};
    EXPECT_EQ(candidateFeatures(schema, "13", 1, &included), (std::vector<std::size_t>{1}));
}

}  // namespace
}  // namespace quorbel
