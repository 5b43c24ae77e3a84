#include "schema/attribute_schema.h"

#include <gtest/gtest.h>

#include "schema_test_support.h"

namespace quorbel {
namespace {

class AttributeSchemaTest : public ::testing::Test {
  protected:
    testing::FakeHost host;
    AttributeSchema schema{host};

    void SetUp() override {
        schema.reset({{"Road", 2, "NULL", "roads", {}},
                      {"road", 2, "NULL", "other roads", {}},
                      {"Point", 1, "NULL", "points", {}}},
                     {{"1601", "dl1", 0, "a", "0", "Road"},
                      {"1602", "dl2", 0, "b", "0", "Road"},
                      {"1301", "gc1", 0, "c", "0", "Point"},
                      {"1601", "dl1", 0, "dup", "0", "road"},
                      {"9901", "gc9", 0, "x", "0", "Missing"}});
    }

    std::vector<std::string> tableOfEach() const {
        std::vector<std::string> out;
        for (const auto& f : schema.features()) {
            out.emplace_back(f.table);
        }
        return out;
    }
};

TEST_F(AttributeSchemaTest, NamesAreCaseSensitive) {
    EXPECT_EQ(schema.findTable("Road"), 0u);
    EXPECT_EQ(schema.findTable("road"), 1u);
    EXPECT_FALSE(schema.findTable("ROAD"));
    EXPECT_EQ(schema.featuresOfTable("Road"), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(schema.featuresOfTable("road"), (std::vector<std::size_t>{3}));
    EXPECT_EQ(schema.featuresOfTable("Missing"), (std::vector<std::size_t>{4}));
    EXPECT_TRUE(schema.featuresOfTable("").empty());
}

TEST_F(AttributeSchemaTest, InsertAfterPositionOrAtTheEnd) {
    EXPECT_EQ(schema.insertTableAfter(0, {"A", 1, "NULL", "", {}}), 1u);
    EXPECT_EQ(schema.tables()[1].name, "A");
    EXPECT_EQ(schema.insertTableAfter(std::nullopt, {"B", 1, "NULL", "", {}}), 4u);
    EXPECT_EQ(schema.insertTableAfter(99, {"C", 1, "NULL", "", {}}), 5u);
    EXPECT_EQ(schema.tables().size(), 6u);

    AttributeSchema empty{host};
    EXPECT_EQ(empty.insertTableAfter(0, {"Only", 1, "NULL", "", {}}), 0u);
    EXPECT_EQ(empty.tables().size(), 1u);
}

TEST_F(AttributeSchemaTest, RemoveEmptiesReferencesForGood) {
    schema.removeTable("Road");
    ASSERT_EQ(schema.tables().size(), 2u);
    EXPECT_EQ(schema.tables()[0].name, "road");
    EXPECT_EQ(tableOfEach(), (std::vector<std::string>{"", "", "Point", "road", "Missing"}));
    schema.insertTableAfter(std::nullopt, {"Road", 2, "NULL", "", {}});
    EXPECT_TRUE(schema.featuresOfTable("Road").empty());
    schema.removeTable("nothing");
    EXPECT_EQ(schema.tables().size(), 3u);
}

TEST_F(AttributeSchemaTest, RenameCarriesFeaturesAlong) {
    schema.renameTable(0, "Street");
    EXPECT_EQ(schema.tables()[0].name, "Street");
    EXPECT_EQ(tableOfEach(),
              (std::vector<std::string>{"Street", "Street", "Point", "road", "Missing"}));
    EXPECT_EQ(schema.featuresOfTable("Street"), (std::vector<std::size_t>{0, 1}));
    EXPECT_TRUE(schema.featuresOfTable("Road").empty());
    // Renaming under the same name changes nothing.
    schema.renameTable(2, "Point");
    EXPECT_EQ(schema.featuresOfTable("Point"), (std::vector<std::size_t>{2}));
}

TEST_F(AttributeSchemaTest, AssignAndReleaseAffectEveryEntryOfTheCode) {
    schema.assignFeature("1601", "Point");
    EXPECT_EQ(tableOfEach(),
              (std::vector<std::string>{"Point", "Road", "Point", "Point", "Missing"}));
    EXPECT_EQ(schema.featuresOfTable("Point"), (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_TRUE(schema.featuresOfTable("road").empty());
    schema.releaseFeature("1601");
    EXPECT_EQ(tableOfEach(), (std::vector<std::string>{"", "Road", "Point", "", "Missing"}));
    schema.assignFeature("none", "Point");
    schema.releaseFeature("none");
    EXPECT_EQ(schema.featuresWithCode("1601"), (std::vector<std::size_t>{0, 3}));
    EXPECT_TRUE(schema.featuresWithCode("none").empty());
}

TEST_F(AttributeSchemaTest, SettersAndTheDictionaryRule) {
    schema.setKind(0, -1);
    schema.setDescription(0, "new description");
    schema.replaceFields(0, {{"a", 3, 8, 2, "d", "TBL_LandUseCode"}, {"b", 0, 8, 0, "d", "TBL_X"}});
    const auto& table = schema.tables()[0];
    EXPECT_EQ(table.kind, -1);
    EXPECT_EQ(table.description, "new description");
    ASSERT_EQ(table.fields.size(), 2u);
    EXPECT_EQ(table.fields[0].dictionary, "");
    EXPECT_EQ(table.fields[1].dictionary, "TBL_X");
    const std::size_t at = schema.insertTableAfter(
        std::nullopt, {"N", 1, "NULL", "", {{"f", 13, 1, 0, "d", "TBL_X"}}});
    EXPECT_EQ(schema.tables()[at].fields[0].dictionary, "");
    // Positions out of range are ignored rather than written past the list.
    schema.setKind(99, 1);
    schema.replaceFields(99, {});
    schema.renameTable(99, "x");
}

TEST_F(AttributeSchemaTest, ClearEmptiesEverything) {
    schema.clear();
    EXPECT_TRUE(schema.tables().empty());
    EXPECT_TRUE(schema.features().empty());
    EXPECT_TRUE(schema.featuresOfTable("Road").empty());
    EXPECT_TRUE(schema.featuresWithCode("1601").empty());
}

}  // namespace
}  // namespace quorbel
