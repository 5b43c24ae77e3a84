#include <gtest/gtest.h>

#include "grid/char_filter.h"
#include "grid/column_filters.h"
#include "grid/combo_columns.h"

using quorbel::grid::ColumnFilters;
using quorbel::grid::ComboColumns;
using quorbel::grid::filterAccepts;

TEST(ColumnFilters, MinusOneSetsEveryColumnAndOutOfRangeIsIgnored) {
    ColumnFilters filters;
    EXPECT_EQ(filters.get(0), "");
    filters.set("0123456789", -1);
    EXPECT_EQ(filters.get(0), "0123456789");
    EXPECT_EQ(filters.get(99), "0123456789");

    filters.set("abc", 100);
    filters.set("abc", -2);
    filters.set("abc", 1000);
    for (int column = 0; column < 100; ++column) {
        ASSERT_EQ(filters.get(column), "0123456789") << column;
    }
    EXPECT_EQ(filters.get(100), "");
    EXPECT_EQ(filters.get(-1), "");

    filters.set("", 2);
    filters.set("xy", 99);
    EXPECT_EQ(filters.get(2), "");
    EXPECT_EQ(filters.get(99), "xy");
    EXPECT_EQ(filters.get(3), "0123456789");
}

TEST(ComboColumns, AddsOnceAndRemovesOnlyWhatIsThere) {
    ComboColumns columns;
    EXPECT_FALSE(columns.contains(1));
    columns.set(1, true);
    columns.set(1, true);
    columns.set(5, true);
    columns.set(3, false);
    EXPECT_TRUE(columns.contains(1));
    EXPECT_TRUE(columns.contains(5));
    columns.set(1, false);
    EXPECT_FALSE(columns.contains(1));
    EXPECT_TRUE(columns.contains(5));
}

TEST(FilterAccepts, EmptyFilterTakesEverything) {
    EXPECT_TRUE(filterAccepts("", U'a'));
    EXPECT_TRUE(filterAccepts("", U'\u957F'));
    EXPECT_TRUE(filterAccepts("", 1));
}

TEST(FilterAccepts, FilteredColumnTakesItsCharactersAndTheEditingControls) {
    const std::string digits = "0123456789";
    EXPECT_TRUE(filterAccepts(digits, U'1'));
    EXPECT_FALSE(filterAccepts(digits, U'a'));
    EXPECT_FALSE(filterAccepts(digits, U' '));
    EXPECT_FALSE(filterAccepts(digits, U'\u957F'));
    EXPECT_FALSE(filterAccepts(digits, U'\uFF11'));  // a full-width digit is not a digit here
    EXPECT_TRUE(filterAccepts(digits, 8));
    EXPECT_TRUE(filterAccepts(digits, 3));
    EXPECT_TRUE(filterAccepts(digits, 22));
    EXPECT_TRUE(filterAccepts(digits, 24));
    EXPECT_FALSE(filterAccepts(digits, 1));   // Ctrl+A
    EXPECT_FALSE(filterAccepts(digits, 26));  // Ctrl+Z
    EXPECT_FALSE(filterAccepts(digits, 0));
}

TEST(FilterAccepts, NothingAbove0x7FMatchesEvenIfTheFilterHoldsSuchBytes) {
    const std::string odd = "\xC3\xA9x";  // UTF-8 e-acute followed by x
    EXPECT_FALSE(filterAccepts(odd, U'\u00E9'));
    EXPECT_FALSE(filterAccepts(odd, 0xC3));
    EXPECT_TRUE(filterAccepts(odd, U'x'));
}
