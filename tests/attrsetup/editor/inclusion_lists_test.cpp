#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/inclusion_lists.h"
#include "schema/attribute_schema.h"
#include "schema/table_kind.h"

namespace quorbel::editor {
namespace {

class NoHost : public HostServices {
  public:
    int findFile(std::string_view, std::string&) override { return 0; }
    void print(std::string_view) override {}
};

FeatureEntry feature(const std::string& code, const std::string& symbol,
                     const std::string& table = {}) {
    FeatureEntry entry;
    entry.name = "N" + code;
    entry.code = code;
    entry.symbol = symbol;
    entry.auxToken = "0";
    entry.table = table;
    return entry;
}

AttributeTable table(std::string name, TableKind kind) {
    AttributeTable result;
    result.name = std::move(name);
    result.kind = static_cast<int32_t>(kind);
    return result;
}

std::vector<std::string> keys(const std::vector<FeatureLine>& lines) {
    std::vector<std::string> result;
    for (const FeatureLine& line : lines) {
        result.push_back(line.key);
    }
    return result;
}

using Keys = std::vector<std::string>;

class InclusionListsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        schema.reset(
            {table("P", TableKind::Point), table("L", TableKind::Line),
             table("U", TableKind::Undefined)},
            {feature("130101", "gc1", "P"), feature("130102", "GC2"), feature("130103", "text1"),
             feature("130104", "gc4", "L"), feature("140101", "gc5"), feature("130105", "Line"),
             feature("130106", "TEXT2")});
    }
    NoHost host;
    AttributeSchema schema{host};
    InclusionLists lists;
};

TEST_F(InclusionListsTest, AvailableFollowsKindPrefixAndIncludedKeys) {
    lists.rebuildIncluded(schema, "P");
    EXPECT_EQ(keys(lists.included()), Keys{"130101"});
    EXPECT_EQ(lists.firstIncludedPrefix(), "13");

    // Other tables' features are offered; symbol prefixes match in any letter case.
    lists.refillAvailable(schema, "13", static_cast<int32_t>(TableKind::Point));
    EXPECT_EQ(keys(lists.available()), (Keys{"130102", "130104"}));

    lists.refillAvailable(schema, "13", static_cast<int32_t>(TableKind::Text));
    EXPECT_EQ(keys(lists.available()), (Keys{"130103", "130106"}));
    lists.refillAvailable(schema, "13", static_cast<int32_t>(TableKind::Area));
    EXPECT_EQ(keys(lists.available()), Keys{"130105"});

    for (const int32_t kind : {0, -1, 5}) {
        lists.refillAvailable(schema, "13", kind);
        EXPECT_TRUE(lists.available().empty()) << kind;
    }
    lists.refillAvailable(schema, "", static_cast<int32_t>(TableKind::Point));
    EXPECT_TRUE(lists.available().empty());
}

TEST_F(InclusionListsTest, DuplicateCodesMoveTogetherAndTheWalkStopsAtTheUpperOne) {
    schema.reset({table("P", TableKind::Point)},
                 {feature("130101", "gc1"), feature("130101", "gc1"), feature("130102", "gc2")});
    lists.rebuildIncluded(schema, "P");
    lists.refillAvailable(schema, "13", static_cast<int32_t>(TableKind::Point));
    ASSERT_EQ(lists.available().size(), 3u);
    lists.setAvailableSelection({0, 1, 2});
    EXPECT_EQ(lists.include(), 2u);
    EXPECT_EQ(keys(lists.included()), (Keys{"130102", "130101"}));
    EXPECT_EQ(keys(lists.available()), Keys{"130101"});

    lists.saveInclusion(schema, "P");
    EXPECT_EQ(schema.features()[0].table, "P");
    EXPECT_EQ(schema.features()[1].table, "P");

    // Both entries are released at once, and both lines stay in the included list until
    // each is excluded.
    lists.rebuildIncluded(schema, "P");
    lists.setIncludedSelection({0});
    EXPECT_EQ(lists.exclude(schema), 1u);
    EXPECT_EQ(schema.features()[0].table, "");
    EXPECT_EQ(schema.features()[1].table, "");
    EXPECT_EQ(schema.features()[2].table, "P");
}

TEST_F(InclusionListsTest, ExcludeReleasesAtOnceAndAppendsWhateverTheCategory) {
    lists.rebuildIncluded(schema, "P");
    lists.refillAvailable(schema, "14", static_cast<int32_t>(TableKind::Point));
    EXPECT_EQ(keys(lists.available()), Keys{"140101"});
    lists.setIncludedSelection({0});
    EXPECT_EQ(lists.exclude(schema), 1u);
    EXPECT_EQ(schema.features()[0].table, "");
    EXPECT_EQ(keys(lists.available()), (Keys{"140101", "130101"}));
    EXPECT_TRUE(lists.available().back().selected);
    EXPECT_TRUE(lists.included().empty());
    EXPECT_EQ(lists.firstIncludedPrefix(), "");

    // Nothing selected: nothing happens.
    lists.setAvailableSelection({});
    EXPECT_EQ(lists.include(), 0u);
    EXPECT_EQ(lists.exclude(schema), 0u);
}

}  // namespace
}  // namespace quorbel::editor
